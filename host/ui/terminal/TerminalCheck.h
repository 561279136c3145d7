#pragma once

#include <vector>

#include "ui/terminal/TerminalControl.h"

// A check box "[x] Caption" or a radio button "(*) Caption". Space, or Alt with its
// letter, clicks it: a check box toggles its mark, a radio button of an automatic
// group takes the mark from the others of its group; then the page hears the click.
class TerminalCheck final : public TerminalControl {
 public:
  using TerminalControl::TerminalControl;

  bool IsRadio() const { return Kind() == ControlKind::RadioButton; }
  // The radio buttons of its group, itself among them, in template order.
  void SetGroup(std::vector<TerminalCheck*> group) { group_ = std::move(group); }
  const std::vector<TerminalCheck*>& Group() const { return group_; }

  void SetCheck(int state) { checked_ = state; }
  int Check() const { return checked_; }

  bool TakesFocus() const override { return true; }
  bool TakesMnemonic() const override { return true; }
  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override { return {Cells().x + 1, Cells().y}; }
  bool HandleKey(const TerminalKey& key) override;
  void Activate() override;
  std::string Hints() const override;

 private:
  int checked_ = 0;
  std::vector<TerminalCheck*> group_;
};
