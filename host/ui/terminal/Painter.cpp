#include "ui/terminal/Painter.h"

#include <algorithm>
#include <climits>

#include "ui/terminal/TerminalText.h"

Painter::Painter(WINDOW* window, const CellRect& clip, CellPoint origin,
                 const TerminalPalette& palette, bool unicode)
    : window_(window), clip_(clip), origin_(origin), palette_(&palette), unicode_(unicode) {}

Painter Painter::Within(const CellRect& clip) const {
  Painter inner = *this;
  const int left = std::max(clip_.x, origin_.x + clip.x);
  const int top = std::max(clip_.y, origin_.y + clip.y);
  const int right = std::min(clip_.Right(), origin_.x + clip.Right());
  const int bottom = std::min(clip_.Bottom(), origin_.y + clip.Bottom());
  inner.clip_ = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
  return inner;
}

Painter Painter::Shifted(int x, int y) const {
  Painter shifted = *this;
  shifted.origin_ = {origin_.x + x, origin_.y + y};
  return shifted;
}

bool Painter::Inside(int x, int y) const { return clip_.Contains(origin_.x + x, origin_.y + y); }

void Painter::Put(int x, int y, char32_t c, Look look) const {
  const char32_t shown = ShownCharacter(c);
  const int width = CellWidth(shown);
  if (!Inside(x, y) || (width > 1 && !Inside(x + width - 1, y))) return;
  wchar_t text[2] = {static_cast<wchar_t>(shown), L'\0'};
  cchar_t cell;
  setcchar(&cell, text, palette_->Attributes(look), palette_->Pair(look), nullptr);
  mvwadd_wch(window_, origin_.y + y, origin_.x + x, &cell);
}

int Painter::Text(int x, int y, std::u32string_view text, Look look, int width, bool fill) const {
  return Caption(x, y, text, -1, look, width, fill);
}

int Painter::Caption(int x, int y, std::u32string_view text, int mnemonic, Look look, int width,
                     bool fill) const {
  const int limit = width < 0 ? INT_MAX / 2 : width;
  int used = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int cells = CellWidth(text[i]);
    if (used + cells > limit) break;
    Put(x + used, y, text[i], static_cast<int>(i) == mnemonic ? Look::Mnemonic : look);
    used += cells;
  }
  if (fill && width > used) Fill(x + used, y, width - used, look);
  return used;
}

void Painter::Fill(int x, int y, int width, Look look) const {
  for (int i = 0; i < width; ++i) Put(x + i, y, U' ', look);
}

void Painter::HorizontalLine(int x, int y, int width, Look look) const {
  for (int i = 0; i < width; ++i) Put(x + i, y, unicode_ ? U'\u2500' : U'-', look);
}

void Painter::VerticalLine(int x, int y, int height, Look look) const {
  for (int i = 0; i < height; ++i) Put(x, y + i, unicode_ ? U'\u2502' : U'|', look);
}

void Painter::Frame(const CellRect& box, Look look, std::u32string_view title,
                    Look titleLook) const {
  if (box.width < 2 || box.height < 2) return;
  const int right = box.Right() - 1;
  const int bottom = box.Bottom() - 1;
  HorizontalLine(box.x + 1, box.y, box.width - 2, look);
  HorizontalLine(box.x + 1, bottom, box.width - 2, look);
  VerticalLine(box.x, box.y + 1, box.height - 2, look);
  VerticalLine(right, box.y + 1, box.height - 2, look);
  Put(box.x, box.y, unicode_ ? U'\u250c' : U'+', look);
  Put(right, box.y, unicode_ ? U'\u2510' : U'+', look);
  Put(box.x, bottom, unicode_ ? U'\u2514' : U'+', look);
  Put(right, bottom, unicode_ ? U'\u2518' : U'+', look);
  if (!title.empty() && box.width > 4) {
    Put(box.x + 1, box.y, U' ', look);
    const int used = Text(box.x + 2, box.y, title, titleLook, box.width - 5);
    Put(box.x + 2 + used, box.y, U' ', look);
  }
}
