#pragma once

#include <chrono>
#include <optional>
#include <vector>

namespace kelo {

// A moment as a series' own clock shows it: a day and the second of that day, in the
// series' time zone (or floating). A whole day is its second 0.
struct LocalTime {
  std::chrono::sys_days day{};
  int second = 0;  // 0 to 86399

  friend auto operator<=>(const LocalTime&, const LocalTime&) = default;
};

enum class RepeatFrequency { Secondly, Minutely, Hourly, Daily, Weekly, Monthly, Yearly };

// A weekday of BYDAY with its position in the month or year: 2 the second, -1 the
// last, 0 every one.
struct RepeatWeekday {
  int position = 0;
  std::chrono::weekday day = std::chrono::Monday;

  friend bool operator==(const RepeatWeekday&, const RepeatWeekday&) = default;
};

// A repeat rule (RRULE) of RFC 5545 with its parts as written. A value no month,
// day or time can have (BYMONTHDAY=32, BYHOUR=24, BYSECOND=60) matches nothing.
struct RepeatRule {
  RepeatFrequency frequency = RepeatFrequency::Daily;
  long interval = 1;               // below 1 reads as 1
  long count = 0;                  // 0: not counted
  std::optional<LocalTime> until;  // in the series' own zone, the last moment included
  std::vector<int> bySecond;
  std::vector<int> byMinute;
  std::vector<int> byHour;
  std::vector<RepeatWeekday> byDay;
  std::vector<int> byMonthDay;
  std::vector<int> byYearDay;
  std::vector<int> byWeekNo;
  std::vector<int> byMonth;
  std::vector<int> bySetPos;
  std::chrono::weekday weekStart = std::chrono::Monday;
};

}  // namespace kelo
