#include "ui/terminal/ScrolledView.h"

#include <algorithm>

#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalWindow.h"

namespace {

// The offset that shows [from, to) in a span of `size` from `offset`, moved as
// little as possible; the start wins when it cannot all show.
int Reveal(int offset, int from, int to, int size) {
  if (to - from > size) to = from + size;
  if (to > offset + size) offset = to - size;
  if (from < offset) offset = from;
  return offset;
}

}  // namespace

void ScrolledView::Follow(const TerminalWindow& window, int width, int height) {
  const CellRect size = window.Size();
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (const std::optional<CellRect> area = window.FocusArea()) {
    if (height > height_) y_ = std::min(y_, std::max(area->Bottom() - height, 0));
    x_ = Reveal(x_, area->x, area->Right(), width);
    y_ = Reveal(y_, area->y, area->Bottom(), height);
  }
  height_ = height;
  if (const std::optional<CellPoint> cursor = window.CursorAt()) {
    x_ = Reveal(x_, cursor->x, cursor->x + 1, width);
    y_ = Reveal(y_, cursor->y, cursor->y + 1, height);
  }
  x_ = std::clamp(x_, 0, std::max(size.width - width, 0));
  y_ = std::clamp(y_, 0, std::max(size.height - height, 0));
}

void ScrolledView::Draw(const Painter& painter, const CellRect& viewport,
                        const TerminalWindow& window, bool active) const {
  window.Draw(painter.Within(viewport).Shifted(viewport.x - x_, viewport.y - y_), active);
}

void ScrolledView::DrawMarks(const Painter& painter, const CellRect& frame,
                             const TerminalWindow& window, const CellRect& viewport) const {
  const CellRect size = window.Size();
  // Up and down at the right end of the edges: the title takes the top edge's middle.
  const int rightX = frame.Right() - 2;
  const int middleY = frame.y + frame.height / 2;
  if (y_ > 0) painter.Put(rightX, frame.y, painter.UpArrow(), Look::Title);
  if (y_ + viewport.height < size.height)
    painter.Put(rightX, frame.Bottom() - 1, painter.DownArrow(), Look::Title);
  if (x_ > 0) painter.Put(frame.x, middleY, painter.LeftArrow(), Look::Title);
  if (x_ + viewport.width < size.width)
    painter.Put(frame.Right() - 1, middleY, painter.RightArrow(), Look::Title);
}

std::optional<CellPoint> ScrolledView::Cursor(const TerminalWindow& window,
                                              const CellRect& viewport) const {
  const std::optional<CellPoint> at = window.CursorAt();
  if (!at) return std::nullopt;
  const CellPoint shown{viewport.x + at->x - x_, viewport.y + at->y - y_};
  if (!viewport.Contains(shown.x, shown.y)) return std::nullopt;
  return shown;
}
