#pragma once

#include "ui/CWnd.h"

// A push button, check box or radio button.
class CButton : public CWnd {
 public:
  ~CButton() override;
  // BST_UNCHECKED or BST_CHECKED. Setting never touches other buttons.
  void SetCheck(int state);
  int GetCheck() const;
};
