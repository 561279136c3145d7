#include "ui/terminal/TerminalListView.h"

#include <algorithm>
#include <chrono>
#include <cwctype>

#include "ui/WinConstants.h"
#include "ui/backend/RowChangeAnnouncement.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

namespace {

// A column's width is given in pixels of the dialog font, whose average character
// is six pixels wide.
constexpr int kPixelsPerCell = 6;

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

TerminalListView::TerminalListView(const ControlTemplate& control, TerminalWindow& window)
    : TerminalControl(control, window), model_(control.Has(ControlStyle::SortAscending)) {
  // The frame and the header take three of its rows.
  rows_.SetHeight(Cells().height - 3);
}

void TerminalListView::AddColumn(std::string_view title, int width, int format) {
  columns_.push_back({FromLatin1(title),
                      std::max(1, (std::max(width, 0) + kPixelsPerCell / 2) / kPixelsPerCell),
                      format});
}

void TerminalListView::SyncCount() {
  rows_.SetCount(model_.RowCount());
  if (anchor_ >= model_.RowCount()) anchor_ = rows_.Current();
}

int TerminalListView::InsertRow(int index, const ListViewRow& row) {
  const int at = model_.Insert(index, row);
  ++change_.added;
  SyncCount();
  return at;
}

void TerminalListView::InsertRows(std::span<const ListViewRow> rows) {
  if (rows.empty()) return;
  model_.InsertMany(rows);
  change_.added += static_cast<int>(rows.size());
  SyncCount();
}

void TerminalListView::SetCellText(int row, int column, std::string_view text) {
  model_.SetCell(row, column, text);
}

void TerminalListView::DeleteRows(std::span<const int> rows) {
  const int before = model_.RowCount();
  for (int row : rows)
    if (row >= 0 && row < before) removedAt_ = std::min(removedAt_, row);
  model_.Delete(rows);
  change_.removed += before - model_.RowCount();
  SyncCount();
}

void TerminalListView::DeleteAllRows() {
  change_.removed += model_.RowCount();
  change_.emptied = change_.emptied || model_.RowCount() > 0;
  model_.Clear();
  anchor_ = -1;
  SyncCount();
  rows_.MoveTo(-1);
}

void TerminalListView::SetRowSelected(int row, bool selected) {
  if (row < 0 || row >= model_.RowCount()) return;
  if (selected && !Multiple()) model_.ClearSelection();
  model_.SetSelected(row, selected);
}

void TerminalListView::SelectOnly(int row, int previous) {
  // Clearing every row is a pass over the list; mostly one row is selected, the one
  // that was current, and only it needs clearing.
  const int selected = model_.SelectedCount();
  if (selected == 1 && model_.IsSelected(previous)) {
    model_.SetSelected(previous, false);
  } else if (selected > 0) {
    model_.ClearSelection();
  }
  model_.SetSelected(row, true);
}

void TerminalListView::SelectCurrentIfNone() {
  if (model_.SelectedCount() == 0 && rows_.Current() >= 0) {
    model_.SetSelected(rows_.Current(), true);
    NotifySelection();
  }
}

void TerminalListView::NotifySelection() { Window().UserNotify(Id(), LVN_ITEMCHANGED); }

void TerminalListView::BeginUserAction() {
  change_ = RowChange{model_.RowCount(), 0, 0, false};
  removedAt_ = INT_MAX;
}

std::string TerminalListView::EndUserAction(bool click, bool otherChoice) {
  change_.otherChoice = otherChoice;
  const int after = model_.RowCount();
  if (removedAt_ != INT_MAX && !change_.emptied && after > 0 && after < change_.before) {
    const int place = std::min(removedAt_, after - 1);
    SelectOnly(place, rows_.Current());
    rows_.MoveTo(place);
    anchor_ = place;
  }
  if (!click) return {};
  const TerminalWindow& window = Window();
  const ControlTemplate* label = window.Template().LabelFor(Id());
  return RowChangeAnnouncement(RowNoun(label != nullptr ? label->caption : ""), change_);
}

std::vector<int> TerminalListView::ColumnWidths() const {
  std::vector<int> widths;
  const bool grid = (extendedStyle_ & LVS_EX_GRIDLINES) != 0;
  int left = Cells().width - 3;  // the frame and the mark of the current row
  for (std::size_t i = 0; i < columns_.size() && left > 0; ++i) {
    if (i > 0 && grid) --left;
    int width = std::min(columns_[i].cells, left);
    if (i + 1 == columns_.size()) width = left;  // the last column takes the rest
    widths.push_back(width);
    left -= width;
  }
  return widths;
}

void TerminalListView::Draw(const Painter& painter, bool focused) const {
  const CellRect& cells = Cells();
  const Look frame = IsEnabled() ? Look::Frame : Look::Disabled;
  painter.Frame(cells, frame);
  const std::vector<int> widths = ColumnWidths();
  const bool grid = (extendedStyle_ & LVS_EX_GRIDLINES) != 0;
  const char32_t bar = painter.Unicode() ? U'\u2502' : U'|';
  auto drawRow = [&](int y, auto&& cellText, Look look) {
    int x = cells.x + 2;
    for (std::size_t column = 0; column < widths.size(); ++column) {
      if (column > 0 && grid) painter.Put(x++, y, bar, look == Look::Header ? Look::Frame : look);
      const std::u32string text = cellText(column);
      const int width = widths[column];
      int shownAt = x;
      const int used = std::min(CellWidth(text), width);
      if (columns_[column].format == LVCFMT_RIGHT) shownAt = x + width - used;
      if (columns_[column].format == LVCFMT_CENTER) shownAt = x + (width - used) / 2;
      painter.Fill(x, y, width, look);
      painter.Text(shownAt, y, text, look, width);
      x += width;
    }
  };
  drawRow(
      cells.y + 1, [&](std::size_t column) { return columns_[column].title; },
      IsEnabled() ? Look::Header : Look::Disabled);

  const int current = rows_.Current();
  for (int row = rows_.Top(); row < rows_.End(); ++row) {
    const int y = cells.y + 2 + row - rows_.Top();
    Look look = IsEnabled() ? Look::Plain : Look::Disabled;
    const bool selected = model_.IsSelected(row);
    if (selected && IsEnabled())
      look = focused && row == current ? Look::SelectedFocused : Look::Selected;
    painter.Put(cells.x + 1, y, row == current ? U'>' : U' ', look);
    drawRow(
        y,
        [&](std::size_t column) { return FromLatin1(model_.Cell(row, static_cast<int>(column))); },
        look);
  }
  if (rows_.Top() > 0) painter.Put(cells.Right() - 1, cells.y + 2, painter.UpArrow(), frame);
  if (rows_.End() < rows_.Count())
    painter.Put(cells.Right() - 1, cells.Bottom() - 2, painter.DownArrow(), frame);
  // Where the list is, on its bottom edge: "1234/95000".
  if (model_.RowCount() > 0) {
    const std::string where = " " + (current < 0 ? std::string("-") : std::to_string(current + 1)) +
                              "/" + std::to_string(model_.RowCount()) + " ";
    const std::u32string shown = FromLatin1(where);
    const int width = static_cast<int>(shown.size());
    if (width + 2 < cells.width)
      painter.Text(cells.Right() - 1 - width, cells.Bottom() - 1, shown, frame);
  }
}

CellPoint TerminalListView::CursorAt() const {
  const int row = rows_.Current() < 0 ? 0 : rows_.Current() - rows_.Top() + 1;
  return {Cells().x + 1, Cells().y + 1 + row};
}

void TerminalListView::FocusEntered() {
  if (rows_.Current() < 0 && model_.RowCount() > 0) rows_.MoveTo(0);
}

bool TerminalListView::Move(const TerminalKey& key, ListWindow& moved) const {
  switch (key.code) {
    case KeyCode::Up:
      moved.MoveBy(-1);
      return true;
    case KeyCode::Down:
      moved.MoveBy(1);
      return true;
    case KeyCode::PageUp:
      if (key.ctrl) return false;
      moved.PageUp();
      return true;
    case KeyCode::PageDown:
      if (key.ctrl) return false;
      moved.PageDown();
      return true;
    case KeyCode::Home:
      moved.Home();
      return true;
    case KeyCode::End:
      moved.EndRow();
      return true;
    default:
      return false;
  }
}

void TerminalListView::SelectByUser(bool stretch, int previous) {
  const int current = rows_.Current();
  if (current < 0) return;
  if (stretch && Multiple() && anchor_ >= 0) {
    model_.ClearSelection();
    for (int row = std::min(anchor_, current); row <= std::max(anchor_, current); ++row)
      model_.SetSelected(row, true);
  } else {
    anchor_ = current;
    if (model_.SelectedCount() == 1 && model_.IsSelected(current)) return;
    SelectOnly(current, previous);
  }
  NotifySelection();
}

int TerminalListView::TypeAhead(char32_t c) {
  const long long now = NowMs();
  const bool goingOn = now - lastTypedMs_ < 1000 && !typed_.empty();
  lastTypedMs_ = now;
  typed_ = goingOn ? typed_ + c : std::u32string(1, c);
  const std::string prefix = ToLatin1(typed_);
  const int from = goingOn ? rows_.Current() - 1 : rows_.Current();
  int found = model_.FindPrefix(prefix, from);
  if (found < 0) found = model_.FindPrefix(prefix, -1);
  if (found >= 0) return found;
  // Letter case aside, in a pass over the rows: only when the exact search failed.
  for (int n = 1; n <= model_.RowCount(); ++n) {
    const int row = (std::max(from, -1) + n) % model_.RowCount();
    const std::string& text = model_.Cell(row, 0);
    if (text.size() < prefix.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < prefix.size() && same; ++i)
      same = std::towlower(static_cast<unsigned char>(text[i])) ==
             std::towlower(static_cast<unsigned char>(prefix[i]));
    if (same) return row;
  }
  return -1;
}

bool TerminalListView::HandleKey(const TerminalKey& key) {
  if (key.alt) return false;
  if (key.IsText() && key.ch == U' ') {
    const int current = rows_.Current();
    if (current < 0) return true;
    if (Multiple()) {
      model_.SetSelected(current, !model_.IsSelected(current));
    } else {
      SelectOnly(current, current);
    }
    anchor_ = current;
    NotifySelection();
    return true;
  }
  if (key.IsText()) {
    const int row = TypeAhead(key.ch);
    if (row >= 0) {
      const int previous = rows_.Current();
      rows_.MoveTo(row);
      SelectByUser(false, previous);
    }
    return true;
  }
  ListWindow moved = rows_;
  if (!Move(key, moved)) return false;
  const int previous = rows_.Current();
  rows_ = moved;
  // A key that finds the row already current selects it all the same when it is not.
  SelectByUser(key.shift, previous);
  return true;
}

std::string TerminalListView::Hints() const {
  return Multiple() ? "Up Down PgUp PgDn Home End move, Space select, Del remove"
                    : "Up Down PgUp PgDn Home End move, Del remove";
}
