#include "kelo/holiday/StandardHolidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/CalendarRangeError.h"
#include "kelo/holiday/HolidayTable.h"

namespace kelo {
namespace {

std::string Text(const HolidayItem& item) { return FormatDateKey(item.date) + " " + item.remark; }

std::vector<std::string> Texts(const std::vector<HolidayItem>& items) {
  std::vector<std::string> texts;
  for (const HolidayItem& item : items) texts.push_back(Text(item));
  return texts;
}

const HolidayItem* FindRemark(const std::vector<HolidayItem>& items, std::string_view remark) {
  const auto it = std::find_if(items.begin(), items.end(),
                               [&](const HolidayItem& item) { return item.remark == remark; });
  return it == items.end() ? nullptr : &*it;
}

// The date keys of the items with one of the remarks, in the items' order.
std::vector<std::string> DatesOf(const std::vector<HolidayItem>& items,
                                 const std::set<std::string_view>& remarks) {
  std::vector<std::string> dates;
  for (const HolidayItem& item : items)
    if (remarks.contains(item.remark)) dates.push_back(FormatDateKey(item.date));
  return dates;
}

struct YearList {
  const char* currency;
  unsigned year;
  std::vector<std::string> expected;
  friend std::ostream& operator<<(std::ostream& os, const YearList& c) {
    return os << c.currency << " " << c.year;
  }
};

class StandardHolidaysListTest : public testing::TestWithParam<YearList> {};

TEST_P(StandardHolidaysListTest, ListsRulesInOrderWithMarkers) {
  const YearList& c = GetParam();
  EXPECT_EQ(Texts(StandardHolidays(c.currency, c.year)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Years, StandardHolidaysListTest,
    testing::Values(YearList{"GBP",
                             2024,
                             {"2024-01-01 New Year's Day", "2024-03-29 Good Friday",
                              "2024-04-01 Easter Monday", "2024-05-06 May Day",
                              "2024-05-27 Spring Bank Holiday", "2024-08-26 Summer Bank Holiday",
                              "2024-12-25 Christmas Day", "2024-12-26 Boxing Day"}},
                    YearList{"USD",
                             2024,
                             {"2024-01-15 MLK Day", "2024-02-19 President's Day",
                              "2024-07-04 Independence Day", "2024-09-02 Labor Day",
                              "2024-10-14 Columbus Day", "2024-11-11 Veteran's Day",
                              "2024-11-28 Thanksgiving Day"}},
                    YearList{"EUR", 2024, {"2024-05-01 Labour Day"}},
                    // 2021: 1 May a Saturday, 4 July a Sunday, 25 and 26 December a weekend;
                    // only the two marked rules say so, and nothing moves to a substitute day.
                    YearList{"EUR", 2021, {"2021-05-01 Labour Day(*)"}},
                    YearList{"USD",
                             2021,
                             {"2021-01-18 MLK Day", "2021-02-15 President's Day",
                              "2021-07-04 Independence Day(*)", "2021-09-06 Labor Day",
                              "2021-10-11 Columbus Day", "2021-11-11 Veteran's Day",
                              "2021-11-25 Thanksgiving Day"}},
                    YearList{"GBP",
                             2021,
                             {"2021-01-01 New Year's Day", "2021-04-02 Good Friday",
                              "2021-04-05 Easter Monday", "2021-05-03 May Day",
                              "2021-05-31 Spring Bank Holiday", "2021-08-30 Summer Bank Holiday",
                              "2021-12-25 Christmas Day", "2021-12-26 Boxing Day"}},
                    // Other codes, including near misses, have no rules.
                    YearList{"XAU", 2024, {}}, YearList{"eur", 2024, {}},
                    YearList{"GBP ", 2024, {}}, YearList{"US", 2024, {}}, YearList{"", 2024, {}}));

TEST(StandardHolidaysTest, RuleDatesAtTheEdgesOfTheirRanges) {
  struct Case {
    const char* currency;
    unsigned year;
    const char* remark;
    const char* expected;
  };
  const Case cases[] = {
      // Earliest and latest Easter of the dialog's years.
      {"GBP", 2035, "Good Friday", "2035-03-23 Good Friday"},
      {"GBP", 2035, "Easter Monday", "2035-03-26 Easter Monday"},
      {"GBP", 2038, "Good Friday", "2038-04-23 Good Friday"},
      {"GBP", 2038, "Easter Monday", "2038-04-26 Easter Monday"},
      // 1 November a Thursday, then a Friday.
      {"USD", 2029, "Thanksgiving Day", "2029-11-22 Thanksgiving Day"},
      {"USD", 2024, "Thanksgiving Day", "2024-11-28 Thanksgiving Day"},
      {"GBP", 2028, "May Day", "2028-05-01 May Day"},
      {"GBP", 2026, "Spring Bank Holiday", "2026-05-25 Spring Bank Holiday"},
      {"GBP", 2026, "Summer Bank Holiday", "2026-08-31 Summer Bank Holiday"},
      {"USD", 2029, "MLK Day", "2029-01-15 MLK Day"},
      {"USD", 2026, "MLK Day", "2026-01-19 MLK Day"},
      {"USD", 2029, "Labor Day", "2029-09-03 Labor Day"},
      {"USD", 2029, "Columbus Day", "2029-10-08 Columbus Day"},
      // Weekend days without a marker.
      {"USD", 2029, "Veteran's Day", "2029-11-11 Veteran's Day"},
      {"GBP", 2022, "New Year's Day", "2022-01-01 New Year's Day"},
      // Weekend days with a marker, on either weekend day.
      {"EUR", 2022, "Labour Day(*)", "2022-05-01 Labour Day(*)"},
      {"USD", 2026, "Independence Day(*)", "2026-07-04 Independence Day(*)"},
      {"USD", 2028, "Independence Day", "2028-07-04 Independence Day"},
  };
  for (const Case& c : cases) {
    const std::vector<HolidayItem> items = StandardHolidays(c.currency, c.year);
    const HolidayItem* item = FindRemark(items, c.remark);
    ASSERT_NE(item, nullptr) << c.currency << " " << c.year << " " << c.remark;
    EXPECT_EQ(Text(*item), c.expected);
  }
}

// The closed forms of the rules, exact for 1901 to 2099 because they take every
// fourth year as a leap year.
TEST(StandardHolidaysTest, AgreesWithClosedFormsThrough2099) {
  for (unsigned year = kFirstCalendarYear; year <= 2099; ++year) {
    const unsigned b = 5 * year / 4;
    const unsigned l = year % 4 == 0 ? 1 : 0;
    const auto date = [year](unsigned month, unsigned day) {
      return FormatDateKey(year, month, day);
    };
    const std::vector<std::string> gbp = {date(5, 7 - (b + 5) % 7), date(5, 31 - (b + 1) % 7),
                                          date(8, 31 - (b + 2) % 7)};
    const std::vector<std::string> usd = {date(1, 21 - (b - l + 4) % 7), date(2, 21 - (b - l) % 7),
                                          date(9, 7 - (b + 2) % 7), date(10, 14 - (b + 4) % 7),
                                          date(11, 28 - (b + 4) % 7)};

    const std::vector<std::string> gotGbp = DatesOf(
        StandardHolidays("GBP", year), {"May Day", "Spring Bank Holiday", "Summer Bank Holiday"});
    const std::vector<std::string> gotUsd =
        DatesOf(StandardHolidays("USD", year),
                {"MLK Day", "President's Day", "Labor Day", "Columbus Day", "Thanksgiving Day"});
    ASSERT_EQ(gotGbp, gbp) << year;
    ASSERT_EQ(gotUsd, usd) << year;
  }
}

// Beyond 2099 the closed forms drift; the rules must still hold by definition.
TEST(StandardHolidaysTest, WeekdayRulesHoldOverTheWholeSpan) {
  struct Rule {
    const char* currency;
    const char* remark;
    unsigned weekday;
    unsigned firstDay, lastDay;  // the week of the month the rule picks
  };
  const Rule rules[] = {
      {"GBP", "May Day", 2, 1, 7},
      {"GBP", "Spring Bank Holiday", 2, 25, 31},
      {"GBP", "Summer Bank Holiday", 2, 25, 31},
      {"GBP", "Easter Monday", 2, 23, 26},  // 23 March to 26 April, checked below
      {"GBP", "Good Friday", 6, 20, 23},
      {"USD", "MLK Day", 2, 15, 21},
      {"USD", "President's Day", 2, 15, 21},
      {"USD", "Labor Day", 2, 1, 7},
      {"USD", "Columbus Day", 2, 8, 14},
      {"USD", "Thanksgiving Day", 5, 22, 28},
  };
  for (unsigned year = kFirstCalendarYear; year <= kLastCalendarYear; ++year) {
    const std::vector<HolidayItem> gbp = StandardHolidays("GBP", year);
    const std::vector<HolidayItem> usd = StandardHolidays("USD", year);
    ASSERT_EQ(gbp.size(), 8u);
    ASSERT_EQ(usd.size(), 7u);
    for (const Rule& rule : rules) {
      const HolidayItem* item =
          FindRemark(std::string_view(rule.currency) == "GBP" ? gbp : usd, rule.remark);
      ASSERT_NE(item, nullptr) << year << " " << rule.remark;
      ASSERT_EQ(static_cast<int>(item->date.year()), static_cast<int>(year)) << rule.remark;
      const unsigned month = static_cast<unsigned>(item->date.month());
      const unsigned day = static_cast<unsigned>(item->date.day());
      ASSERT_EQ(DayOfWeek(year, month, day), rule.weekday) << year << " " << rule.remark;
      if (month == 3 || month == 4) {
        const unsigned marchDay = month == 3 ? day : day + 31;
        ASSERT_GE(marchDay, rule.firstDay) << year << " " << rule.remark;
        ASSERT_LE(marchDay, rule.lastDay + 31) << year << " " << rule.remark;
      } else {
        ASSERT_GE(day, rule.firstDay) << year << " " << rule.remark;
        ASSERT_LE(day, rule.lastDay) << year << " " << rule.remark;
      }
    }
  }
}

TEST(StandardHolidaysTest, YearsOutsideTheCalendarAreRefused) {
  for (const auto& [currency, year] : {std::tuple{"GBP", 1969u}, std::tuple{"XAU", 1969u},
                                       std::tuple{"USD", 3001u}, std::tuple{"EUR", 0u}}) {
    EXPECT_THROW(StandardHolidays(currency, year), CalendarRangeError) << currency << year;
    EXPECT_THROW(HolidaysOfYear(currency, year), CalendarRangeError) << currency << year;
  }
  try {
    HolidaysOfYear("GBP", 3001);
    ADD_FAILURE() << "no exception";
  } catch (const CalendarRangeError& e) {
    EXPECT_STREQ(e.what(), "3001 is outside the years 1970 to 3000");
  }
  EXPECT_EQ(HolidaysOfYear("USD", 1970).size(), 7u + 104);
  EXPECT_EQ(HolidaysOfYear("USD", 3000).size(), 7u + 104);
}

struct YearCount {
  const char* currency;
  unsigned year;
  std::size_t items;
  std::size_t dates;
  friend std::ostream& operator<<(std::ostream& os, const YearCount& c) {
    return os << c.currency << " " << c.year;
  }
};

class HolidaysOfYearCountTest : public testing::TestWithParam<YearCount> {};

TEST_P(HolidaysOfYearCountTest, RulesThenWeekendDays) {
  const YearCount& c = GetParam();
  const std::vector<HolidayItem> items = HolidaysOfYear(c.currency, c.year);
  const std::vector<HolidayItem> rules = StandardHolidays(c.currency, c.year);
  ASSERT_EQ(items.size(), c.items);
  EXPECT_TRUE(std::equal(rules.begin(), rules.end(), items.begin()));
  std::set<std::string> dates;
  for (const HolidayItem& item : items) dates.insert(FormatDateKey(item.date));
  EXPECT_EQ(dates.size(), c.dates);
}

INSTANTIATE_TEST_SUITE_P(
    Years, HolidaysOfYearCountTest,
    testing::Values(YearCount{"GBP", 2024, 112, 112}, YearCount{"USD", 2024, 111, 111},
                    YearCount{"EUR", 2024, 105, 105}, YearCount{"XAU", 2024, 104, 104},
                    YearCount{"GBP", 2021, 112, 110}, YearCount{"USD", 2021, 111, 110},
                    YearCount{"EUR", 2021, 105, 104}, YearCount{"XAU", 2021, 104, 104}));

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The weekend part is every Saturday and Sunday of the year in calendar order,
// including in the century years that are not leap years.
TEST(HolidaysOfYearTest, WeekendDaysAreEverySaturdayAndSundayOfTheYear) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (unsigned year : {1970u, 2021u, 2024u, 2099u, 2100u, 2200u, 2400u, 3000u}) {
    std::vector<std::string> expected;
    for (unsigned month = 1; month <= 12; ++month) {
      const unsigned length = month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
      for (unsigned day = 1; day <= length; ++day)
        if (IsWeekendDay(DayOfWeek(year, month, day)))
          expected.push_back(FormatDateKey(year, month, day) + " Weekend");
    }
    const std::vector<HolidayItem> items = HolidaysOfYear("GBP", year);
    const std::vector<std::string> texts = Texts(items);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 8, texts.end()), expected) << year;
  }
}

}  // namespace
}  // namespace kelo
