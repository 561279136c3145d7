// The one rule by which names, paths and stored texts are shown.
#include "text/TextEscape.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextEscapeTest, ShowsEachByteByTheRule) {
  const struct {
    std::string text;
    TextBytes bytes;
    const char* escaped;  // EscapeText
    const char* token;    // ShownToken
  } cases[] = {
      {"plain.xml", TextBytes::Utf8, "plain.xml", "plain.xml"},
      {"", TextBytes::Utf8, "", "\"\""},
      {"a b.xml", TextBytes::Utf8, "a b.xml", "\"a b.xml\""},
      {"say \"hi\"", TextBytes::Utf8, "say \"hi\"", "\"say \\\"hi\\\"\""},
      {"x\ny\rz\tw", TextBytes::Utf8, "x\\ny\\rz\\tw", "x\\ny\\rz\\tw"},
      {"back\\slash", TextBytes::Utf8, "back\\\\slash", "back\\\\slash"},
      {std::string("nul\0bell\a\x1B[2J\x7F", 14), TextBytes::Utf8, "nul\\x00bell\\x07\\x1B[2J\\x7F",
       "nul\\x00bell\\x07\\x1B[2J\\x7F"},
      // UTF-8 stays; a byte that is not part of a valid sequence does not.
      {"caf\xC3\xA9", TextBytes::Utf8, "caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xE2\x82\xAC \xF0\x9F\x92\xB7", TextBytes::Utf8, "\xE2\x82\xAC \xF0\x9F\x92\xB7",
       "\"\xE2\x82\xAC \xF0\x9F\x92\xB7\""},
      {"caf\xE9", TextBytes::Utf8, "caf\\xE9", "caf\\xE9"},
      {"\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82", TextBytes::Utf8,
       "\\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80 \\xE2\\x82",
       "\"\\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80 \\xE2\\x82\""},
      // U+0085 is a control character, shown by its bytes.
      {"a\xC2\x85"
       "b",
       TextBytes::Utf8, "a\\xC2\\x85b", "a\\xC2\\x85b"},
      // So are the bidirectional controls and the line and paragraph separators,
      // which reorder or break the line a terminal shows; their neighbours stay.
      {"a\xE2\x80\xAE"
       "b\xE2\x81\xA6"
       "c\xD8\x9C\xE2\x80\x8F\xE2\x80\xA8",
       TextBytes::Utf8, "a\\xE2\\x80\\xAEb\\xE2\\x81\\xA6c\\xD8\\x9C\\xE2\\x80\\x8F\\xE2\\x80\\xA8",
       "a\\xE2\\x80\\xAEb\\xE2\\x81\\xA6c\\xD8\\x9C\\xE2\\x80\\x8F\\xE2\\x80\\xA8"},
      {"\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xAA\xD8\x9B", TextBytes::Utf8,
       "\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xAA\xD8\x9B",
       "\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xAA\xD8\x9B"},
      // Stored ISO-8859-1 is converted; its control characters are escaped by byte.
      {"caf\xE9 \xC0", TextBytes::Latin1, "caf\xC3\xA9 \xC3\x80", "\"caf\xC3\xA9 \xC3\x80\""},
      {"\x85\x9F\xA0\xFF", TextBytes::Latin1, "\\x85\\x9F\xC2\xA0\xC3\xBF",
       "\\x85\\x9F\xC2\xA0\xC3\xBF"},
      {"SID\nchanged h/x.xml", TextBytes::Latin1, "SID\\nchanged h/x.xml",
       "\"SID\\nchanged h/x.xml\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(EscapeText(c.text, c.bytes), c.escaped);
    EXPECT_EQ(ShownToken(c.text, c.bytes), c.token);
    const std::string quoted = QuotedToken(c.text, c.bytes);
    EXPECT_EQ(quoted.front(), '"');
    EXPECT_EQ(quoted.back(), '"');
  }
  EXPECT_EQ(QuotedToken("Currency:", TextBytes::Latin1), "\"Currency:\"");
}

// A message line is made safe as a whole without touching what a shown name put
// there, so showing it twice changes nothing.
TEST(TextEscapeTest, ALineIsShownOnceAndStaysSo) {
  const std::string message = "cannot read " + QuotedToken("a\\b \"c\"\n\xFF", TextBytes::Utf8) +
                              ": it is a folder\nand \xE9\x1B";
  const std::string shown = ShownLine(message);
  EXPECT_EQ(shown, "cannot read \"a\\\\b \\\"c\\\"\\n\\xFF\": it is a folder\\nand \\xE9\\x1B");
  EXPECT_EQ(ShownLine(shown), shown);
  EXPECT_EQ(ShownLine("git: '\xE2\x80\xAEx'"), "git: '\\xE2\\x80\\xAEx'");
}

}  // namespace
