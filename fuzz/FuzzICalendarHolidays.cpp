// The iCalendar reader: any text is read or refused with a HolidayFileError, never a
// crash or a hang; every date it gives lies in the years, and what it gives, stored
// and exported, reads back as the same dates and stored remarks.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/HolidayFileChecks.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/ICalendarHolidays.h"

namespace {

constexpr std::size_t kMaxRoundTripDates = 2000;

void CheckDates(const kelo::HolidayFileContent& file) {
  FUZZ_CHECK(file.holidays.size() <= kelo::kMaxFileDates,
             std::to_string(file.holidays.size()) + " dates");
  CheckDatesInYears(file);
  for (const kelo::FileSkip& skip : file.skipped) {
    FUZZ_CHECK(skip.line == 0, "an iCalendar skip names line " + std::to_string(skip.line));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  kelo::HolidayFileContent file;
  try {
    file = kelo::ReadICalendarHolidays(text);
  } catch (const kelo::HolidayFileError&) {
    return 0;
  }
  CheckDates(file);

  const kelo::HolidayList list = StoredHolidays(file);
  // The round trip checks what each date and remark becomes, which a few thousand
  // dates show as well as a million: libical writes and reads a large calendar
  // slowly under the sanitizers.
  if (list.size() > kMaxRoundTripDates) return 0;
  std::size_t leftOut = 0;
  const std::string exported = kelo::WriteICalendarHolidays("F,U;Z\\", list, leftOut);
  FUZZ_CHECK(leftOut == 0, std::to_string(leftOut) + " dates left out of the export");
  kelo::HolidayFileContent back;
  try {
    back = kelo::ReadICalendarHolidays(exported);
  } catch (const kelo::HolidayFileError& error) {
    FUZZ_CHECK(false, std::string("the export is refused: ") + error.what());
  }
  FUZZ_CHECK(back.skipped.empty(),
             std::to_string(back.skipped.size()) + " exported events skipped");
  const kelo::HolidayList again = StoredHolidays(back);
  FUZZ_CHECK(
      again.size() == list.size() && back.holidays.size() == list.size(),
      std::to_string(list.size()) + " dates came back as " + std::to_string(back.holidays.size()));
  for (const auto& [key, remark] : list) {
    const auto found = again.find(key);
    FUZZ_CHECK(found != again.end(), key + " did not come back");
    FUZZ_CHECK(found->second == remark,
               key + " " + fuzz::Shown(remark) + " came back as " + fuzz::Shown(found->second));
  }
  return 0;
}
