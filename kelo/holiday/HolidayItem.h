#pragma once

#include <string>

namespace kelo {

// One dated remark of a year's holidays: month 1 to 12, day 1 to 31.
struct HolidayItem {
  unsigned year = 0;
  unsigned month = 0;
  unsigned day = 0;
  std::string remark;

  friend bool operator==(const HolidayItem&, const HolidayItem&) = default;
};

}  // namespace kelo
