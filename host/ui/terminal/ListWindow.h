#pragma once

// Which rows of a long list show in a box of a few rows, and which row has the
// focus: the arithmetic of scrolling, apart from the rows themselves, so that a list
// of any length costs the same per key. Row -1 is "no row" (an empty list, or
// nothing current yet).
class ListWindow {
 public:
  int Count() const { return count_; }
  int Current() const { return current_; }
  int Top() const { return top_; }
  int Height() const { return height_; }
  // One past the last row shown.
  int End() const { return top_ + height_ < count_ ? top_ + height_ : count_; }

  // A new number of rows: the current row stays where it is when it still exists,
  // else the last row becomes current.
  void SetCount(int count);
  // The rows the box shows at once (at least one).
  void SetHeight(int height);
  // Makes the row current (clamped to the list; -1 for none) and scrolls to show it.
  void MoveTo(int row);
  // From the current row, or from before the first when none is.
  void MoveBy(int delta);
  // A page as Windows lists go: to the last row shown, or when it is current
  // already, a page further; the same upwards.
  void PageDown();
  void PageUp();
  void Home() { MoveTo(0); }
  void EndRow() { MoveTo(count_ - 1); }
  // Scrolls as little as possible to show the row.
  void Show(int row);

 private:
  void ClampTop();

  int count_ = 0;
  int current_ = -1;
  int top_ = 0;
  int height_ = 1;
};
