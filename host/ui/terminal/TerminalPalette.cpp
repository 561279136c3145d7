#include "ui/terminal/TerminalPalette.h"

TerminalPalette TerminalPalette::Make(bool colour) {
  TerminalPalette palette;
  auto set = [&palette](Look look, attr_t attributes, short pair = 0) {
    palette.attributes_[Index(look)] = attributes;
    palette.pairs_[Index(look)] = pair;
  };
  set(Look::Plain, A_NORMAL);
  set(Look::Title, A_BOLD);
  set(Look::Frame, A_NORMAL);
  set(Look::Field, A_UNDERLINE);
  set(Look::FieldFocused, A_UNDERLINE | A_REVERSE);
  set(Look::Hint, A_DIM | A_UNDERLINE);
  set(Look::Disabled, A_DIM);
  set(Look::Focused, A_REVERSE | A_BOLD);
  set(Look::Mnemonic, A_UNDERLINE);
  set(Look::Selected, A_REVERSE);
  set(Look::SelectedFocused, A_REVERSE | A_BOLD);
  set(Look::Header, A_BOLD | A_UNDERLINE);
  set(Look::TabActive, A_REVERSE | A_BOLD);
  set(Look::Status, A_REVERSE);
  set(Look::Tip, A_REVERSE | A_BOLD);
  if (!colour) return palette;

  palette.colour_ = true;
  enum : short { kField = 1, kFrame, kMnemonic, kStatus, kTitle };
  // -1 is the terminal's own foreground or background (use_default_colors).
  init_pair(kField, COLOR_BLACK, COLOR_CYAN);
  init_pair(kFrame, COLOR_BLUE, -1);
  init_pair(kMnemonic, COLOR_RED, -1);
  init_pair(kStatus, COLOR_BLACK, COLOR_WHITE);
  init_pair(kTitle, COLOR_BLUE, -1);
  set(Look::Title, A_BOLD, kTitle);
  set(Look::Frame, A_NORMAL, kFrame);
  set(Look::Field, A_NORMAL, kField);
  set(Look::FieldFocused, A_BOLD, kStatus);
  set(Look::Hint, A_DIM, kField);
  set(Look::Mnemonic, A_UNDERLINE | A_BOLD, kMnemonic);
  set(Look::Status, A_NORMAL, kStatus);
  set(Look::Tip, A_BOLD, kStatus);
  return palette;
}
