#include "fuzz/RecordDifference.h"

#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "kelo/config/RecordFields.h"

namespace fuzz {
namespace {

std::string ValueText(const std::string& value) { return Shown(value); }
std::string ValueText(bool value) { return value ? "true" : "false"; }
std::string ValueText(std::int32_t value) { return std::to_string(value); }

template <typename T>
std::string FieldDifference(const char* key, const T& a, const T& b) {
  if (a == b) return {};
  return std::string(key) + ": " + ValueText(a) + " vs " + ValueText(b);
}

// The calendar names its own keys.
std::string FieldDifference(const char*, const kelo::HolidayTable& a, const kelo::HolidayTable& b) {
  return FirstDifference(a, b);
}

// Walks the record's field table; later fields are not looked at.
template <typename Record>
std::string FirstFieldDifference(const Record& a, const Record& b) {
  std::string text;
  kelo::ForEachField<Record>(Record::Fields(), [&](const auto& field, auto member) {
    if (text.empty()) text = FieldDifference(field.key, a.*member, b.*member);
  });
  return text;
}

}  // namespace

std::string FirstDifference(const kelo::HolidayTable& a, const kelo::HolidayTable& b) {
  auto currencyA = a.begin();
  auto currencyB = b.begin();
  for (; currencyA != a.end() && currencyB != b.end(); ++currencyA, ++currencyB) {
    if (currencyA->first != currencyB->first) {
      return "CurrencyTable: currency " + Shown(currencyA->first) + " vs " +
             Shown(currencyB->first);
    }
    const kelo::HolidayList& listA = currencyA->second;
    const kelo::HolidayList& listB = currencyB->second;
    auto holidayA = listA.begin();
    auto holidayB = listB.begin();
    for (; holidayA != listA.end() && holidayB != listB.end(); ++holidayA, ++holidayB) {
      if (*holidayA != *holidayB) {
        return "CurrencyTable_" + currencyA->first + ": " + Shown(holidayA->first) + " " +
               Shown(holidayA->second) + " vs " + Shown(holidayB->first) + " " +
               Shown(holidayB->second);
      }
    }
    if (holidayA != listA.end() || holidayB != listB.end()) {
      return "CurrencyTable_" + currencyA->first + ": " + std::to_string(listA.size()) + " vs " +
             std::to_string(listB.size()) + " holidays";
    }
  }
  if (currencyA != a.end() || currencyB != b.end()) {
    return "CurrencyTable: " + std::to_string(a.size()) + " vs " + std::to_string(b.size()) +
           " currencies";
  }
  return {};
}

std::string FirstDifference(const kelo::HandlerConfig& a, const kelo::HandlerConfig& b) {
  return FirstFieldDifference(a, b);
}

std::string FirstDifference(const kelo::CKELOStaticRecSetConfig& a,
                            const kelo::CKELOStaticRecSetConfig& b) {
  return FirstFieldDifference(a, b);
}

std::string FirstDifference(const kelo::CKELODynRecSetConfig& a,
                            const kelo::CKELODynRecSetConfig& b) {
  return FirstFieldDifference(a, b);
}

}  // namespace fuzz
