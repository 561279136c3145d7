#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/HolidayFileContent.h"

namespace kelo {

// Where a writer hands its text, a part at a time.
using HolidayTextSink = std::function<void(std::string_view part)>;

// What one iCalendar file may hold and make the reader do: far beyond any real
// calendar, and bounds on the time and memory an odd file can take. They are checked
// before libical parses the text, which recurses once per level of nesting and reads
// a content line in time that grows with the square of its length.
inline constexpr std::size_t kMaxICalendarNesting = 32;
inline constexpr std::size_t kMaxICalendarLine = 256 * 1024;  // bytes, unfolded
inline constexpr std::size_t kMaxFileDates = 1000000;
inline constexpr std::size_t kMaxFileRemarkBytes = 64 * 1024 * 1024;  // all dates' remarks
// Steps of repeat rules that give no date in the repeat years: instances before
// kFirstDialogYear of a counted rule, instances excluded or on a day already given,
// and (64 to a step) periods of a rule that hold no instance.
inline constexpr long kMaxIdleRepeatSteps = 200000;

// The dates of the events (VEVENT) of an iCalendar text (RFC 5545), with each
// event's SUMMARY, blanks at its ends kept, as the remark, in file order. The text
// is decoded by UnfoldedFileTextAsUtf8.
// - an all-day event (DTSTART;VALUE=DATE) gives every day from its start up to its
//   DTEND (exclusive) or for its DURATION, one day when it has neither; so does a
//   timed event from midnight to midnight, or one marked
//   X-MICROSOFT-CDO-ALLDAYEVENT:TRUE, as desktop calendars write all-day events in
//   a time zone; an event longer than 366 days is skipped (TooLong);
// - any other timed event gives its start date, as written (no time zone is applied);
// - a repeating event (RRULE, RDATE) gives the days of its instances (RepeatExpansion)
//   that lie in the years kFirstDialogYear to kLastDialogYear, each instance the days
//   above, in the series' own zone; an RDATE PERIOD from midnight to midnight its own
//   days; EXDATE, and another event of the same UID with a RECURRENCE-ID, remove the
//   instance that starts at that moment in the series' zone (a date, or any time in
//   an all-day series, that day's; a time of another zone the instance that starts
//   at that instant, a local time in a gap of the clock taking the offset from
//   before it and one in an overlap meaning the first pass), and EXRULE every
//   instance its rule gives; a RECURRENCE-ID with RANGE=THISANDFUTURE cancels the
//   later instances too (CancelledOnwards), or moves them as it moved its own and
//   gives them its length and summary (counted in changedOnwards); a rule repeating
//   more often than daily is skipped (TooFrequent), and so is a rule with week
//   numbers in another frequency than yearly or with a weekday's position
//   (UnreadRule), and an exclusion rule that cannot be walked (UnreadExclusionRule);
// - a cancelled event (STATUS:CANCELLED) and one without a readable DTSTART are
//   skipped, and so is each day outside kFirstCalendarYear to kLastCalendarYear.
// Throws HolidayFileError when the text holds a zero byte, nests deeper or has a
// longer content line than the limits above, holds no complete VCALENDAR, gives more
// dates or remark bytes than the limits, or its repeat rules take more idle steps.
HolidayFileContent ReadICalendarHolidays(std::string_view bytes);

// One all-day event per holiday whose date key ParseIsoDate reads (DTSTART and the
// next day as DTEND, or DURATION:P1D on the last day of the years, whose next day
// libical cannot write): the remark (ISO-8859-1) as SUMMARY, the currency as
// CATEGORIES, and a UID and DTSTAMP made
// from the date and the currency, so that the same list gives the same file. The
// number of entries left out goes to leftOut.
std::string WriteICalendarHolidays(std::string_view currency, const HolidayList& list,
                                   std::size_t& leftOut);
// The same text handed to write a part at a time, so that it is never held whole.
void WriteICalendarHolidays(std::string_view currency, const HolidayList& list,
                            std::size_t& leftOut, const HolidayTextSink& write);

}  // namespace kelo
