#include "ui/terminal/TerminalKey.h"

#include "ui/terminal/Curses.h"

#include <array>
#include <cstddef>

namespace {

TerminalKey Plain(KeyCode code) { return {code, 0, false, false, false}; }
TerminalKey Ctrl(KeyCode code) { return {code, 0, false, true, false}; }
TerminalKey Shift(KeyCode code) { return {code, 0, false, false, true}; }
TerminalKey Alt(KeyCode code) { return {code, 0, true, false, false}; }

// The sequences taught to curses, each with the key it stands for. Codes are
// handed out from kFirstExtra in this order.
struct ExtraKey {
  const char* sequence;
  TerminalKey key;
};

const std::array<ExtraKey, 39>& ExtraKeys() {
  static const std::array<ExtraKey, 39> keys = {{
      {"\x1b[5;5~", Ctrl(KeyCode::PageUp)},
      {"\x1b[6;5~", Ctrl(KeyCode::PageDown)},
      {"\x1b[1;5H", Ctrl(KeyCode::Home)},
      {"\x1b[1;5F", Ctrl(KeyCode::End)},
      {"\x1b[1;5A", Ctrl(KeyCode::Up)},
      {"\x1b[1;5B", Ctrl(KeyCode::Down)},
      {"\x1b[1;5C", Ctrl(KeyCode::Right)},
      {"\x1b[1;5D", Ctrl(KeyCode::Left)},
      {"\x1b[1;2A", Shift(KeyCode::Up)},
      {"\x1b[1;2B", Shift(KeyCode::Down)},
      {"\x1b[1;2H", Shift(KeyCode::Home)},
      {"\x1b[1;2F", Shift(KeyCode::End)},
      {"\x1b[5;2~", Shift(KeyCode::PageUp)},
      {"\x1b[6;2~", Shift(KeyCode::PageDown)},
      {"\x1b[1;3A", Alt(KeyCode::Up)},
      {"\x1b[1;3B", Alt(KeyCode::Down)},
      {"\x1b[Z", Plain(KeyCode::BackTab)},
      {"\x1b[1~", Plain(KeyCode::Home)},
      {"\x1b[4~", Plain(KeyCode::End)},
      {"\x1b[7~", Plain(KeyCode::Home)},
      {"\x1b[8~", Plain(KeyCode::End)},
      {"\x1b[H", Plain(KeyCode::Home)},
      {"\x1b[F", Plain(KeyCode::End)},
      {"\x1bOH", Plain(KeyCode::Home)},
      {"\x1bOF", Plain(KeyCode::End)},
      {"\x1b[3~", Plain(KeyCode::Delete)},
      {"\x1b[5~", Plain(KeyCode::PageUp)},
      {"\x1b[6~", Plain(KeyCode::PageDown)},
      {"\x1b[200~", Plain(KeyCode::PasteStart)},
      {"\x1b[201~", Plain(KeyCode::PasteEnd)},
      {"\x1b[1;5~", Ctrl(KeyCode::Home)},
      // The arrows in both of the cursor keys' modes, whichever the terminal is in.
      {"\x1b[A", Plain(KeyCode::Up)},
      {"\x1b[B", Plain(KeyCode::Down)},
      {"\x1b[C", Plain(KeyCode::Right)},
      {"\x1b[D", Plain(KeyCode::Left)},
      {"\x1bOA", Plain(KeyCode::Up)},
      {"\x1bOB", Plain(KeyCode::Down)},
      {"\x1bOC", Plain(KeyCode::Right)},
      {"\x1bOD", Plain(KeyCode::Left)},
  }};
  return keys;
}

// Codes above every code curses gives out itself.
constexpr unsigned kFirstExtra = KEY_MAX + 1;

// The extra codes curses already had a code of its own for: that code stands for the
// extra key too.
std::array<int, 39>& KnownCodes() {
  static std::array<int, 39> codes{};
  return codes;
}

}  // namespace

char TerminalKey::AltLetter() const {
  if (code != KeyCode::Char || !alt || ctrl) return 0;
  if (ch >= 'a' && ch <= 'z') return static_cast<char>(ch - 'a' + 'A');
  if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) return static_cast<char>(ch);
  return 0;
}

TerminalKey DecodeKey(bool isKeyCode, unsigned value) {
  if (!isKeyCode) {
    switch (value) {
      case '\r':
      case '\n':
        return Plain(KeyCode::Enter);
      case 0x1B:
        return Plain(KeyCode::Escape);
      case '\t':
        return Plain(KeyCode::Tab);
      case 0x08:
      case 0x7F:
        return Plain(KeyCode::Backspace);
      default:
        return {KeyCode::Char, static_cast<char32_t>(value), false, false, false};
    }
  }
  switch (value) {
    case KEY_ENTER:
      return Plain(KeyCode::Enter);
    case KEY_BTAB:
      return Plain(KeyCode::BackTab);
    case KEY_BACKSPACE:
      return Plain(KeyCode::Backspace);
    case KEY_DC:
      return Plain(KeyCode::Delete);
    case KEY_UP:
      return Plain(KeyCode::Up);
    case KEY_DOWN:
      return Plain(KeyCode::Down);
    case KEY_LEFT:
      return Plain(KeyCode::Left);
    case KEY_RIGHT:
      return Plain(KeyCode::Right);
    case KEY_HOME:
    case KEY_A1:
      return Plain(KeyCode::Home);
    case KEY_END:
    case KEY_C1:
      return Plain(KeyCode::End);
    case KEY_PPAGE:
    case KEY_A3:
      return Plain(KeyCode::PageUp);
    case KEY_NPAGE:
    case KEY_C3:
      return Plain(KeyCode::PageDown);
    case KEY_SR:
      return Shift(KeyCode::Up);
    case KEY_SF:
      return Shift(KeyCode::Down);
    case KEY_SHOME:
      return Shift(KeyCode::Home);
    case KEY_SEND:
      return Shift(KeyCode::End);
    case KEY_SPREVIOUS:
      return Shift(KeyCode::PageUp);
    case KEY_SNEXT:
      return Shift(KeyCode::PageDown);
    case KEY_F(1):
      return Plain(KeyCode::F1);
    case KEY_F(4):
      return Plain(KeyCode::F4);
    default:
      break;
  }
  const auto& extra = ExtraKeys();
  if (value >= kFirstExtra && value < kFirstExtra + extra.size())
    return extra[value - kFirstExtra].key;
  for (std::size_t i = 0; i < extra.size(); ++i) {
    if (KnownCodes()[i] > 0 && static_cast<unsigned>(KnownCodes()[i]) == value) return extra[i].key;
  }
  return Plain(KeyCode::None);
}

void DefineExtraKeys() {
  const auto& extra = ExtraKeys();
  for (std::size_t i = 0; i < extra.size(); ++i) {
    const int known = key_defined(extra[i].sequence);
    KnownCodes()[i] = known;
    // A sequence curses knows keeps its code (a terminal description names it); one
    // that would clash with a known prefix is left alone.
    if (known == 0) define_key(extra[i].sequence, static_cast<int>(kFirstExtra + i));
  }
}

std::optional<TerminalKey> JoinEscape(const TerminalKey& next) {
  if (next.code != KeyCode::Char || next.alt || next.ctrl) return std::nullopt;
  const char32_t c = next.ch;
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  if (!letter) return std::nullopt;
  TerminalKey joined = next;
  joined.alt = true;
  return joined;
}
