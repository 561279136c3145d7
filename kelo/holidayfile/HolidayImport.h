#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/HolidayFile.h"
#include "kelo/holidayfile/HolidayFileContent.h"

namespace kelo {

// What taking a file's dates into a currency did.
struct HolidayImport {
  std::vector<HolidayEntry> added;  // date key and stored remark, in file order
  std::size_t alreadyThere = 0;     // dates the list had before the import
  std::size_t repeated = 0;         // dates the file gave again after their first time
  std::size_t mended = 0;           // added remarks changed to fit the stored text
  std::size_t changedOnwards = 0;   // events that changed an instance and all after it
  std::vector<FileSkip> skipped;
};

// Adds each date of the file to the currency's list by the table's own rule: a date
// the list had before keeps its remark (alreadyThere), and a date the file gives
// again is taken once, with its first remark (repeated). Each remark is made storable by
// ToStoredRemark; a date without a remark gets the one the dialog's "Add" gives, "Weekend" on a
// Saturday or Sunday and "Customize" on any other day. Nothing is added when the
// currency is not in the table.
HolidayImport ImportHolidays(HolidayTable& table, std::string_view currency,
                             const HolidayFileContent& file);

// The report of an import, one sentence a line: dates added, dates already there,
// dates the file gave again (when it did), events that changed a series from an
// instance on (when there are), dates skipped and why (naming the first
// few CSV lines), remarks mended.
std::string DescribeImport(std::string_view currency, const HolidayImport& import);

// The report of an export to the named file.
std::string DescribeExport(std::string_view currency, std::string_view fileName,
                           const HolidayExport& result);

}  // namespace kelo
