// The CSV reader: any text is read or refused with a HolidayFileError; skipped rows
// name lines of the text in order; what it gives, stored and exported, reads back as
// the same dates and stored remarks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/CsvHolidays.h"
#include "kelo/holidayfile/HolidayFileContent.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace {

kelo::HolidayList Stored(const kelo::HolidayFileContent& file) {
  kelo::HolidayList list;
  for (const kelo::HolidayItem& h : file.holidays) {
    list.emplace(kelo::FormatDateKey(h.date), kelo::ToStoredRemark(h.remark).text);
  }
  return list;
}

}  // namespace

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
  for (const kelo::HolidayItem& h : file.holidays) {
    const std::string key = kelo::FormatDateKey(h.date);
    FUZZ_CHECK(kelo::ParseIsoDate(key).has_value(), "date " + key + " outside the years");
  }

  const kelo::HolidayList list = Stored(file);
  std::size_t leftOut = 0;
  const std::string exported = kelo::WriteCsvHolidays(list, leftOut);
  FUZZ_CHECK(leftOut == 0, std::to_string(leftOut) + " dates left out of the export");
  const kelo::HolidayFileContent back = kelo::ReadCsvHolidays(exported);
  FUZZ_CHECK(back.skipped.empty(), std::to_string(back.skipped.size()) + " exported rows skipped");
  FUZZ_CHECK(Stored(back) == list && back.holidays.size() == list.size(),
             "the export of " + std::to_string(list.size()) + " dates read back otherwise");
  return 0;
}
