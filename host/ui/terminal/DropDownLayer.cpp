#include "ui/terminal/DropDownLayer.h"

#include <algorithm>
#include <cwctype>

#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalApplication.h"

namespace {

constexpr int kMostRows = 10;

}  // namespace

DropDownLayer::DropDownLayer(TerminalApplication& app, std::vector<std::u32string> items,
                             int current, int width, int cursorColumn)
    : items_(std::move(items)),
      anchor_{app.CursorOnScreen().x - cursorColumn, app.CursorOnScreen().y},
      width_(std::max(width, 8)) {
  rows_.SetCount(static_cast<int>(items_.size()));
  rows_.SetHeight(std::min(kMostRows, std::max(rows_.Count(), 1)));
  rows_.MoveTo(current < 0 ? 0 : current);
}

CellRect DropDownLayer::Place(int rows, int columns) {
  const int height = rows_.Height() + 2;
  const int below = rows - (anchor_.y + 1);
  const int y = below >= height ? anchor_.y + 1 : std::max(anchor_.y - height, 0);
  const int width = std::min(width_, columns);
  const int x = std::clamp(anchor_.x, 0, std::max(columns - width, 0));
  return {x, y, width, std::min(height, rows)};
}

void DropDownLayer::Draw(const Painter& painter) {
  const CellRect box{0, 0, width_, rows_.Height() + 2};
  painter.Frame(box, Look::Frame);
  for (int row = rows_.Top(); row < rows_.End(); ++row) {
    const int y = 1 + row - rows_.Top();
    const bool current = row == rows_.Current();
    const Look look = current ? Look::SelectedFocused : Look::Plain;
    painter.Put(1, y, current ? U'>' : U' ', look);
    painter.Text(2, y, items_[static_cast<std::size_t>(row)], look, width_ - 3, true);
  }
  if (rows_.Top() > 0) painter.Put(width_ - 1, 1, painter.UpArrow(), Look::Frame);
  if (rows_.End() < rows_.Count())
    painter.Put(width_ - 1, rows_.Height(), painter.DownArrow(), Look::Frame);
}

std::optional<CellPoint> DropDownLayer::Cursor() const {
  return CellPoint{1, 1 + std::max(rows_.Current() - rows_.Top(), 0)};
}

std::string DropDownLayer::Hints() const {
  return "Up Down PgUp PgDn choose  Enter take  Esc leave";
}

void DropDownLayer::HandleKey(const TerminalKey& key) {
  if (key.IsText()) {
    // The next item that begins with the letter, after the current one.
    const auto folded = std::towlower(static_cast<wint_t>(key.ch));
    const int count = rows_.Count();
    for (int n = 1; n <= count; ++n) {
      const int row = (rows_.Current() + n) % count;
      const std::u32string& text = items_[static_cast<std::size_t>(row)];
      if (!text.empty() && std::towlower(static_cast<wint_t>(text.front())) == folded) {
        rows_.MoveTo(row);
        break;
      }
    }
    return;
  }
  switch (key.code) {
    case KeyCode::Up:
      if (key.alt) {
        chosen_ = rows_.Current();
        done_ = true;
      } else {
        rows_.MoveBy(-1);
      }
      break;
    case KeyCode::Down:
      rows_.MoveBy(1);
      break;
    case KeyCode::PageUp:
      rows_.PageUp();
      break;
    case KeyCode::PageDown:
      rows_.PageDown();
      break;
    case KeyCode::Home:
      rows_.Home();
      break;
    case KeyCode::End:
      rows_.EndRow();
      break;
    case KeyCode::Enter:
    case KeyCode::F4:
      if (rows_.Current() >= 0) chosen_ = rows_.Current();
      done_ = true;
      break;
    case KeyCode::Escape:
    case KeyCode::Tab:
    case KeyCode::BackTab:
      done_ = true;
      break;
    default:
      break;
  }
}
