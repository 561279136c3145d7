#pragma once

// What the calendar-file fuzzers check alike of what a reader gives.

#include <string>

#include "fuzz/FuzzCheck.h"
#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/HolidayTable.h"
#include "kelo/holidayfile/HolidayFileContent.h"
#include "kelo/holidayfile/StoredRemark.h"

// Every date a reader gives lies in the calendar's years.
inline void CheckDatesInYears(const kelo::HolidayFileContent& file) {
  for (const kelo::HolidayItem& h : file.holidays) {
    const std::string key = kelo::FormatDateKey(h.date);
    FUZZ_CHECK(kelo::ParseIsoDate(key).has_value(), "date " + key + " outside the years");
  }
}

// The table an import into an empty currency makes: the first remark of a date wins.
inline kelo::HolidayList StoredHolidays(const kelo::HolidayFileContent& file) {
  kelo::HolidayList list;
  for (const kelo::HolidayItem& h : file.holidays) {
    list.emplace(kelo::FormatDateKey(h.date), kelo::ToStoredRemark(h.remark).text);
  }
  return list;
}
