#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelo {

// Why a date of a holiday file was not taken.
enum class SkipReason {
  Cancelled,        // an iCalendar event with STATUS:CANCELLED
  NoDate,           // an event without a start date that can be read
  OutOfYears,       // a date outside the years the calendar answers for
  NoRepeatInYears,  // a repeating event with no date in the years of the dialog
  TooLong,          // an event spanning more than a year of days
  TooFrequent,      // a repeat rule that repeats more often than once a day
  UnreadRule,       // a week-number rule of a kind that is not read
  BadRow,           // a CSV row that is not date,remark
};

// One date of a holiday file, with its remark as the file gives it (UTF-8).
struct FileHoliday {
  unsigned year = 0;
  unsigned month = 0;
  unsigned day = 0;
  std::string remark;

  friend bool operator==(const FileHoliday&, const FileHoliday&) = default;
};

// Something of a file that gave no date; line is the CSV line where the row began
// (0 for iCalendar events).
struct FileSkip {
  SkipReason reason = SkipReason::BadRow;
  std::size_t line = 0;

  friend bool operator==(const FileSkip&, const FileSkip&) = default;
};

// What a holiday file holds, in file order: a date repeated keeps every occurrence
// here; the table keeps the first.
struct HolidayFileContent {
  std::vector<FileHoliday> holidays;
  std::vector<FileSkip> skipped;
};

// The years whose dates a file may bring: the span of the calendar functions, so
// that every date key has four digits and a weekday.
inline constexpr unsigned kFirstFileYear = 1970;
inline constexpr unsigned kLastFileYear = 3000;
// The years a repeat rule is expanded over: the years the holiday dialog offers.
inline constexpr unsigned kFirstRepeatYear = 2010;
inline constexpr unsigned kLastRepeatYear = 2099;

// The date of an ISO 8601 calendar date text "YYYY-MM-DD" (four-digit year) that
// exists and lies in kFirstFileYear to kLastFileYear; nothing for any other text.
// For such a date, FormatDateKey gives the text back unchanged.
std::optional<FileHoliday> ParseIsoDate(std::string_view text);

}  // namespace kelo
