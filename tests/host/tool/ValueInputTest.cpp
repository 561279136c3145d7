// A value for set read by the rule get prints it by: each of get's forms, the plain
// words, and what cannot be read.
#include "tool/review/ValueInput.h"

#include <gtest/gtest.h>

namespace {

TEST(ValueInput, ReadsTheMarksGetPrintsAndThePlainWords) {
  const struct {
    const char* typed;
    std::optional<bool> check;
    std::optional<bool> radio;
  } cases[] = {
      {"on", true, true},
      {"off", false, false},
      {"[x]", true, std::nullopt},
      {"[ ]", false, std::nullopt},
      {"[x] (disabled)", true, std::nullopt},
      {"(o)", std::nullopt, true},
      {"( )", std::nullopt, false},
      {"( ) (disabled)", std::nullopt, false},
      {"On", std::nullopt, std::nullopt},
      {"[X]", std::nullopt, std::nullopt},
      {"yes", std::nullopt, std::nullopt},
      {"on (disabled)", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(CheckFromInput(c.typed), c.check);
    EXPECT_EQ(RadioFromInput(c.typed), c.radio);
  }
}

TEST(ValueInput, ReadsATextAsTypedOrQuotedAsGetPrintsIt) {
  const struct {
    const char* typed;   // UTF-8, as on the command line
    std::string stored;  // ISO-8859-1
  } cases[] = {
      {"30", "30"},
      {"\"30\"", "30"},
      {"\"30\" (disabled)", "30"},
      {"\"\"", ""},
      {"", ""},
      {"\"", "\""},                        // too short to be quoted
      {"a \"b\"", "a \"b\""},              // not quoted as a whole
      {"30 (disabled)", "30 (disabled)"},  // a plain text is whole
      {"\"a \\\"b\\\"\"", "a \"b\""},
      {"\"C:\\\\kelo\"", "C:\\kelo"},
      {"\"line\\nnext\\ttab\\r\"", "line\nnext\ttab\r"},
      {"\"Caf\\xE9\"", "Caf\xE9"},     // a byte as stored
      {"\"Caf\xC3\xA9\"", "Caf\xE9"},  // the character, typed
      {"Z\xC3\xBCrich", "Z\xFCrich"},
      {"\"\\x85 \xC3\xA9\"", "\x85 \xE9"},  // escaped bytes and characters mixed
      {"\"\\\"x\\\"\"", "\"x\""},           // a text that begins and ends with a quote
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(TextFromInput(c.typed), c.stored);
  }
}

TEST(ValueInput, RefusesWhatGetWouldNotPrint) {
  const struct {
    const char* typed;
    const char* said;
  } cases[] = {
      {"\xE2\x82\xAC", "ISO-8859-1"},
      {"\"\xE2\x82\xAC\"", "ISO-8859-1"},
      {"\"a\"b\"", "written \\\""},
      {"\"a\\\"", "lone backslash"},
      {"\"\\q\"", "knows the escapes"},
      {"\"\\x4\"", "two hexadecimal digits"},
      {"\"\\xG0\"", "two hexadecimal digits"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    try {
      TextFromInput(c.typed);
      ADD_FAILURE() << "read";
    } catch (const ValueInputError& e) {
      EXPECT_NE(std::string(e.what()).find(c.said), std::string::npos) << e.what();
    }
  }
}

TEST(ValueInput, APasswordBoxTakesEmptyAndNotTheOtherWords) {
  EXPECT_EQ(PasswordFromInput("(empty)"), "");
  EXPECT_EQ(PasswordFromInput(""), "");
  EXPECT_EQ(PasswordFromInput("\"\""), "");
  EXPECT_EQ(PasswordFromInput("(set)"), std::nullopt);
  EXPECT_EQ(PasswordFromInput("(unreadable, kept)"), std::nullopt);
  EXPECT_EQ(PasswordFromInput("(set) (disabled)"), std::nullopt);
  EXPECT_EQ(PasswordFromInput("hunter2"), "hunter2");
}

}  // namespace
