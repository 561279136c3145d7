#pragma once

#include "ui/CWnd.h"

// An edit box: its text through SetWindowText and GetWindowText.
class CEdit : public CWnd {
 public:
  ~CEdit() override;

  // A hint the box shows while it is empty, never part of its text.
  void SetCueBanner(std::string_view text);
};
