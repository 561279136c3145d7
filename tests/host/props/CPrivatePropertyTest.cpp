#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "props/CPrivateProperty.h"

namespace {

std::vector<std::string> Names(const CPrivateProperty& bag) {
  std::vector<std::string> names;
  for (const auto& [name, child] : bag.Properties()) names.push_back(name);
  return names;
}

TEST(CPrivatePropertyTest, MissingKeyGroupOrOtherTypeGivesTheDefault) {
  CPrivateProperty bag;
  bag.SetValueToProperty("Text", "BANK01");
  bag.SetValueToProperty("Flag", true);
  bag.SetValueToProperty("Number", std::int32_t{7});
  bag.Properties()["Group"].SetValueToProperty("Inner", std::int32_t{1});

  for (const char* key : {"Missing", "Group", "Flag", "Number"}) {
    rr::RRString text("old");
    bag.GetValueFromProperty(key, text, rr::RRString("dflt"));
    EXPECT_TRUE(text == "dflt") << key;
  }
  for (const char* key : {"Missing", "Group", "Text", "Number"}) {
    bool flag = false;
    bag.GetValueFromProperty(key, flag, true);
    EXPECT_TRUE(flag) << key;
  }
  for (const char* key : {"Missing", "Group", "Text", "Flag"}) {
    std::int32_t number = 0;
    bag.GetValueFromProperty(key, number, -5);
    EXPECT_EQ(number, -5) << key;
  }

  rr::RRString text;
  bool flag = false;
  std::int32_t number = 0;
  bag.GetValueFromProperty("Text", text, "dflt");
  bag.GetValueFromProperty("Flag", flag, false);
  bag.GetValueFromProperty("Number", number, 0);
  EXPECT_TRUE(text == "BANK01");
  EXPECT_TRUE(flag);
  EXPECT_EQ(number, 7);
}

TEST(CPrivatePropertyTest, KeepsInt32LimitsAndTextBytes) {
  CPrivateProperty bag;
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  bag.SetValueToProperty("Min", kMin);
  bag.SetValueToProperty("Max", kMax);
  const std::string bytes("a\0b\xFF", 4);
  bag.SetValueToProperty("Bytes", rr::RRString(bytes));

  std::int32_t min = 0, max = 0;
  bag.GetValueFromProperty("Min", min, 0);
  bag.GetValueFromProperty("Max", max, 0);
  EXPECT_EQ(min, kMin);
  EXPECT_EQ(max, kMax);
  rr::RRString text;
  bag.GetValueFromProperty("Bytes", text, "");
  EXPECT_EQ(text.str(), bytes);
}

TEST(CPrivatePropertyTest, SetReplacesInPlaceAndAppendsNewKeys) {
  CPrivateProperty bag;
  bag.SetValueToProperty("A", "1");
  bag.SetValueToProperty("B", "2");
  bag.SetValueToProperty("C", "3");
  bag.SetValueToProperty("B", false);  // another type replaces the text
  bag.SetValueToProperty("D", std::int32_t{4});

  EXPECT_EQ(Names(bag), (std::vector<std::string>{"A", "B", "C", "D"}));
  const CPrivateProperty* b = bag.Properties().find("B");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Type(), CPrivateProperty::EType::Bool);
  EXPECT_EQ(b->StringValue(), "");
  rr::RRString text;
  bag.GetValueFromProperty("B", text, "none");
  EXPECT_TRUE(text == "none");
}

TEST(CPrivatePropertyTest, TextOverloadsStoreTextsAndNullMeansEmpty) {
  CPrivateProperty bag;
  bag.SetValueToProperty("Literal", "true");  // a text, not a bool
  bag.SetValueToProperty("Null", static_cast<const char*>(nullptr));
  bag.SetValueToProperty(nullptr, std::int32_t{3});

  EXPECT_EQ(bag.Properties().find("Literal")->Type(), CPrivateProperty::EType::String);
  EXPECT_EQ(bag.Properties().find("Null")->Type(), CPrivateProperty::EType::String);
  std::int32_t number = 0;
  bag.GetValueFromProperty("", number, 0);
  EXPECT_EQ(number, 3);
}

TEST(CPrivatePropertyTest, SettingAValueKeepsTheChildsChildren) {
  CPrivateProperty bag;
  bag.Properties()["G"].SetValueToProperty("X", true);
  bag.SetValueToProperty("G", std::int32_t{1});
  CPrivateProperty& g = *bag.Properties().find("G");
  EXPECT_EQ(g.Type(), CPrivateProperty::EType::Int);
  EXPECT_EQ(Names(g), std::vector<std::string>{"X"});
  g.ClearValue();
  EXPECT_EQ(g.Type(), CPrivateProperty::EType::None);
  EXPECT_EQ(Names(g), std::vector<std::string>{"X"});
}

TEST(CPrivatePropertyTest, EraseKeepsOrderAndLookups) {
  CPrivateProperty bag;
  for (const char* key : {"A", "B", "C", "D"}) bag.SetValueToProperty(key, key);
  EXPECT_TRUE(bag.Properties().erase("B"));
  EXPECT_FALSE(bag.Properties().erase("B"));
  EXPECT_EQ(Names(bag), (std::vector<std::string>{"A", "C", "D"}));
  for (const char* key : {"A", "C", "D"}) {
    const CPrivateProperty* child = bag.Properties().find(key);
    ASSERT_NE(child, nullptr) << key;
    EXPECT_EQ(child->StringValue(), key);
  }
  bag.SetValueToProperty("B", "again");
  EXPECT_EQ(Names(bag), (std::vector<std::string>{"A", "C", "D", "B"}));
  bag.Properties().clear();
  EXPECT_TRUE(bag.Properties().empty());
  EXPECT_EQ(bag.Properties().find("A"), nullptr);
}

TEST(CPrivatePropertyTest, EqualityWeighsValueTypeChildrenAndOrder) {
  const auto make = [](bool swapped, std::int32_t inner) {
    CPrivateProperty bag;
    bag.SetValueToProperty(swapped ? "B" : "A", "x");
    bag.SetValueToProperty(swapped ? "A" : "B", "x");
    bag.Properties()["G"].SetValueToProperty("N", inner);
    return bag;
  };
  EXPECT_EQ(make(false, 1), make(false, 1));
  EXPECT_NE(make(false, 1), make(true, 1));
  EXPECT_NE(make(false, 1), make(false, 2));

  CPrivateProperty text, number, group;
  text.SetValue(std::string("1"));
  number.SetValue(std::int32_t{1});
  EXPECT_NE(text, number);
  EXPECT_NE(text, group);
  group.Properties()["Empty"];
  EXPECT_NE(group, CPrivateProperty());
}

TEST(CPrivatePropertyTest, CopiesAreIndependentAndMovesKeepLookups) {
  CPrivateProperty original;
  original.SetValueToProperty("A", "1");
  CPrivateProperty copy = original;
  copy.SetValueToProperty("A", "2");
  copy.SetValueToProperty("B", "3");
  EXPECT_EQ(original.Properties().find("A")->StringValue(), "1");
  EXPECT_EQ(original.Properties().find("B"), nullptr);

  CPrivateProperty moved = std::move(copy);
  ASSERT_NE(moved.Properties().find("B"), nullptr);
  EXPECT_EQ(moved.Properties().find("B")->StringValue(), "3");
}

}  // namespace
