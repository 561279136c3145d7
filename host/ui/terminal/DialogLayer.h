#pragma once

#include "ui/terminal/ScrolledView.h"
#include "ui/terminal/TerminalLayer.h"

// A modal dialog: its window in a frame titled with the window's title, in the
// middle of the screen, scrolled when the screen is smaller than the dialog. Tab and
// Shift+Tab go round its controls, Enter presses the default button, Escape cancels
// (after "Discard changes?" when the dialog changed), Alt with a letter (or Escape, then the
// letter) finds the control of that mnemonic.
class DialogLayer final : public TerminalLayer {
 public:
  explicit DialogLayer(TerminalWindow& window) : window_(&window) {}

  CellRect Place(int rows, int columns) override;
  void Draw(const Painter& painter) override;
  std::optional<CellPoint> Cursor() const override;
  std::string Hints() const override;
  void HandleKey(const TerminalKey& key) override;
  void HandlePaste(std::u32string_view text) override;
  bool Done() const override;
  void Forget(const TerminalWindow& window) override;
  void MarkChanged() override;

 private:
  TerminalWindow* window_;
  ScrolledView view_;
  CellRect viewport_;
};
