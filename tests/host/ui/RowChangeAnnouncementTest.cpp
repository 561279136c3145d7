#include <gtest/gtest.h>

#include "ui/backend/RowChangeAnnouncement.h"

namespace {

TEST(RowChangeAnnouncement, SaysWhatACommandDidToTheRows) {
  struct Case {
    const char* noun;
    RowChange change;
    const char* said;
  };
  const Case cases[] = {
      {"holiday", {5, 12, 0, false}, "12 holidays added"},
      {"holiday", {5, 1, 0, false}, "1 holiday added"},
      {"holiday", {5, 0, 1, false}, "1 holiday removed"},
      {"holiday", {5, 0, 2, false}, "2 holidays removed"},
      {"holiday", {95000, 0, 95000, true}, "All 95000 holidays removed"},
      {"holiday", {95000, 0, 95000, false}, "All 95000 holidays removed"},  // one by one
      {"holiday", {1, 0, 1, true}, "1 holiday removed"},  // "all" of one is just the one
      {"holiday", {5, 3, 2, false}, "3 holidays added, 2 holidays removed"},
      {"holiday", {5, 7, 5, true}, ""},        // emptied and filled: other rows, none added
      {"holiday", {2, 0, 2, true, true}, ""},  // emptied for another choice, an empty one
      {"holiday", {2, 0, 1, false, true}, "1 holiday removed"},  // a row removed is one
      {"holiday", {7, 0, 0, false}, ""},
      {"currency", {1, 2, 0, false}, "2 currencies added"},
      {"box", {1, 2, 0, false}, "2 boxes added"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    EXPECT_EQ(RowChangeAnnouncement(c.noun, c.change), c.said);
  }
  EXPECT_EQ(RowNoun("&Holiday:"), "holiday");
  EXPECT_EQ(RowNoun("ISO Code: "), "ISO Code");
  EXPECT_EQ(RowNoun(""), "row");
  EXPECT_EQ(RowNounOfName("Holiday"), "holiday");
}

}  // namespace
