#pragma once

#include <string_view>

#include "ui/terminal/CellLayout.h"
#include "ui/terminal/Curses.h"
#include "ui/terminal/TerminalPalette.h"

// Draws a window's content into a curses window: content cell (x, y) lands on
// window cell (origin.x + x, origin.y + y), and nothing lands outside `clip`
// (window cells), so a control drawn in part off a scrolled view shows its part.
// A wide character that would be cut by the edge is left out.
class Painter {
 public:
  Painter(WINDOW* window, const CellRect& clip, CellPoint origin, const TerminalPalette& palette,
          bool unicode);

  // A painter on the same window that draws no further than `clip`, in content cells.
  Painter Within(const CellRect& clip) const;
  // A painter whose content cell (0, 0) is this one's (x, y).
  Painter Shifted(int x, int y) const;

  // The text from (x, y) onwards, no wider than `width` columns (-1: to the clip);
  // with `fill`, the rest of the width in blanks of the same look. The columns used.
  int Text(int x, int y, std::u32string_view text, Look look, int width = -1,
           bool fill = false) const;
  // As Text, with the character at `mnemonic` (an index of the text, -1 for none) in
  // the mnemonic's look.
  int Caption(int x, int y, std::u32string_view text, int mnemonic, Look look, int width = -1,
              bool fill = false) const;
  void Fill(int x, int y, int width, Look look) const;
  void Put(int x, int y, char32_t c, Look look) const;

  // Line drawing: box characters, or ASCII where the terminal has no Unicode.
  void HorizontalLine(int x, int y, int width, Look look) const;
  void VerticalLine(int x, int y, int height, Look look) const;
  // A frame round the rectangle with an optional title in its top edge.
  void Frame(const CellRect& box, Look look, std::u32string_view title = {},
             Look titleLook = Look::Title) const;

  char32_t UpArrow() const { return unicode_ ? U'\u25b2' : U'^'; }
  char32_t DownArrow() const { return unicode_ ? U'\u25bc' : U'v'; }
  char32_t LeftArrow() const { return unicode_ ? U'\u25c0' : U'<'; }
  char32_t RightArrow() const { return unicode_ ? U'\u25b6' : U'>'; }
  bool Unicode() const { return unicode_; }

 private:
  bool Inside(int x, int y) const;

  WINDOW* window_;
  CellRect clip_;
  CellPoint origin_;
  const TerminalPalette* palette_;
  bool unicode_;
};
