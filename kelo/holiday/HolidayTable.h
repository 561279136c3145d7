#pragma once

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelo {

// Date key -> remark, in byte-wise key order (chronological for four-digit years).
using HolidayList = std::map<std::string, std::string, std::less<>>;

// One entry as added to a list: date key and remark.
using HolidayEntry = std::pair<std::string, std::string>;

// The per-currency bank-holiday calendar: currency code -> HolidayList, in byte-wise
// key order. A plain value: copies share nothing.
class HolidayTable {
 public:
  using Map = std::map<std::string, HolidayList, std::less<>>;
  using const_iterator = Map::const_iterator;

  const_iterator begin() const { return currencies_.begin(); }
  const_iterator end() const { return currencies_.end(); }
  std::size_t size() const { return currencies_.size(); }
  bool empty() const { return currencies_.empty(); }
  void clear() { currencies_.clear(); }

  // Adds the currency with an empty list when it is absent; its list either way.
  HolidayList& EnsureCurrency(std::string_view currency);
  // The currency's list, or null when the currency is absent.
  const HolidayList* Find(std::string_view currency) const;

  bool HolidayExists(std::string_view currency, unsigned year, unsigned month, unsigned day) const;
  // False, changing nothing, when the currency is absent or already has the date.
  bool AddHoliday(std::string_view currency, unsigned year, unsigned month, unsigned day,
                  const std::string& remark);
  // The rule holidays and weekend days of the year, each through AddHoliday;
  // returns the entries actually added, in the order added.
  std::vector<HolidayEntry> AddHolidaysOfYear(std::string_view currency, unsigned year);
  // Nothing happens when the currency or the key is absent.
  void RemoveHoliday(std::string_view currency, std::string_view dateKey);
  // Empties the currency's list; the currency stays.
  void ClearHolidays(std::string_view currency);

  friend bool operator==(const HolidayTable&, const HolidayTable&) = default;

 private:
  Map currencies_;
};

// "%u-%02u-%02u" of year, month and day, for example 2024-05-06.
std::string FormatDateKey(unsigned year, unsigned month, unsigned day);
// The same of the date's year, month and day.
std::string FormatDateKey(const std::chrono::year_month_day& date);

}  // namespace kelo
