#include "ui/terminal/TerminalCheck.h"

#include "ui/WinConstants.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalWindow.h"

void TerminalCheck::Draw(const Painter& painter, bool focused) const {
  const CellRect& cells = Cells();
  const Look look = !IsEnabled() ? Look::Disabled : Look::Plain;
  const bool marked = checked_ == BST_CHECKED;
  const char32_t mark = IsRadio() ? (marked ? U'*' : U' ') : (marked ? U'x' : U' ');
  painter.Put(cells.x, cells.y, IsRadio() ? U'(' : U'[', look);
  painter.Put(cells.x + 1, cells.y, mark, look);
  painter.Put(cells.x + 2, cells.y, IsRadio() ? U')' : U']', look);
  int mnemonic = -1;
  const std::u32string caption = ShownCaption(&mnemonic);
  painter.Caption(cells.x + 4, cells.y, caption, IsEnabled() ? mnemonic : -1,
                  focused && IsEnabled() ? Look::Focused : look, cells.width - 4);
}

bool TerminalCheck::HandleKey(const TerminalKey& key) {
  if (key.IsText() && key.ch == U' ') {
    Activate();
    return true;
  }
  return false;
}

void TerminalCheck::Activate() {
  if (!IsEnabled()) return;
  if (!IsRadio()) {
    checked_ = checked_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  } else if (Template().Has(ControlStyle::AutoRadio)) {
    for (TerminalCheck* member : group_)
      member->checked_ = member == this ? BST_CHECKED : BST_UNCHECKED;
  }
  // Last: the click may take the window down.
  Window().UserNotify(Id(), BN_CLICKED);
}

std::string TerminalCheck::Hints() const {
  if (!IsRadio()) return "Space toggle";
  return group_.size() > 1 ? "Up Down choose" : "Space choose";
}
