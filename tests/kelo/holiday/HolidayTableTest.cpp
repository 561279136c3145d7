#include "kelo/holiday/HolidayTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "kelo/holiday/CalendarRangeError.h"
#include "kelo/holiday/StandardHolidays.h"

namespace kelo {
namespace {

// AddHoliday of the item's date, as the dialog adds a date that was picked.
bool AddItem(HolidayTable& table, std::string_view currency, const HolidayItem& item) {
  const std::chrono::year_month_day& date = item.date;
  return table.AddHoliday(currency, static_cast<unsigned>(static_cast<int>(date.year())),
                          static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                          item.remark);
}

std::vector<std::string> Keys(const HolidayTable& table) {
  std::vector<std::string> keys;
  for (const auto& [currency, list] : table) keys.push_back(currency);
  return keys;
}

std::vector<std::string> Keys(const HolidayList& list) {
  std::vector<std::string> keys;
  for (const auto& [key, remark] : list) keys.push_back(key);
  return keys;
}

std::string RemarkOf(const HolidayTable& table, const char* currency, const char* key) {
  const HolidayList* list = table.Find(currency);
  if (list == nullptr) return "<no currency>";
  const auto it = list->find(key);
  return it == list->end() ? "<no entry>" : it->second;
}

TEST(FormatDateKeyTest, PadsMonthAndDayOnly) {
  struct Case {
    unsigned year, month, day;
    const char* expected;
  };
  const Case cases[] = {
      {2024, 5, 6, "2024-05-06"},
      {2024, 12, 25, "2024-12-25"},
      {999, 1, 2, "999-01-02"},
      {12345, 10, 31, "12345-10-31"},
      {4294967295u, 4294967295u, 4294967295u, "4294967295-4294967295-4294967295"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateKey(c.year, c.month, c.day), c.expected);
}

class HolidayTableTest : public testing::Test {
 protected:
  void SetUp() override {
    table.EnsureCurrency("GBP");
    ASSERT_TRUE(table.AddHoliday("GBP", 2024, 12, 25, "Christmas Day"));
    ASSERT_TRUE(table.AddHoliday("GBP", 2024, 5, 6, "May Day"));
  }
  HolidayTable table;
};

TEST_F(HolidayTableTest, AddHolidayNeverOverwrites) {
  EXPECT_FALSE(table.AddHoliday("GBP", 2024, 12, 25, "Customize"));
  EXPECT_EQ(RemarkOf(table, "GBP", "2024-12-25"), "Christmas Day");
  EXPECT_TRUE(table.HolidayExists("GBP", 2024, 12, 25));
  EXPECT_FALSE(table.HolidayExists("GBP", 2024, 12, 26));
  EXPECT_EQ(table.Find("GBP")->size(), 2u);
}

TEST_F(HolidayTableTest, AbsentCurrencyIsNeverCreatedByAddOrLookup) {
  const HolidayTable before = table;
  EXPECT_FALSE(table.AddHoliday("USD", 2024, 7, 4, "Customize"));
  EXPECT_FALSE(table.HolidayExists("USD", 2024, 7, 4));
  EXPECT_FALSE(table.HolidayExists("gbp", 2024, 12, 25));
  EXPECT_TRUE(table.AddHolidaysOfYear("USD", 2024).empty());
  table.RemoveHoliday("USD", "2024-12-25");
  table.ClearHolidays("USD");
  EXPECT_EQ(table.Find("USD"), nullptr);
  EXPECT_EQ(table, before);
}

TEST_F(HolidayTableTest, EnsureCurrencyKeepsAnExistingList) {
  HolidayList& list = table.EnsureCurrency("GBP");
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(&list, table.Find("GBP"));
  EXPECT_TRUE(table.EnsureCurrency("EUR").empty());
  EXPECT_EQ(table.size(), 2u);
}

TEST_F(HolidayTableTest, RemoveAndClear) {
  const HolidayTable before = table;
  table.RemoveHoliday("GBP", "2024-12-26");
  table.RemoveHoliday("GBP", "2024-12-2");
  EXPECT_EQ(table, before);

  table.RemoveHoliday("GBP", "2024-12-25");
  EXPECT_EQ(Keys(*table.Find("GBP")), std::vector<std::string>{"2024-05-06"});

  table.ClearHolidays("GBP");
  ASSERT_NE(table.Find("GBP"), nullptr);
  EXPECT_TRUE(table.Find("GBP")->empty());
  EXPECT_EQ(table.size(), 1u);
}

TEST_F(HolidayTableTest, CopiesAreIndependent) {
  HolidayTable copy = table;
  copy.AddHoliday("GBP", 2024, 1, 1, "New Year's Day");
  copy.RemoveHoliday("GBP", "2024-05-06");
  copy.EnsureCurrency("USD");
  EXPECT_EQ(Keys(*table.Find("GBP")), (std::vector<std::string>{"2024-05-06", "2024-12-25"}));
  EXPECT_EQ(table.size(), 1u);

  // Assignment replaces the target's content entirely.
  HolidayTable other;
  other.EnsureCurrency("EUR");
  other.AddHoliday("EUR", 2024, 5, 1, "Labour Day");
  other = table;
  EXPECT_EQ(other, table);
  EXPECT_EQ(other.Find("EUR"), nullptr);
  other.ClearHolidays("GBP");
  EXPECT_EQ(table.Find("GBP")->size(), 2u);
}

TEST(HolidayTableOrderTest, CurrenciesAndDatesIterateByteWise) {
  HolidayTable table;
  for (const char* currency : {"USD", "EUR", "GBP"}) table.EnsureCurrency(currency);
  EXPECT_EQ(Keys(table), (std::vector<std::string>{"EUR", "GBP", "USD"}));

  // Bytes compare unsigned, so a high byte sorts after every letter; case matters.
  for (const char* currency : {"\xE9UR", "eur", "EU", "ZAR"}) table.EnsureCurrency(currency);
  EXPECT_EQ(Keys(table),
            (std::vector<std::string>{"EU", "EUR", "GBP", "USD", "ZAR", "eur", "\xE9UR"}));

  for (const auto& [y, m, d] : {std::tuple{2025u, 1u, 4u}, {2024u, 12u, 28u}, {2024u, 5u, 6u}})
    table.AddHoliday("EUR", y, m, d, "Customize");
  EXPECT_EQ(Keys(*table.Find("EUR")),
            (std::vector<std::string>{"2024-05-06", "2024-12-28", "2025-01-04"}));
}

struct YearFill {
  const char* currency;
  unsigned year;
  std::size_t entries;
  friend std::ostream& operator<<(std::ostream& os, const YearFill& c) {
    return os << c.currency << " " << c.year;
  }
};

class AddHolidaysOfYearTest : public testing::TestWithParam<YearFill> {};

// Into an empty list, the entries added are the year's items with each date's first
// remark only, in the items' order, and the list holds exactly those entries.
TEST_P(AddHolidaysOfYearTest, AddsFirstRemarkOfEachDate) {
  const YearFill& c = GetParam();
  HolidayTable table;
  table.EnsureCurrency(c.currency);
  const std::vector<HolidayEntry> added = table.AddHolidaysOfYear(c.currency, c.year);

  std::vector<HolidayEntry> expected;
  HolidayList seen;
  for (const HolidayItem& item : HolidaysOfYear(c.currency, c.year)) {
    const std::string key = FormatDateKey(item.date);
    if (seen.try_emplace(key, item.remark).second) expected.emplace_back(key, item.remark);
  }
  EXPECT_EQ(added, expected);
  EXPECT_EQ(added.size(), c.entries);
  EXPECT_EQ(*table.Find(c.currency), seen);

  EXPECT_TRUE(table.AddHolidaysOfYear(c.currency, c.year).empty());
  EXPECT_EQ(*table.Find(c.currency), seen);
}

INSTANTIATE_TEST_SUITE_P(Years, AddHolidaysOfYearTest,
                         testing::Values(YearFill{"GBP", 2024, 112}, YearFill{"USD", 2024, 111},
                                         YearFill{"EUR", 2024, 105}, YearFill{"CHF", 2024, 104},
                                         YearFill{"GBP", 2021, 110}, YearFill{"USD", 2021, 110},
                                         YearFill{"EUR", 2021, 104}, YearFill{"CHF", 2021, 104}));

TEST(AddHolidaysOfYearRemarkTest, RuleRemarkBeatsWeekend) {
  HolidayTable table;
  for (const char* currency : {"GBP", "EUR", "USD"}) {
    table.EnsureCurrency(currency);
    table.AddHolidaysOfYear(currency, 2021);
  }
  EXPECT_EQ(RemarkOf(table, "GBP", "2021-12-25"), "Christmas Day");
  EXPECT_EQ(RemarkOf(table, "GBP", "2021-12-26"), "Boxing Day");
  EXPECT_EQ(RemarkOf(table, "GBP", "2021-12-27"), "<no entry>");
  EXPECT_EQ(RemarkOf(table, "USD", "2021-07-04"), "Independence Day(*)");
  EXPECT_EQ(RemarkOf(table, "EUR", "2021-05-01"), "Labour Day(*)");
  EXPECT_EQ(RemarkOf(table, "EUR", "2021-05-02"), "Weekend");
}

TEST(AddHolidaysOfYearRemarkTest, EarlierEntriesKeepTheirRemarks) {
  HolidayTable table;
  HolidayList& list = table.EnsureCurrency("GBP");
  table.AddHoliday("GBP", 2024, 12, 25, "Customize");
  table.AddHoliday("GBP", 2024, 1, 6, "Read back");   // a Saturday
  table.AddHoliday("GBP", 2024, 7, 10, "Customize");  // no rule
  const std::vector<HolidayEntry> added = table.AddHolidaysOfYear("GBP", 2024);

  EXPECT_EQ(added.size(), 110u);
  for (const auto& [key, remark] : added) {
    EXPECT_NE(key, "2024-12-25");
    EXPECT_NE(key, "2024-01-06");
  }
  EXPECT_EQ(list.size(), 113u);
  EXPECT_EQ(RemarkOf(table, "GBP", "2024-12-25"), "Customize");
  EXPECT_EQ(RemarkOf(table, "GBP", "2024-01-06"), "Read back");
  EXPECT_EQ(RemarkOf(table, "GBP", "2024-12-26"), "Boxing Day");
}

// Many years in any order into lists that already hold entries must end exactly as
// adding each item one by one would.
TEST(AddHolidaysOfYearRemarkTest, MatchesItemByItemAddingAcrossManyYears) {
  const unsigned years[] = {2030, 2024, 2099, 2010, 2024, 2031, 2029, 2011, 2098, 2050};
  HolidayTable bulk;
  HolidayTable single;
  for (const char* currency : {"GBP", "USD", "EUR", "JPY"}) {
    for (HolidayTable* table : {&bulk, &single}) {
      table->EnsureCurrency(currency);
      table->AddHoliday(currency, 2030, 1, 1, "Customize");
      table->AddHoliday(currency, 2030, 1, 5, "Customize");  // a Saturday
      table->AddHoliday(currency, 2050, 12, 31, "Customize");
      table->AddHoliday(currency, 2000, 6, 15, "Customize");
    }
    for (unsigned year : years) {
      std::vector<HolidayEntry> expected;
      for (const HolidayItem& item : HolidaysOfYear(currency, year))
        if (AddItem(single, currency, item))
          expected.emplace_back(FormatDateKey(item.date), item.remark);
      ASSERT_EQ(bulk.AddHolidaysOfYear(currency, year), expected) << currency << " " << year;
    }
  }
  EXPECT_EQ(bulk, single);
}

TEST(AddHolidaysOfYearRemarkTest, YearOutsideTheCalendarChangesNothing) {
  HolidayTable table;
  table.EnsureCurrency("GBP");
  table.AddHoliday("GBP", 2024, 12, 25, "Customize");
  const HolidayTable before = table;
  EXPECT_THROW(table.AddHolidaysOfYear("GBP", 1969), CalendarRangeError);
  EXPECT_THROW(table.AddHolidaysOfYear("GBP", 3001), CalendarRangeError);
  EXPECT_EQ(table, before);
}

}  // namespace
}  // namespace kelo
