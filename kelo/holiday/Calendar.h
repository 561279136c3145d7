#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "kelo/holiday/MonthDay.h"

namespace kelo {

// The span of years the calendar answers for: the span of the platform's calendar
// time that the stored configurations were made with.
inline constexpr unsigned kFirstCalendarYear = 1970;
inline constexpr unsigned kLastCalendarYear = 3000;

// The years the holiday setting dialog's year picker offers, in which the rule
// holidays are exact; a repeating event of an imported calendar is expanded over
// them.
inline constexpr unsigned kFirstDialogYear = 2010;
inline constexpr unsigned kLastDialogYear = 2099;
static_assert(kFirstCalendarYear <= kFirstDialogYear && kLastDialogYear <= kLastCalendarYear);

// Weekday numbers as stored and shown: 1 = Sunday through 7 = Saturday.
inline constexpr unsigned kSunday = 1;
inline constexpr unsigned kSaturday = 7;

inline constexpr bool IsWeekendDay(unsigned dayOfWeek) {
  return dayOfWeek == kSunday || dayOfWeek == kSaturday;
}

// The weekday number of a Gregorian calendar date, independent of any time zone.
// Throws CalendarRangeError for a date that does not exist or lies outside the
// years kFirstCalendarYear to kLastCalendarYear.
unsigned DayOfWeek(unsigned year, unsigned month, unsigned day);
unsigned DayOfWeek(const std::chrono::year_month_day& date);

// Throws CalendarRangeError unless year lies in kFirstCalendarYear to kLastCalendarYear.
void RequireCalendarYear(unsigned year);

// The date of an ISO 8601 calendar date text "YYYY-MM-DD" (four-digit year) that
// exists and lies in kFirstCalendarYear to kLastCalendarYear; nothing for any other
// text. For such a date, FormatDateKey gives the text back unchanged.
std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text);

// Western Easter Sunday of the Gregorian calendar (Meeus/Jones/Butcher): month 3 or 4.
MonthDay EasterSunday(unsigned year);

}  // namespace kelo
