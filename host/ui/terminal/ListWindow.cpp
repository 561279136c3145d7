#include "ui/terminal/ListWindow.h"

#include <algorithm>

void ListWindow::SetCount(int count) {
  count_ = std::max(count, 0);
  if (current_ >= count_) current_ = count_ - 1;
  ClampTop();
  if (current_ >= 0) Show(current_);
}

void ListWindow::SetHeight(int height) {
  height_ = std::max(height, 1);
  ClampTop();
  if (current_ >= 0) Show(current_);
}

void ListWindow::MoveTo(int row) {
  if (count_ == 0) {
    current_ = -1;
    return;
  }
  current_ = row < 0 ? (row == -1 ? -1 : 0) : std::min(row, count_ - 1);
  if (current_ >= 0) Show(current_);
}

void ListWindow::MoveBy(int delta) {
  if (count_ == 0) return;
  if (current_ < 0) {
    MoveTo(delta > 0 ? 0 : count_ - 1);
    return;
  }
  MoveTo(std::clamp(current_ + delta, 0, count_ - 1));
}

void ListWindow::PageDown() {
  if (count_ == 0) return;
  const int lastShown = End() - 1;
  if (current_ < 0) {
    MoveTo(0);
  } else if (current_ < lastShown) {
    MoveTo(lastShown);
  } else {
    MoveTo(std::min(current_ + std::max(height_ - 1, 1), count_ - 1));
  }
}

void ListWindow::PageUp() {
  if (count_ == 0) return;
  if (current_ < 0) {
    MoveTo(0);
  } else if (current_ > top_) {
    MoveTo(top_);
  } else {
    MoveTo(std::max(current_ - std::max(height_ - 1, 1), 0));
  }
}

void ListWindow::Show(int row) {
  if (row < 0 || row >= count_) return;
  if (row < top_) top_ = row;
  if (row >= top_ + height_) top_ = row - height_ + 1;
  ClampTop();
}

void ListWindow::ClampTop() { top_ = std::clamp(top_, 0, std::max(count_ - height_, 0)); }
