#include "ui/CDataExchange.h"

CDataExchange::CDataExchange(CWnd* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

void CDataExchange::PrepareCtrl(int controlId) { m_idLastControl = controlId; }

void CDataExchange::Fail() { throw Failure{}; }
