#include "ui/terminal/PickerText.h"

#include <algorithm>
#include <cstdio>

namespace {

bool Leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && Leap(year)) return 29;
  return kDays[std::clamp(month, 1, 12) - 1];
}

}  // namespace

PickerParts PartsOfFormat(std::string_view format) {
  bool date = false;
  bool year = false;
  bool time = false;
  bool quoted = false;
  for (char c : format) {
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == 'y') year = true;
    if (c == 'M' || c == 'd') date = true;
    if (c == 'h' || c == 'H' || c == 'm' || c == 's') time = true;
  }
  if (format.empty() || date) return time ? PickerParts::DateAndTime : PickerParts::Date;
  if (year && !time) return PickerParts::Year;
  return time ? PickerParts::DateAndTime : PickerParts::Date;
}

PickerText::PickerText(PickerParts parts) : parts_(parts) {
  fields_.push_back({Field::Year, 0, 4});
  if (parts == PickerParts::Year) return;
  fields_.push_back({Field::Month, 5, 2});
  fields_.push_back({Field::Day, 8, 2});
  if (parts == PickerParts::Date) return;
  fields_.push_back({Field::Hour, 11, 2});
  fields_.push_back({Field::Minute, 14, 2});
  fields_.push_back({Field::Second, 17, 2});
}

std::string PickerText::Show(const DateTimeValue& v) const {
  char text[40];
  switch (parts_) {
    case PickerParts::Year:
      std::snprintf(text, sizeof text, "%04d", v.year);
      break;
    case PickerParts::Date:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", v.year, v.month, v.day);
      break;
    case PickerParts::DateAndTime:
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", v.year, v.month, v.day,
                    v.hour, v.minute, v.second);
      break;
  }
  return text;
}

int PickerText::Length() const {
  const Place& last = fields_.back();
  return last.start + last.length;
}

int PickerText::PartAt(int column) const {
  int part = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (column >= fields_[i].start) part = static_cast<int>(i);
  return part;
}

int PickerText::PartStart(int part) const {
  return fields_.at(static_cast<std::size_t>(std::clamp(part, 0, PartCount() - 1))).start;
}

int PickerText::NextDigit(int column, int direction) const {
  auto isDigit = [this](int c) {
    for (const Place& place : fields_)
      if (c >= place.start && c < place.start + place.length) return true;
    return false;
  };
  for (int c = column + (direction < 0 ? -1 : 1); c >= 0 && c < Length();
       c += direction < 0 ? -1 : 1)
    if (isDigit(c)) return c;
  return column;
}

std::optional<DateTimeValue> PickerText::Parse(std::string_view text,
                                               const DateTimeValue& hidden) const {
  if (static_cast<int>(text.size()) != Length()) return std::nullopt;
  DateTimeValue value = hidden;
  const std::string shown = Show(hidden);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digitPlace = shown[i] >= '0' && shown[i] <= '9';
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (digitPlace != digit || (!digit && text[i] != shown[i])) return std::nullopt;
  }
  for (const Place& place : fields_) {
    int number = 0;
    for (int i = 0; i < place.length; ++i)
      number = number * 10 + (text[static_cast<std::size_t>(place.start + i)] - '0');
    switch (place.field) {
      case Field::Year:
        value.year = number;
        break;
      case Field::Month:
        value.month = number;
        break;
      case Field::Day:
        value.day = number;
        break;
      case Field::Hour:
        value.hour = number;
        break;
      case Field::Minute:
        value.minute = number;
        break;
      case Field::Second:
        value.second = number;
        break;
    }
  }
  if (parts_ == PickerParts::Year) value.day = std::min(value.day, DaysIn(value.year, value.month));
  if (value.year < 1 || !value.IsValid()) return std::nullopt;
  return value;
}

DateTimeValue PickerText::Step(DateTimeValue value, int part, int delta) const {
  const Field field =
      fields_.at(static_cast<std::size_t>(std::clamp(part, 0, PartCount() - 1))).field;
  switch (field) {
    case Field::Year:
      value.year = std::clamp(value.year + delta, 1, 9999);
      break;
    case Field::Month:
      value.month = std::clamp(value.month + delta, 1, 12);
      break;
    case Field::Day:
      value.day = std::clamp(value.day + delta, 1, DaysIn(value.year, value.month));
      break;
    case Field::Hour:
      value.hour = std::clamp(value.hour + delta, 0, 23);
      break;
    case Field::Minute:
      value.minute = std::clamp(value.minute + delta, 0, 59);
      break;
    case Field::Second:
      value.second = std::clamp(value.second + delta, 0, 59);
      break;
  }
  value.day = std::min(value.day, DaysIn(value.year, value.month));
  return value;
}
