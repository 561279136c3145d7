#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DateTimeValue.h"

// What a date-time picker shows, as its format's letters say: the date, the year
// alone ("yyy"), or the date and the time of day. The terminal shows them as ISO
// 8601 does, whatever the format's order: "2024-06-05", "2024",
// "2024-06-05 08:05:00".
enum class PickerParts { Date, Year, DateAndTime };

PickerParts PartsOfFormat(std::string_view windowsFormat);

// The picker's text and its parts (year, month, day, hour, minute, second, as far
// as it shows them): where each part is, the value a typed text stands for, and
// the value one step up or down in a part.
class PickerText {
 public:
  explicit PickerText(PickerParts parts);

  PickerParts Parts() const { return parts_; }
  std::string Show(const DateTimeValue& value) const;
  int Length() const;
  // The part a column of the text belongs to (a separator to the part before it).
  int PartAt(int column) const;
  int PartCount() const { return static_cast<int>(fields_.size()); }
  int PartStart(int part) const;
  // The column of the next digit after `column` (or before it, for a negative
  // direction), `column` itself at either end.
  int NextDigit(int column, int direction) const;

  // The value a text shows; the parts the picker does not show come from `hidden`.
  // Nothing when the text names no date or time.
  std::optional<DateTimeValue> Parse(std::string_view text, const DateTimeValue& hidden) const;
  // One step of a part: the year, month and day go as far as the calendar lets them
  // (a day past the end of the shorter month is moved to its last day), no part
  // wraps round.
  DateTimeValue Step(DateTimeValue value, int part, int delta) const;

 private:
  enum class Field { Year, Month, Day, Hour, Minute, Second };
  struct Place {
    Field field;
    int start;
    int length;
  };

  PickerParts parts_;
  std::vector<Place> fields_;
};
