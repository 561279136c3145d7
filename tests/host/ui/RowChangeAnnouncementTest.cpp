#include <gtest/gtest.h>

#include "ui/backend/RowChangeAnnouncement.h"

namespace {

TEST(RowChangeAnnouncement, SaysWhatACommandDidToTheRows) {
  struct Case {
    const char* noun;
    int before;
    int after;
    const char* said;
  };
  const Case cases[] = {
      {"holiday", 5, 17, "12 holidays added"},
      {"holiday", 5, 6, "1 holiday added"},
      {"holiday", 5, 4, "1 holiday removed"},
      {"holiday", 5, 3, "2 holidays removed"},
      {"holiday", 95000, 0, "All 95000 holidays removed"},
      {"holiday", 1, 0, "1 holiday removed"},  // "all" of one is just the one
      {"holiday", 7, 7, ""},
      {"currency", 1, 3, "2 currencies added"},
      {"box", 1, 3, "2 boxes added"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    EXPECT_EQ(RowChangeAnnouncement(c.noun, c.before, c.after), c.said);
  }
  EXPECT_EQ(RowNoun("&Holiday:"), "holiday");
  EXPECT_EQ(RowNoun("ISO Code: "), "ISO Code");
  EXPECT_EQ(RowNoun(""), "row");
}

}  // namespace
