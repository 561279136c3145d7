#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rrstring/RRString.h"

namespace {

TEST(RRStringTest, HoldsBytesZeroIncluded) {
  const char bytes[] = {'a', '\0', 'b', '\xFF'};
  const rr::RRString text(bytes, sizeof bytes);
  EXPECT_EQ(text.length(), 4u);
  EXPECT_EQ(std::memcmp(text.data(), bytes, 4), 0);
  EXPECT_EQ(text.c_str()[4], '\0');
  EXPECT_FALSE(text == "a");  // the zero byte does not end the string
  EXPECT_TRUE(text == rr::RRString(std::string(bytes, 4)));
}

TEST(RRStringTest, NullGivesTheEmptyString) {
  const char* null = nullptr;
  EXPECT_TRUE(rr::RRString(null).empty());
  EXPECT_TRUE(rr::RRString(null, 5).empty());
  rr::RRString text("x");
  text = null;
  EXPECT_TRUE(text.empty());
  EXPECT_TRUE(text == null);
  EXPECT_TRUE(text == "");
}

TEST(RRStringTest, ComparesWithCStringsByteForByte) {
  const rr::RRString text("BANK01");
  EXPECT_TRUE(text == "BANK01");
  EXPECT_TRUE("BANK01" == text);
  EXPECT_FALSE(text == "BANK0");
  EXPECT_FALSE(text == "BANK012");
  EXPECT_FALSE(text == "bank01");
  EXPECT_TRUE(text != "x");
}

TEST(RRStringTest, CopiesAndAssignmentsAreIndependent) {
  rr::RRString original("one");
  rr::RRString copy(original);
  copy = "two";
  EXPECT_TRUE(original == "one");
  rr::RRString assigned;
  assigned = original;
  original = "three";
  EXPECT_TRUE(assigned == "one");
  rr::RRString moved(std::move(assigned));
  EXPECT_TRUE(moved == "one");
  EXPECT_EQ(moved.view(), "one");
  EXPECT_EQ(moved.str(), "one");
}

}  // namespace
