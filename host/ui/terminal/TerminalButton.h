#pragma once

#include "ui/terminal/TerminalControl.h"

// A push button: Enter or Space with the focus, or Alt with its letter, clicks it.
// Shown "[ OK ]", and "< OK >" with the focus.
class TerminalButton final : public TerminalControl {
 public:
  using TerminalControl::TerminalControl;

  bool TakesFocus() const override { return true; }
  bool TakesMnemonic() const override { return true; }
  bool IsDefault() const { return Template().Has(ControlStyle::DefaultButton); }
  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override;
  bool HandleKey(const TerminalKey& key) override;
  void Activate() override;
  std::string Hints() const override;
};
