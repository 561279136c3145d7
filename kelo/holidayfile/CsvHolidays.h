#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/HolidayFileContent.h"

namespace kelo {

// Where a writer hands its text, a part at a time.
using HolidayTextSink = std::function<void(std::string_view part)>;

// Reads "date,remark" rows (RFC 4180: fields separated by ",", a field in double
// quotes may hold commas, line breaks and "" for a quote; CR LF, LF or CR end a row).
// The date is ISO "YYYY-MM-DD", blanks around it allowed; a row of the date alone
// has no remark, and empty fields after the remark are ignored. A first row whose
// first field does not begin with a digit is a header; blank lines are passed over.
// Any other row that does not give a date and a remark is skipped as BadRow with the
// line it began on, a date outside the years as OutOfYears. The text is decoded by
// FileTextAsUtf8 (UTF-8, UTF-16 with a byte order mark, else ISO-8859-1), which
// throws HolidayFileError for an encoding it does not read.
HolidayFileContent ReadCsvHolidays(std::string_view bytes);

// The list as UTF-8 CSV: the header "date,remark", then one row per holiday whose
// date key is a date ParseIsoDate reads, quoted where RFC 4180 needs it, every row
// ended by CR LF. The number of entries left out goes to leftOut.
std::string WriteCsvHolidays(const HolidayList& list, std::size_t& leftOut);
// The same text handed to write a part at a time, so that it is never held whole.
void WriteCsvHolidays(const HolidayList& list, std::size_t& leftOut, const HolidayTextSink& write);

}  // namespace kelo
