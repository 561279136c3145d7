#pragma once

#include <stdexcept>
#include <string>

namespace kelo {

// A date or year that the calendar functions cannot answer for: a date that does
// not exist, or one outside the years of Calendar.h (kFirstCalendarYear to
// kLastCalendarYear). The message names the date (or year) and the reason, for
// example "2024-02-30 is not a calendar date".
class CalendarRangeError : public std::out_of_range {
 public:
  explicit CalendarRangeError(const std::string& what) : std::out_of_range(what) {}
};

}  // namespace kelo
