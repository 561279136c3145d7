#pragma once

#include <string_view>
#include <vector>

#include "kelo/holiday/HolidayItem.h"

namespace kelo {

// The rule holidays of "EUR", "GBP" or "USD" (exact, case-sensitive match) for the
// year, in the fixed order of each currency's rules; empty for any other currency.
// Throws CalendarRangeError for a year outside kFirstCalendarYear to kLastCalendarYear.
std::vector<HolidayItem> StandardHolidays(std::string_view currency, unsigned year);

// StandardHolidays followed by every Saturday and Sunday of the year, in calendar
// order, as "Weekend". A rule holiday on a weekend day occurs twice.
std::vector<HolidayItem> HolidaysOfYear(std::string_view currency, unsigned year);

}  // namespace kelo
