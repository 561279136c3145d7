#include <gtest/gtest.h>

#include <clocale>

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
