#include <gtest/gtest.h>

#include "ui/terminal/Curses.h"
#include "ui/terminal/TerminalKey.h"

namespace {

TerminalKey K(KeyCode code, bool ctrl = false, bool shift = false, bool alt = false) {
  return {code, 0, alt, ctrl, shift};
}

TEST(TerminalKey, DecodesWhatCursesReads) {
  struct Case {
    bool isKeyCode;
    unsigned value;
    TerminalKey key;
  };
  const Case cases[] = {
      {false, '\r', K(KeyCode::Enter)},
      {false, '\n', K(KeyCode::Enter)},
      {false, 0x1B, K(KeyCode::Escape)},
      {false, '\t', K(KeyCode::Tab)},
      {false, 0x7F, K(KeyCode::Backspace)},
      {false, 0x08, K(KeyCode::Backspace)},
      {false, 'a', {KeyCode::Char, U'a', false, false, false}},
      {false, 0xE9, {KeyCode::Char, U'\u00e9', false, false, false}},
      {false, 0x20AC, {KeyCode::Char, U'\u20ac', false, false, false}},
      {true, KEY_BTAB, K(KeyCode::BackTab)},
      {true, KEY_DC, K(KeyCode::Delete)},
      {true, KEY_NPAGE, K(KeyCode::PageDown)},
      {true, KEY_SR, K(KeyCode::Up, false, true)},
      {true, KEY_F(1), K(KeyCode::F1)},
      {true, KEY_F(4), K(KeyCode::F4)},
      {true, KEY_F(5), K(KeyCode::None)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(DecodeKey(c.isKeyCode, c.value), c.key);
  }
  EXPECT_TRUE(DecodeKey(false, 'x').IsText());
  EXPECT_FALSE(DecodeKey(false, 0x15).IsText()) << "Ctrl+U types nothing";
}

// Escape and then a letter is Alt with it; anything else leaves the Escape alone.
TEST(TerminalKey, JoinsEscapeAndALetterIntoAlt) {
  const std::optional<TerminalKey> joined = JoinEscape(DecodeKey(false, 'h'));
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->AltLetter(), 'H');
  EXPECT_EQ(JoinEscape(DecodeKey(false, '7'))->AltLetter(), '7');
  EXPECT_FALSE(JoinEscape(DecodeKey(false, ' ')));
  EXPECT_FALSE(JoinEscape(DecodeKey(false, 0x1B)));
  EXPECT_FALSE(JoinEscape(DecodeKey(true, KEY_DOWN)));
  EXPECT_FALSE(JoinEscape(DecodeKey(false, 0xE9))) << "a letter without a mnemonic's key";
  EXPECT_EQ(DecodeKey(false, 'h').AltLetter(), 0) << "no Alt without Alt";
}

}  // namespace
