#pragma once

#include "ui/terminal/TerminalControl.h"

// A frame with its caption in the top edge, round the controls it groups.
class TerminalGroupBox final : public TerminalControl {
 public:
  using TerminalControl::TerminalControl;

  void Draw(const Painter& painter, bool focused) const override;
};
