#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/terminal/ListWindow.h"
#include "ui/terminal/TerminalLayer.h"

class TerminalApplication;

// A combo box's list, dropped down under the control with the focus (over it when
// there is no room below): the arrows, PgUp, PgDn, Home, End and letters move,
// Enter takes the item, Escape leaves the choice as it was.
class DropDownLayer final : public TerminalLayer {
 public:
  // `cursorColumn`: how far right of the box's left edge the cursor is, which the
  // list lines up with.
  DropDownLayer(TerminalApplication& app, std::vector<std::u32string> items, int current, int width,
                int cursorColumn);

  // The item taken, once done; nothing after Escape.
  const std::optional<int>& Chosen() const { return chosen_; }

  CellRect Place(int rows, int columns) override;
  void Draw(const Painter& painter) override;
  std::optional<CellPoint> Cursor() const override;
  std::string Hints() const override;
  void HandleKey(const TerminalKey& key) override;
  bool Done() const override { return done_; }

 private:
  std::vector<std::u32string> items_;
  CellPoint anchor_;
  int width_;
  ListWindow rows_;
  std::optional<int> chosen_;
  bool done_ = false;
};
