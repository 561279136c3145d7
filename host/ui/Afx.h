#pragma once

// Everything a page or dialog of a module needs of the framework.
#include "ui/AfxFunctions.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDataExchange.h"
#include "ui/CDateTimeCtrl.h"
#include "ui/CDialogEx.h"
#include "ui/CEdit.h"
#include "ui/CFileDialog.h"
#include "ui/CListBox.h"
#include "ui/CListCtrl.h"
#include "ui/CPropertyPage.h"
#include "ui/CStatic.h"
#include "ui/DDX.h"
#include "ui/DialogTemplate.h"
#include "ui/TemplateRegistry.h"
#include "ui/WinConstants.h"
