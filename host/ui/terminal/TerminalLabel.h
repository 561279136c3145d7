#pragma once

#include "ui/terminal/TerminalControl.h"

// Static text, wrapped over the rows it has; a label that names the control after
// it shows its mnemonic.
class TerminalLabel final : public TerminalControl {
 public:
  using TerminalControl::TerminalControl;

  bool TakesMnemonic() const override;
  void Draw(const Painter& painter, bool focused) const override;
};
