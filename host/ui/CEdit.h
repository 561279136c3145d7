#pragma once

#include "ui/CWnd.h"

// An edit box: its text through SetWindowText and GetWindowText.
class CEdit : public CWnd {
 public:
  ~CEdit() override;
};
