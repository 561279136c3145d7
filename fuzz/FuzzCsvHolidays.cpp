// The CSV reader: any text is read or refused with a HolidayFileError; skipped rows
// name lines of the text in order; what it gives, stored and exported, reads back as
// the same dates and stored remarks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/HolidayFileChecks.h"
#include "kelo/holidayfile/CsvHolidays.h"
#include "kelo/holidayfile/HolidayFileError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  kelo::HolidayFileContent file;
  try {
    file = kelo::ReadCsvHolidays(text);
  } catch (const kelo::HolidayFileError&) {
    return 0;
  }
  // Every line break of any kind counts, in the text as decoded: at most one line
  // per byte, or per two bytes of UTF-16.
  const std::size_t lines = 1 + size;
  std::size_t previous = 0;
  for (const kelo::FileSkip& skip : file.skipped) {
    FUZZ_CHECK(skip.line > previous && skip.line <= lines,
               "skipped line " + std::to_string(skip.line) + " after " + std::to_string(previous));
    previous = skip.line;
  }
  CheckDatesInYears(file);

  const kelo::HolidayList list = StoredHolidays(file);
  std::size_t leftOut = 0;
  const std::string exported = kelo::WriteCsvHolidays(list, leftOut);
  FUZZ_CHECK(leftOut == 0, std::to_string(leftOut) + " dates left out of the export");
  const kelo::HolidayFileContent back = kelo::ReadCsvHolidays(exported);
  FUZZ_CHECK(back.skipped.empty(), std::to_string(back.skipped.size()) + " exported rows skipped");
  FUZZ_CHECK(StoredHolidays(back) == list && back.holidays.size() == list.size(),
             "the export of " + std::to_string(list.size()) + " dates read back otherwise");
  return 0;
}
