#pragma once

#include <chrono>
#include <string>

namespace kelo {

// One dated remark: a rule holiday or weekend day of a year, or a date a holiday file
// brings with its remark.
struct HolidayItem {
  std::chrono::year_month_day date;
  std::string remark;

  friend bool operator==(const HolidayItem&, const HolidayItem&) = default;
};

}  // namespace kelo
