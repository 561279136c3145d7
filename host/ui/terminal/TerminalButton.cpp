#include "ui/terminal/TerminalButton.h"

#include <algorithm>

#include "ui/WinConstants.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

void TerminalButton::Draw(const Painter& painter, bool focused) const {
  int mnemonic = -1;
  const std::u32string caption = ShownCaption(&mnemonic);
  const CellRect& cells = Cells();
  const Look look = !IsEnabled() ? Look::Disabled : focused ? Look::Focused : Look::Plain;
  const int inner = std::max(cells.width - 2, 0);
  const int shown = std::min(CellWidth(caption), inner);
  painter.Fill(cells.x, cells.y, cells.width, look);
  painter.Put(cells.x, cells.y, focused ? U'<' : U'[', look);
  painter.Put(cells.Right() - 1, cells.y, focused ? U'>' : U']', look);
  painter.Caption(cells.x + 1 + (inner - shown) / 2, cells.y, caption, IsEnabled() ? mnemonic : -1,
                  look, inner);
}

CellPoint TerminalButton::CursorAt() const {
  const int inner = std::max(Cells().width - 2, 0);
  const int shown = std::min(CellWidth(ShownCaption(nullptr)), inner);
  return {Cells().x + 1 + (inner - shown) / 2, Cells().y};
}

bool TerminalButton::HandleKey(const TerminalKey& key) {
  if (key.IsText() && key.ch == U' ') {
    Activate();
    return true;
  }
  return false;
}

void TerminalButton::Activate() {
  if (IsEnabled()) Window().UserNotify(Id(), BN_CLICKED);
}

std::string TerminalButton::Hints() const { return "Enter or Space press"; }
