#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TextField.h"

namespace {

TEST(TextField, EditsAtTheCursor) {
  TextField field;
  field.SetText(U"1");
  field.Insert(U"3");
  field.Left();
  field.Insert(U"e");
  EXPECT_EQ(field.Text(), U"1e3");
  EXPECT_TRUE(field.Backspace());
  EXPECT_EQ(field.Text(), U"13");
  field.Home();
  EXPECT_FALSE(field.Backspace());
  EXPECT_TRUE(field.DeleteForward());
  field.End();
  EXPECT_FALSE(field.DeleteForward());
  EXPECT_EQ(field.Text(), U"3");
  EXPECT_EQ(field.WithInserted(U"-"), U"3-");
  EXPECT_EQ(field.Text(), U"3");
}

TEST(TextField, TakesTheReadlineKeysOfALine) {
  struct Case {
    const char* what;
    char32_t key;
    bool mayChange;
    std::u32string text;  // "|" marks the cursor, before and after
    std::u32string after;
    std::optional<bool> changed;
  };
  const Case cases[] = {
      {"Ctrl+U clears before the cursor", 0x15, true, U"ab|cd", U"|cd", true},
      {"Ctrl+K clears after it", 0x0B, true, U"ab|cd", U"ab|", true},
      {"Ctrl+W the word before it, blanks and all", 0x17, true, U"one two  |x", U"one |x", true},
      {"Ctrl+W within a word", 0x17, true, U"one tw|o", U"one |o", true},
      {"Ctrl+W at the start", 0x17, true, U"|ab", U"|ab", false},
      {"Ctrl+K at the end", 0x0B, true, U"ab|", U"ab|", false},
      {"a read-only field keeps its text", 0x15, false, U"ab|cd", U"ab|cd", false},
      {"Ctrl+A moves even then", 0x01, false, U"ab|cd", U"|abcd", false},
      {"Ctrl+E", 0x05, true, U"ab|cd", U"abcd|", false},
      {"another control character is not the field's", 0x02, true, U"ab|", U"ab|", std::nullopt},
  };
  auto place = [](std::u32string marked, TextField& field) {
    const std::size_t at = marked.find(U'|');
    marked.erase(at, 1);
    field.SetText(marked);
    field.Home();
    for (std::size_t i = 0; i < at; ++i) field.Right();
  };
  auto marked = [](const TextField& field) {
    std::u32string text = field.Text();
    return text.insert(static_cast<std::size_t>(field.Cursor()), 1, U'|');
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TextField field;
    place(c.text, field);
    EXPECT_EQ(field.ReadlineKey(c.key, c.mayChange), c.changed);
    EXPECT_TRUE(marked(field) == c.after) << ToUtf8(marked(field));
  }
}

TEST(TerminalText, ShowsWhatWouldDisturbTheRowAsAQuestionMark) {
  for (char32_t c : {U'\x1B', U'\x85', U'\r', U'\u202E', U'\u200F', U'\u2066', U'\u2028'}) {
    SCOPED_TRACE(static_cast<unsigned>(c));
    EXPECT_EQ(ShownCharacter(c), U'?');
    EXPECT_EQ(CellWidth(c), 1);
  }
  // The terminal backend runs in the user's UTF-8 locale; width comes from it.
  const std::string before = std::setlocale(LC_CTYPE, nullptr);
  if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  EXPECT_EQ(ShownCharacter(U'\u00e9'), U'\u00e9');
  std::setlocale(LC_CTYPE, before.c_str());
}

TEST(TextField, ScrollsALongTextToShowTheCursor) {
  TextField field;
  field.SetText(U"abcdefghij");
  EXPECT_EQ(field.FirstShown(4), 7) << "the end and the cursor after it show";
  field.Home();
  EXPECT_EQ(field.FirstShown(4), 0);
  field.Right();
  field.Right();
  EXPECT_EQ(field.FirstShown(4), 0) << "no move while the cursor shows";
  field.SetText(std::u32string(4, U'\u4e2d'));  // four wide characters
  std::setlocale(LC_CTYPE, "C.UTF-8");
  EXPECT_EQ(field.FirstShown(5), 2) << "two of two columns each, and the cursor";
  TextField masked;
  masked.SetText(field.Text());
  EXPECT_EQ(masked.FirstShown(5, true), 0) << "masked, each is one star";
}

// A whole number: blanks, a sign, digits, blanks; so "1e3" can only be typed as "13".
TEST(TextField, KnowsWhatCanBecomeAWholeNumber) {
  for (const char32_t* yes : {U"", U"13", U" -3", U"+", U"  42 \t"})
    EXPECT_TRUE(IsWholeNumberText(yes));
  for (const char32_t* no : {U"1e3", U"4.5", U"4 5", U"--1", U"\u0661"})
    EXPECT_FALSE(IsWholeNumberText(no));
}

TEST(TerminalText, KeepsBytesThroughTheTerminal) {
  EXPECT_EQ(ToLatin1(FromLatin1("caf\xE9")), "caf\xE9");
  EXPECT_EQ(ToLatin1(U"\u20ac1"), "?1");
  EXPECT_EQ(FirstBeyondLatin1(U"a\u00ff\u20ac"), U'\u20ac');
  EXPECT_EQ(FirstBeyondLatin1(U"a\u00ff"), std::nullopt);
  // A path that is not UTF-8 comes back byte for byte.
  for (const char* path : {"/tmp/caf\xC3\xA9.ics", "/tmp/caf\xE9.ics", "\xF0\x9F", "\xED\xA0\x80"})
    EXPECT_EQ(ToUtf8(FromUtf8(path)), path);
  EXPECT_EQ(FromUtf8("caf\xC3\xA9"), U"caf\u00e9");
}

}  // namespace
