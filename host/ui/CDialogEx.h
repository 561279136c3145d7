#pragma once

#include "ui/CDialog.h"

// The modal dialog that module dialogs derive from.
class CDialogEx : public CDialog {
  DECLARE_DYNAMIC(CDialogEx)

 public:
  explicit CDialogEx(int templateId, CWnd* parent = nullptr);
  ~CDialogEx() override;
};
