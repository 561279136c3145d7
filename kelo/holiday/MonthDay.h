#pragma once

namespace kelo {

// A day of a year whose year is known from context: month 1 to 12, day 1 to 31.
struct MonthDay {
  unsigned month = 0;
  unsigned day = 0;

  friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

}  // namespace kelo
