#pragma once

#include <cstddef>
#include <vector>

#include "kelo/holiday/HolidayItem.h"

namespace kelo {

// Why a date of a holiday file was not taken.
enum class SkipReason {
  Cancelled,            // an iCalendar event with STATUS:CANCELLED
  CancelledOnwards,     // a cancelled instance and all after it (RANGE=THISANDFUTURE)
  NoDate,               // an event without a start date that can be read
  OutOfYears,           // a date outside the years the calendar answers for
  NoRepeatInYears,      // a repeating event with no date in the years of the dialog
  TooLong,              // an event spanning more than a year of days
  TooFrequent,          // a repeat rule that repeats more often than once a day
  UnreadRule,           // a week-number rule of a kind that is not read
  UnreadExclusionRule,  // an exclusion rule (EXRULE) that is not read
  BadRow,               // a CSV row that is not date,remark
};

// Something of a file that gave no date; line is the CSV line where the row began
// (0 for iCalendar events).
struct FileSkip {
  SkipReason reason = SkipReason::BadRow;
  std::size_t line = 0;

  friend bool operator==(const FileSkip&, const FileSkip&) = default;
};

// What a holiday file holds, in file order: its dates, each with its remark as the
// file gives it (UTF-8); a date repeated keeps every occurrence here, the table keeps
// the first. A date lies in kFirstCalendarYear to kLastCalendarYear (Calendar.h), so
// that every date key has four digits and a weekday.
struct HolidayFileContent {
  std::vector<HolidayItem> holidays;
  std::vector<FileSkip> skipped;
  // iCalendar events that changed an instance and all after it (RANGE=THISANDFUTURE)
  std::size_t changedOnwards = 0;
};

}  // namespace kelo
