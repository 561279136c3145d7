#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

// A calendar date and time of day as a date-time picker holds it: plain fields, no
// time zone. Ordered field by field.
struct DateTimeValue {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend auto operator<=>(const DateTimeValue&, const DateTimeValue&) = default;

  static DateTimeValue Date(int year, int month, int day) { return {year, month, day}; }
  // The local date and time of the clock.
  static DateTimeValue Now();

  // True when year, month and day name a Gregorian date and the time is a time of day.
  bool IsValid() const;
  // "YYYY-MM-DD" of the date part.
  std::string IsoDate() const;
  // The date of a "YYYY-MM-DD" text (four-digit year, two-digit month and day), time
  // 00:00:00; nothing when the text is not exactly that or names no date.
  static std::optional<DateTimeValue> ParseIsoDate(std::string_view text);
};
