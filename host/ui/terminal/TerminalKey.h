#pragma once

#include <optional>

// A key as the terminal backend handles it, decoded from what curses reads.
enum class KeyCode {
  None,
  Char,  // a character typed (ch); control characters included (Ctrl+U is 0x15)
  Enter,
  Escape,
  Tab,
  BackTab,
  Backspace,
  Delete,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown,
  F1,
  F4,
  PasteStart,  // a bracketed paste begins: the characters that follow were pasted
  PasteEnd,
};

struct TerminalKey {
  KeyCode code = KeyCode::None;
  char32_t ch = 0;
  bool alt = false;
  bool ctrl = false;
  bool shift = false;

  // A printable character typed without Alt or Ctrl.
  bool IsText() const { return code == KeyCode::Char && !alt && !ctrl && ch >= 0x20 && ch != 0x7F; }
  // The letter or digit of Alt+letter, upper case; 0 for any other key.
  char AltLetter() const;
  friend bool operator==(const TerminalKey&, const TerminalKey&) = default;
};

// Keys that curses reports by its own codes, and those the backend teaches it
// (DefineExtraKeys), as TerminalKey. `isKeyCode` is true when curses answered
// KEY_CODE_YES. Unknown codes decode to KeyCode::None.
TerminalKey DecodeKey(bool isKeyCode, unsigned value);

// Teaches curses the keys xterm and its followers send with modifiers, which many
// terminal descriptions leave out (Ctrl+PgUp, Shift+Up, a bracketed paste...), as
// codes DecodeKey knows. Call once curses has started.
void DefineExtraKeys();

// A terminal without Alt sends Escape and then the letter: Escape followed by a
// letter or digit is Alt with it. Nothing when `next` does not join the Escape.
std::optional<TerminalKey> JoinEscape(const TerminalKey& next);
