#include "kelo/config/HolidayTableText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "props/CPrivateProperty.h"

namespace kelo {
namespace {

using Stored = std::vector<std::pair<std::string, std::string>>;

CPrivateProperty BagOf(const Stored& values) {
  CPrivateProperty bag;
  for (const auto& [key, value] : values) bag.SetValueToProperty(key.c_str(), value.c_str());
  return bag;
}

HolidayTable Read(const Stored& values) {
  HolidayTable table;
  ReadHolidayTable(BagOf(values), table);
  return table;
}

HolidayTable TableOf(const std::map<std::string, HolidayList>& currencies) {
  HolidayTable table;
  for (const auto& [code, list] : currencies) table.EnsureCurrency(code) = list;
  return table;
}

TEST(HolidayTableText, ReadsStoredTexts) {
  struct Case {
    const char* name;
    Stored stored;
    std::map<std::string, HolidayList> expected;
  };
  const Case cases[] = {
      {"written form",
       {{"CurrencyTable", "EUR|GBP|"},
        {"CurrencyTable_EUR", "2024-01-01|New Year's Day|2024-12-25|Christmas Day|"},
        {"CurrencyTable_GBP", "2024-12-26|Boxing Day|"}},
       {{"EUR", {{"2024-01-01", "New Year's Day"}, {"2024-12-25", "Christmas Day"}}},
        {"GBP", {{"2024-12-26", "Boxing Day"}}}}},
      {"list of two characters is no list",
       {{"CurrencyTable", "X|"}, {"CurrencyTable_X", "2024-01-01|a|"}},
       {}},
      {"list of three characters is read",
       {{"CurrencyTable", "AB|"}, {"CurrencyTable_AB", "2024-01-01|a|"}},
       {{"AB", {{"2024-01-01", "a"}}}}},
      {"one-character code skipped",
       {{"CurrencyTable", "X|EUR|"},
        {"CurrencyTable_X", "2024-01-01|a|"},
        {"CurrencyTable_EUR", "2024-01-02|b|"}},
       {{"EUR", {{"2024-01-02", "b"}}}}},
      {"adjacent separators in the list",
       {{"CurrencyTable", "EUR||GBP|"},
        {"CurrencyTable_EUR", "2024-01-01|a|"},
        {"CurrencyTable_GBP", "2024-01-02|b|"}},
       {{"EUR", {{"2024-01-01", "a"}}}, {"GBP", {{"2024-01-02", "b"}}}}},
      {"list without the last separator, leading separator",
       {{"CurrencyTable", "|EUR"}, {"CurrencyTable_EUR", "2024-01-01|a|"}},
       {{"EUR", {{"2024-01-01", "a"}}}}},
      {"currency listed twice",
       {{"CurrencyTable", "EUR|EUR|"}, {"CurrencyTable_EUR", "2024-01-01|a|"}},
       {{"EUR", {{"2024-01-01", "a"}}}}},
      {"currency without holidays dropped",
       {{"CurrencyTable", "EUR|GBP|"},
        {"CurrencyTable_EUR", ""},
        {"CurrencyTable_GBP", "2024-01-02|b|"}},
       {{"GBP", {{"2024-01-02", "b"}}}}},
      {"listed currency without key dropped", {{"CurrencyTable", "EUR|"}}, {}},
      {"unlisted key ignored", {{"CurrencyTable", ""}, {"CurrencyTable_EUR", "2024-01-01|a|"}}, {}},
      {"repeated date keeps the first remark",
       {{"CurrencyTable", "GBP|"},
        {"CurrencyTable_GBP", "2024-12-25|Christmas Day|2024-12-25|Boxing Day|"}},
       {{"GBP", {{"2024-12-25", "Christmas Day"}}}}},
      {"short token skipped",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "abc|2024-12-25|Christmas Day|"}},
       {{"USD", {{"2024-12-25", "Christmas Day"}}}}},
      {"short remark kept",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-12-25|X|2024-12-26|Y|"}},
       {{"USD", {{"2024-12-25", "X"}, {"2024-12-26", "Y"}}}}},
      {"remark holding a separator",
       {{"CurrencyTable", "USD|"},
        {"CurrencyTable_USD", "2024-07-04|Independence|Day (*)|2024-12-25|Xmas|"}},
       {{"USD", {{"2024-07-04", "Independence"}, {"Day (*)", "2024-12-25"}}}}},
      {"empty remark pairs with the next token",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-07-04||2024-12-25|Xmas|"}},
       {{"USD", {{"2024-07-04", "2024-12-25"}}}}},
      {"lone last date key ignored",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-07-04|a|2024-12-25"}},
       {{"USD", {{"2024-07-04", "a"}}}}},
      {"only a lone date key",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-07-04"}},
       {}},
      {"last pair without separator",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-07-04|a"}},
       {{"USD", {{"2024-07-04", "a"}}}}},
      {"date key closed by the last separator has no remark",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-07-04|"}},
       {}},
      {"date key closed by the last separators after pairs",
       {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-02-01|x|2024-01-01||"}},
       {{"USD", {{"2024-02-01", "x"}}}}},
      {"unsorted keys",
       {{"CurrencyTable", "USD|"},
        {"CurrencyTable_USD", "2025-01-04|c|2024-05-06|a|2024-12-28|b|"}},
       {{"USD", {{"2024-05-06", "a"}, {"2024-12-28", "b"}, {"2025-01-04", "c"}}}}},
      {"codes kept as written",
       {{"CurrencyTable", " eur|"}, {"CurrencyTable_ eur", "2024-01-01|a|"}},
       {{" eur", {{"2024-01-01", "a"}}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.stored), TableOf(c.expected)) << c.name;
}

TEST(HolidayTableText, ReadEmptiesTheTableFirst) {
  HolidayTable table = TableOf({{"EUR", {{"2024-01-01", "a"}}}});
  ReadHolidayTable(CPrivateProperty(), table);
  EXPECT_TRUE(table.empty());
}

TEST(HolidayTableText, WritesEveryCurrencyThenTheList) {
  const HolidayTable table =
      TableOf({{"USD", {}},
               {"EUR", {{"2024-12-25", "Christmas Day"}, {"2024-01-01", "New Year's Day"}}},
               {"GBP", {{"2024-12-26", "Boxing Day"}}}});
  CPrivateProperty bag;
  WriteHolidayTable(table, bag);
  Stored written;
  for (const auto& [key, value] : bag.Properties()) written.emplace_back(key, value.StringValue());
  const Stored expected = {
      {"CurrencyTable_EUR", "2024-01-01|New Year's Day|2024-12-25|Christmas Day|"},
      {"CurrencyTable_GBP", "2024-12-26|Boxing Day|"},
      {"CurrencyTable_USD", ""},
      {"CurrencyTable", "EUR|GBP|USD|"},
  };
  EXPECT_EQ(written, expected);
}

TEST(HolidayTableText, EmptyTableWritesAnEmptyList) {
  CPrivateProperty bag;
  WriteHolidayTable(HolidayTable(), bag);
  ASSERT_EQ(bag.Properties().size(), 1u);
  EXPECT_EQ(bag.Properties().begin()->first, "CurrencyTable");
  EXPECT_EQ(bag.Properties().begin()->second.StringValue(), "");
}

TEST(HolidayTableText, WriteThenReadKeepsCurrenciesWithHolidays) {
  HolidayTable table;
  for (const char* code : {"EUR", "GBP", "USD", "JPY"}) {
    table.EnsureCurrency(code);
    if (std::string(code) != "JPY") table.AddHolidaysOfYear(code, 2024);
  }
  table.EnsureCurrency("EUR")["2024-08-15"] = "Customize \xE9t\xE9";
  CPrivateProperty bag;
  WriteHolidayTable(table, bag);
  HolidayTable back;
  ReadHolidayTable(bag, back);
  HolidayTable expected;
  for (const auto& [code, list] : table)
    if (!list.empty()) expected.EnsureCurrency(code) = list;
  EXPECT_EQ(back, expected);
  EXPECT_EQ(back.Find("JPY"), nullptr);
}

// Whatever a read yields, written back and read again, must come back unchanged:
// saving a configuration must not alter holidays the user did not touch.
TEST(HolidayTableText, ReadWriteReadIsAFixedPoint) {
  const Stored cases[] = {
      {{"CurrencyTable", "USD|"}, {"CurrencyTable_USD", "2024-02-01|x|2024-01-01|"}},
      {{"CurrencyTable", "EUR|"}, {"CurrencyTable_EUR", "2024-12-25|Christmas Day|2024-01-01"}},
      {{"CurrencyTable", "|GBP||GBP"}, {"CurrencyTable_GBP", "|abc|2024-12-26|B|2024-12-25||"}},
  };
  for (const Stored& stored : cases) {
    const HolidayTable first = Read(stored);
    CPrivateProperty bag;
    WriteHolidayTable(first, bag);
    HolidayTable second;
    ReadHolidayTable(bag, second);
    EXPECT_EQ(second, first) << stored.back().second;
  }
}

TEST(HolidayTableText, RemovedCurrencyKeyStaysButIsNotRead) {
  CPrivateProperty bag;
  WriteHolidayTable(TableOf({{"EUR", {{"2024-01-01", "a"}}}, {"GBP", {{"2024-01-02", "b"}}}}), bag);
  WriteHolidayTable(TableOf({{"GBP", {{"2024-01-02", "b"}}}}), bag);
  EXPECT_NE(bag.Properties().find("CurrencyTable_EUR"), nullptr);
  HolidayTable back;
  ReadHolidayTable(bag, back);
  EXPECT_EQ(back, TableOf({{"GBP", {{"2024-01-02", "b"}}}}));
}

// "New currency..." takes exactly the codes this reader keeps: each one it accepts
// reads back with its holidays, beside the currencies stored already, and each one it
// refuses would not.
TEST(HolidayTableText, TheCurrenciesItCanStoreAreThoseItReadsBack) {
  for (const std::string code : {"XY", "GBP", "A\\", "Q\"#", "LONGER-CODE"}) {
    SCOPED_TRACE(code);
    ASSERT_TRUE(CanStoreCurrency(code));
    const HolidayTable table = TableOf({{"ZZ1", {{"2024-01-01", "a"}}},
                                        {"ZZ2", {{"2024-01-02", "b"}}},
                                        {code, {{"2024-05-06", "May Day"}}}});
    CPrivateProperty bag;
    WriteHolidayTable(table, bag);
    HolidayTable read;
    ReadHolidayTable(bag, read);
    EXPECT_EQ(read, table);
  }
  for (const std::string code : {"", "X", "A|B", "AB|"}) {
    SCOPED_TRACE(code);
    EXPECT_FALSE(CanStoreCurrency(code));
    HolidayTable table;
    table.EnsureCurrency(code)["2024-01-01"] = "New Year's Day";
    CPrivateProperty bag;
    WriteHolidayTable(table, bag);
    HolidayTable read;
    ReadHolidayTable(bag, read);
    EXPECT_NE(read, table);
  }
}

}  // namespace
}  // namespace kelo
