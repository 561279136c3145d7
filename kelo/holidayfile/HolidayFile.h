#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/HolidayFileContent.h"

namespace kelo {

enum class HolidayFileType { ICalendar, Csv };

// The type a file name asks for: ".ics" or ".ical" iCalendar, ".csv" CSV, in any
// case; nothing for any other name.
std::optional<HolidayFileType> HolidayFileTypeOf(std::string_view path);

// The largest holiday file read: far beyond any real calendar, and a guard against
// reading a device or a runaway file into memory.
inline constexpr std::size_t kMaxHolidayFileSize = 16 * 1024 * 1024;

// The dates of the file, read as its name's type; a name of neither type is read as
// iCalendar when its text begins with BEGIN:VCALENDAR, else as CSV. Throws
// HolidayFileError, naming the file and the reason, for a file that cannot be opened,
// is not a regular file (a folder, a FIFO, a device), is larger than
// kMaxHolidayFileSize, or is an iCalendar file without a complete calendar. Never
// waits for a writer.
HolidayFileContent ReadHolidayFile(const std::string& path);

// What an export wrote.
struct HolidayExport {
  std::size_t written = 0;
  std::size_t leftOut = 0;  // entries whose date key is no date
};

// Writes the currency's list to the file as its name's type, replacing the file
// whole (see SaveFileAtomically). Throws HolidayFileError, naming the file and the
// reason, for a name of neither type or a failed write; the file is then as it was.
HolidayExport WriteHolidayFile(const std::string& path, std::string_view currency,
                               const HolidayList& list);

// The last part of a path, for messages.
std::string FileNameOf(std::string_view path);

}  // namespace kelo
