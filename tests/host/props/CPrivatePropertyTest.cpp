#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
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

// Small bags are searched name by name and large ones through an index built on
// the way; both must behave alike, also across the change.
TEST(CPrivatePropertyTest, LookupsEraseAndCopiesHoldAtAnySize) {
  for (const int size : {1, 16, 17, 18, 60}) {
    SCOPED_TRACE(size);
    CPrivateProperty bag;
    std::vector<std::string> keys;
    for (int i = 0; i < size; ++i) {
      keys.push_back("Key" + std::to_string(i));
      bag.SetValueToProperty(keys.back().c_str(), std::int32_t{i});
    }
    CPrivateProperty::PropertyMap& map = bag.Properties();
    const auto [existing, added] = map.try_emplace(keys.back());
    EXPECT_FALSE(added);
    EXPECT_EQ(existing->second.IntValue(), size - 1);
    EXPECT_EQ(map.size(), static_cast<std::size_t>(size));
    EXPECT_EQ(map.find("Key"), nullptr);

    // Dropping the first and a middle child moves the others down.
    map.erase(keys.front());
    keys.erase(keys.begin());
    if (!keys.empty()) {
      const std::string middle = keys[keys.size() / 2];
      EXPECT_TRUE(map.erase(middle));
      keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(keys.size() / 2));
      EXPECT_EQ(map.find(middle), nullptr);
    }
    const auto [appended, isNew] = map.try_emplace("Late");
    EXPECT_TRUE(isNew);
    appended->second.SetValue(std::int32_t{-1});
    keys.push_back("Late");
    EXPECT_EQ(Names(bag), keys);

    const CPrivateProperty copy = bag;
    CPrivateProperty assigned;
    assigned.SetValueToProperty("Other", "x");
    assigned = copy;
    for (const CPrivateProperty* each :
         std::initializer_list<const CPrivateProperty*>{&bag, &copy, &assigned}) {
      for (const std::string& key : keys) {
        const CPrivateProperty* child = each->Properties().find(key);
        ASSERT_NE(child, nullptr) << key;
        EXPECT_EQ(child->IntValue(), key == "Late" ? -1 : std::stoi(key.substr(3)));
      }
    }
    bag.SetValueToProperty("OnlyInTheOriginal", true);
    EXPECT_EQ(copy.Properties().find("OnlyInTheOriginal"), nullptr);
    EXPECT_EQ(assigned.Properties().find("Other"), nullptr);

    map.clear();
    EXPECT_EQ(map.find("Late"), nullptr);
    map["Again"];
    EXPECT_EQ(Names(bag), std::vector<std::string>{"Again"});
  }
}

}  // namespace
