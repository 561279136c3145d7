#include "ui/terminal/TerminalListBox.h"

#include "ui/WinConstants.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

TerminalListBox::TerminalListBox(const ControlTemplate& control, TerminalWindow& window)
    : TerminalControl(control, window), TerminalItemList(control.Has(ControlStyle::Sorted)) {
  rows_.SetHeight(Cells().height - 2);
}

void TerminalListBox::ItemsChanged() {
  rows_.SetCount(ItemCount());
  const int selected = Selection();
  if (selected >= 0) {
    rows_.MoveTo(selected);
  } else {
    rows_.MoveTo(-1);
  }
}

void TerminalListBox::Draw(const Painter& painter, bool focused) const {
  const CellRect& cells = Cells();
  const Look frame = IsEnabled() ? Look::Frame : Look::Disabled;
  painter.Frame(cells, frame);
  const int width = cells.width - 3;
  const int selected = Selection();
  for (int row = rows_.Top(); row < rows_.End(); ++row) {
    const int y = cells.y + 1 + row - rows_.Top();
    Look look = IsEnabled() ? Look::Plain : Look::Disabled;
    if (row == selected && IsEnabled()) look = focused ? Look::SelectedFocused : Look::Selected;
    const bool current = row == selected || (selected < 0 && row == rows_.Current());
    painter.Put(cells.x + 1, y, current ? U'>' : U' ', look);
    painter.Text(cells.x + 2, y, FromLatin1(ItemText(row)), look, width, true);
  }
  if (rows_.Top() > 0) painter.Put(cells.Right() - 1, cells.y + 1, painter.UpArrow(), frame);
  if (rows_.End() < rows_.Count())
    painter.Put(cells.Right() - 1, cells.Bottom() - 2, painter.DownArrow(), frame);
}

CellPoint TerminalListBox::CursorAt() const {
  const int row = rows_.Current() < 0 ? 0 : rows_.Current() - rows_.Top();
  return {Cells().x + 1, Cells().y + 1 + row};
}

void TerminalListBox::SelectByUser(int index) {
  if (index < 0 || index == Selection()) return;
  SetSelection(index);
  if (Template().Has(ControlStyle::Notify)) Window().UserNotify(Id(), LBN_SELCHANGE);
}

void TerminalListBox::FocusEntered() {
  if (Selection() < 0 && rows_.Current() < 0 && ItemCount() > 0) rows_.MoveTo(0);
}

bool TerminalListBox::HandleKey(const TerminalKey& key) {
  if (key.alt) return false;
  const bool none = Selection() < 0 && rows_.Current() >= 0;
  if (key.IsText() && key.ch == U' ') {
    if (none) SelectByUser(rows_.Current());
    return none;
  }
  if (key.IsText()) {
    SelectByUser(TypeAhead(key.ch, Selection()));
    return true;
  }
  // With nothing chosen, the first arrow chooses the current row.
  if (none && !key.ctrl && (key.code == KeyCode::Up || key.code == KeyCode::Down)) {
    SelectByUser(rows_.Current());
    return true;
  }
  ListWindow moved = rows_;
  switch (key.code) {
    case KeyCode::Up:
      moved.MoveBy(-1);
      break;
    case KeyCode::Down:
      moved.MoveBy(1);
      break;
    case KeyCode::PageUp:
      if (key.ctrl) return false;
      moved.PageUp();
      break;
    case KeyCode::PageDown:
      if (key.ctrl) return false;
      moved.PageDown();
      break;
    case KeyCode::Home:
      moved.Home();
      break;
    case KeyCode::End:
      moved.EndRow();
      break;
    default:
      return false;
  }
  SelectByUser(moved.Current());
  return true;
}

std::string TerminalListBox::Hints() const {
  if (Selection() < 0 && rows_.Current() >= 0)
    return "nothing chosen: Space or Up Down choose, letters find";
  return "Up Down PgUp PgDn Home End, letters find";
}
