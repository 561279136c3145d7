#include "kelo/holiday/Calendar.h"

#include <chrono>
#include <cstdint>
#include <string>

#include "kelo/holiday/CalendarRangeError.h"
#include "kelo/holiday/HolidayTable.h"

namespace kelo {

namespace {

bool IsCalendarYear(unsigned year) {
  return year >= kFirstCalendarYear && year <= kLastCalendarYear;
}

std::string OutsideYearsText() {
  return " is outside the years " + std::to_string(kFirstCalendarYear) + " to " +
         std::to_string(kLastCalendarYear);
}

// Month and day are checked before they are narrowed into chrono's small types, and
// the year is folded into the same place of the 400-year Gregorian cycle so that any
// unsigned year fits.
bool IsCalendarDate(unsigned year, unsigned month, unsigned day) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  const std::chrono::year cycleYear{static_cast<int>(year % 400 + 2000)};
  return std::chrono::year_month_day{cycleYear, std::chrono::month{month}, std::chrono::day{day}}
      .ok();
}

}  // namespace

void RequireCalendarYear(unsigned year) {
  if (!IsCalendarYear(year)) throw CalendarRangeError(std::to_string(year) + OutsideYearsText());
}

unsigned DayOfWeek(unsigned year, unsigned month, unsigned day) {
  // A date that cannot exist is reported as such even in a year out of range.
  if (!IsCalendarDate(year, month, day))
    throw CalendarRangeError(FormatDateKey(year, month, day) + " is not a calendar date");
  if (!IsCalendarYear(year))
    throw CalendarRangeError(FormatDateKey(year, month, day) + OutsideYearsText());

  const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(year)},
                                         std::chrono::month{month}, std::chrono::day{day}};
  return std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding() + 1;
}

unsigned DayOfWeek(const std::chrono::year_month_day& date) {
  return DayOfWeek(static_cast<unsigned>(static_cast<int>(date.year())),
                   static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
}

std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  unsigned parts[3] = {0, 0, 0};
  const std::size_t starts[3] = {0, 5, 8};
  const std::size_t lengths[3] = {4, 2, 2};
  for (int part = 0; part < 3; ++part) {
    for (std::size_t i = 0; i < lengths[part]; ++i) {
      const char c = text[starts[part] + i];
      if (c < '0' || c > '9') return std::nullopt;
      parts[part] = parts[part] * 10 + static_cast<unsigned>(c - '0');
    }
  }
  if (!IsCalendarYear(parts[0])) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(parts[0])),
                                         std::chrono::month(parts[1]), std::chrono::day(parts[2])};
  if (!date.ok()) return std::nullopt;
  return date;
}

MonthDay EasterSunday(unsigned year) {
  // Signed 64-bit so that no intermediate difference can wrap for any unsigned year.
  const std::int64_t y = year;
  const std::int64_t a = y % 19;
  const std::int64_t b = y / 100;
  const std::int64_t c = y % 100;
  const std::int64_t d = b / 4;
  const std::int64_t e = b % 4;
  const std::int64_t f = (b + 8) / 25;
  const std::int64_t g = (b - f + 1) / 3;
  const std::int64_t h = (19 * a + b - d - g + 15) % 30;
  const std::int64_t i = c / 4;
  const std::int64_t k = c % 4;
  const std::int64_t l = (32 + 2 * e + 2 * i - h - k) % 7;
  const std::int64_t m = (a + 11 * h + 22 * l) / 451;
  const std::int64_t n = h + l - 7 * m + 114;
  return MonthDay{static_cast<unsigned>(n / 31), static_cast<unsigned>(n % 31 + 1)};
}

}  // namespace kelo
