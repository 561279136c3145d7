#pragma once

#include "kelo/holiday/MonthDay.h"

namespace kelo {

// The span of years the calendar answers for: the span of the platform's calendar
// time that the stored configurations were made with.
inline constexpr unsigned kFirstCalendarYear = 1970;
inline constexpr unsigned kLastCalendarYear = 3000;

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

// Throws CalendarRangeError unless year lies in kFirstCalendarYear to kLastCalendarYear.
void RequireCalendarYear(unsigned year);

// Western Easter Sunday of the Gregorian calendar (Meeus/Jones/Butcher): month 3 or 4.
MonthDay EasterSunday(unsigned year);

}  // namespace kelo
