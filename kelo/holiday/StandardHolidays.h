#pragma once

#include <string_view>
#include <vector>

#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/HolidayItem.h"

namespace kelo {

// The remark a date gets when it comes without one: the weekend days "Add holiday of
// year" adds, a date added with "Add", a date of an imported calendar that names no
// remark. One rule for all of them: "Weekend" on a Saturday or Sunday, "Customize"
// on any other day.
inline constexpr std::string_view kWeekendRemark = "Weekend";
inline constexpr std::string_view kWeekdayRemark = "Customize";
constexpr std::string_view DefaultRemark(unsigned dayOfWeek) {
  return IsWeekendDay(dayOfWeek) ? kWeekendRemark : kWeekdayRemark;
}

// The rule holidays of "EUR", "GBP" or "USD" (exact, case-sensitive match) for the
// year, in the fixed order of each currency's rules; empty for any other currency.
// Throws CalendarRangeError for a year outside kFirstCalendarYear to kLastCalendarYear.
std::vector<HolidayItem> StandardHolidays(std::string_view currency, unsigned year);

// StandardHolidays followed by every Saturday and Sunday of the year, in calendar
// order, with the remark DefaultRemark gives them. A rule holiday on a weekend day
// occurs twice.
std::vector<HolidayItem> HolidaysOfYear(std::string_view currency, unsigned year);

}  // namespace kelo
