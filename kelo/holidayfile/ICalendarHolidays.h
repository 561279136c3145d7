#pragma once

#include <string>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/FileHolidays.h"

namespace kelo {

// The dates of the events (VEVENT) of an iCalendar text (RFC 5545), with each
// event's SUMMARY as the remark, in file order:
// - an all-day event (DTSTART;VALUE=DATE) gives every day from its start up to its
//   DTEND (exclusive) or for its DURATION, one day when it has neither; an event
//   longer than 366 days is skipped (TooLong);
// - a timed event gives its start date, as written (no time zone is applied);
// - a repeating event (RRULE, RDATE, EXDATE) gives its dates in the years
//   kFirstRepeatYear to kLastRepeatYear; an instance that another event of the
//   same UID replaces (RECURRENCE-ID) is left to that event; a rule repeating more
//   often than daily is skipped (TooFrequent);
// - a cancelled event (STATUS:CANCELLED) and one without a readable DTSTART are
//   skipped, and so is a date outside kFirstFileYear to kLastFileYear.
// Throws HolidayFileError when the text holds no complete VCALENDAR, gives more than
// a million dates, or has repeat rules that take more than 100000 steps to
// expand in all: bounds on what an odd file can cost.
FileHolidays ReadICalendarHolidays(std::string_view text);

// One all-day event per holiday whose date key ParseIsoDate reads: the remark
// (ISO-8859-1) as SUMMARY, the currency as CATEGORIES, and a UID and DTSTAMP made
// from the date and the currency, so that the same list gives the same file. The
// number of entries left out goes to leftOut.
std::string WriteICalendarHolidays(std::string_view currency, const HolidayList& list,
                                   std::size_t& leftOut);

}  // namespace kelo
