#include "kelo/holiday/Calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "kelo/holiday/CalendarRangeError.h"
#include "kelo/holiday/HolidayTable.h"

namespace kelo {
namespace {

static_assert(std::is_base_of_v<std::out_of_range, CalendarRangeError>);

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Zeller's congruence, mapped to 1 = Sunday .. 7 = Saturday.
unsigned ZellerDayOfWeek(unsigned year, unsigned month, unsigned day) {
  if (month < 3) {
    month += 12;
    year -= 1;
  }
  const unsigned k = year % 100;
  const unsigned j = year / 100;
  const unsigned h = (day + 13 * (month + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 = Saturday
  return (h + 6) % 7 + 1;
}

// Walks every day of the whole span with a running weekday that starts from the
// known Thursday of 1970-01-01, checks Zeller on the way, and checks that the day
// after each month's last day is refused.
TEST(DayOfWeekTest, MatchesIndependentCountOnEveryDayOfTheSpan) {
  unsigned running = 5;  // 1970-01-01 was a Thursday
  long days = 0;
  long mismatches = 0;
  std::string firstMismatch;
  for (unsigned y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned length = DaysInMonth(y, m);
      for (unsigned d = 1; d <= length; ++d) {
        const unsigned got = DayOfWeek(y, m, d);
        if (got != running || got != ZellerDayOfWeek(y, m, d)) {
          if (mismatches++ == 0)
            firstMismatch = std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) +
                            ": " + std::to_string(got) + " instead of " + std::to_string(running);
        }
        running = running % 7 + 1;
        ++days;
      }
      if (length < 31) {
        EXPECT_THROW(DayOfWeek(y, m, length + 1), CalendarRangeError) << y << "-" << m;
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << firstMismatch;
  EXPECT_EQ(days, 376'565);  // 1031 years, 250 of them leap years
}

struct RefusedDate {
  unsigned year, month, day;
  const char* message;
  friend std::ostream& operator<<(std::ostream& os, const RefusedDate& c) {
    return os << c.message;
  }
};

class DayOfWeekRefusalTest : public testing::TestWithParam<RefusedDate> {};

TEST_P(DayOfWeekRefusalTest, ThrowsNamingDateAndReason) {
  const RefusedDate& c = GetParam();
  try {
    const unsigned weekday = DayOfWeek(c.year, c.month, c.day);
    ADD_FAILURE() << "returned " << weekday;
  } catch (const CalendarRangeError& e) {
    EXPECT_STREQ(e.what(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    OutsideSpanOrImpossible, DayOfWeekRefusalTest,
    testing::Values(RefusedDate{1969, 12, 31, "1969-12-31 is outside the years 1970 to 3000"},
                    RefusedDate{3001, 1, 1, "3001-01-01 is outside the years 1970 to 3000"},
                    RefusedDate{0, 1, 1, "0-01-01 is outside the years 1970 to 3000"},
                    RefusedDate{4294967295u, 12, 31,
                                "4294967295-12-31 is outside the years 1970 to 3000"},
                    RefusedDate{2024, 2, 30, "2024-02-30 is not a calendar date"},
                    RefusedDate{2023, 2, 29, "2023-02-29 is not a calendar date"},
                    RefusedDate{2100, 2, 29, "2100-02-29 is not a calendar date"},
                    RefusedDate{2024, 4, 31, "2024-04-31 is not a calendar date"},
                    RefusedDate{2024, 13, 1, "2024-13-01 is not a calendar date"},
                    RefusedDate{2024, 0, 10, "2024-00-10 is not a calendar date"},
                    RefusedDate{2024, 1, 0, "2024-01-00 is not a calendar date"},
                    RefusedDate{2024, 1, 32, "2024-01-32 is not a calendar date"},
                    // Would wrap to a valid day if narrowed to a byte.
                    RefusedDate{2024, 1, 257, "2024-01-257 is not a calendar date"},
                    RefusedDate{2024, 4294967295u, 1, "2024-4294967295-01 is not a calendar date"},
                    RefusedDate{3001, 2, 30, "3001-02-30 is not a calendar date"}));

TEST(DayOfWeekTest, AcceptsEdgesOfTheSpanAndLeapDays) {
  EXPECT_EQ(DayOfWeek(1970, 1, 1), 5u);    // Thursday
  EXPECT_EQ(DayOfWeek(3000, 12, 31), 4u);  // Wednesday
  EXPECT_EQ(DayOfWeek(2000, 2, 29), 3u);   // Tuesday
  EXPECT_EQ(DayOfWeek(2024, 2, 29), 5u);   // Thursday
  EXPECT_EQ(DayOfWeek(2400, 2, 29), 3u);   // Tuesday
}

// Gauss's Easter formula in Lichtenberg's form, a computation independent of the
// Meeus/Jones/Butcher steps. Returns the day counted from 1 March.
unsigned GaussEasterMarchDay(unsigned x) {
  const int k = static_cast<int>(x / 100);
  const int m = 15 + (3 * k + 3) / 4 - (8 * k + 13) / 25;
  const int s = 2 - (3 * k + 3) / 4;
  const int a = static_cast<int>(x % 19);
  const int d = (19 * a + m) % 30;
  const int r = d / 29 + (d / 28 - d / 29) * (a / 11);
  const int og = 21 + d - r;
  const int sz = 7 - (static_cast<int>(x) + static_cast<int>(x) / 4 + s) % 7;
  const int oe = 7 - (og - sz) % 7;
  return static_cast<unsigned>(og + oe);
}

TEST(EasterSundayTest, KnownDates) {
  struct Case {
    unsigned year;
    MonthDay easter;
  };
  const Case cases[] = {
      {2024, {3, 31}}, {2025, {4, 20}}, {2026, {4, 5}},  {2035, {3, 25}}, {2038, {4, 25}},
      {2000, {4, 23}}, {2008, {3, 23}}, {2011, {4, 24}}, {1970, {3, 29}}, {2285, {3, 22}},
  };
  for (const Case& c : cases) {
    const MonthDay got = EasterSunday(c.year);
    EXPECT_EQ(got, c.easter) << c.year << ": " << got.month << "/" << got.day;
  }
}

TEST(EasterSundayTest, AgreesWithGaussAndIsASundayInItsWindowOverTheSpan) {
  for (unsigned y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
    const MonthDay easter = EasterSunday(y);
    const unsigned marchDay = easter.month == 3 ? easter.day : easter.day + 31;
    ASSERT_TRUE(easter.month == 3 || easter.month == 4) << y;
    ASSERT_EQ(marchDay, GaussEasterMarchDay(y)) << y;
    ASSERT_GE(marchDay, 22u) << y;       // 22 March
    ASSERT_LE(marchDay, 25u + 31) << y;  // 25 April
    ASSERT_EQ(DayOfWeek(y, easter.month, easter.day), kSunday) << y;
  }
}

// A date key of a calendar date in the years reads back as that date; any other text
// is no date.
TEST(ParseIsoDateTest, ReadsExactlyTheDateKeysOfTheCalendar) {
  using namespace std::chrono_literals;
  const struct {
    const char* text;
    std::optional<std::chrono::year_month_day> date;
  } cases[] = {
      {"2024-02-29", 2024y / 2 / 29},
      {"1970-01-01", 1970y / 1 / 1},
      {"3000-12-31", 3000y / 12 / 31},
      {"1969-12-31", std::nullopt},
      {"3001-01-01", std::nullopt},
      {"2023-02-29", std::nullopt},
      {"2024-13-01", std::nullopt},
      {"2024-00-10", std::nullopt},
      {"2024-1-010", std::nullopt},
      {"2024-01-01 ", std::nullopt},
      {"+024-01-01", std::nullopt},
      {"2024/01/01", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseIsoDate(c.text), c.date);
    if (c.date) {
      EXPECT_EQ(FormatDateKey(*c.date), c.text);
    }
  }
}

}  // namespace
}  // namespace kelo
