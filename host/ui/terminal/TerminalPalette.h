#pragma once

#include <array>
#include <cstddef>

#include "ui/terminal/Curses.h"

// How each part of a window looks. The marks that matter never depend on colour
// alone: the focused control is also shown in reverse video and with the hardware
// cursor on it, a focused button between "<" and ">", the current row of a list
// after a ">", a disabled control dimmed.
enum class Look {
  Plain,
  Title,
  Frame,
  Field,  // the box of an edit, combo box or picker
  FieldFocused,
  Hint,  // a cue banner in an empty edit box
  Disabled,
  Focused,   // a focused caption or button
  Mnemonic,  // the underlined letter of a caption
  Selected,  // a selected row
  SelectedFocused,
  Header,  // a list view's column titles
  TabActive,
  Status,
  Tip,  // a message on the status line
  kCount
};

// The attributes of each look, from the terminal's own palette (the eight standard
// colours and the terminal's default colours, never colours of our own), or without
// colour where the terminal has none or NO_COLOR asks for none.
class TerminalPalette {
 public:
  // Sets up the colour pairs it needs when `colour` is true; call once curses runs.
  static TerminalPalette Make(bool colour);

  attr_t Attributes(Look look) const { return attributes_[Index(look)]; }
  short Pair(Look look) const { return pairs_[Index(look)]; }
  bool Colour() const { return colour_; }

 private:
  static std::size_t Index(Look look) { return static_cast<std::size_t>(look); }

  bool colour_ = false;
  std::array<attr_t, static_cast<std::size_t>(Look::kCount)> attributes_{};
  std::array<short, static_cast<std::size_t>(Look::kCount)> pairs_{};
};
