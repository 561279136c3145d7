#include "kelo/holiday/HolidayTable.h"

#include <cstdio>
#include <iterator>

#include "kelo/holiday/StandardHolidays.h"

namespace kelo {

namespace {

// Where key belongs in list. Keys mostly arrive in ascending order (a year's rule
// holidays, then its weekend days), so the position just after the previous one is
// tried first; anything else falls back to a full search.
HolidayList::iterator PositionFor(HolidayList& list, HolidayList::iterator hint,
                                  const std::string& key) {
  const bool hintFits = (hint == list.end() || key <= hint->first) &&
                        (hint == list.begin() || std::prev(hint)->first < key);
  return hintFits ? hint : list.lower_bound(key);
}

}  // namespace

std::string FormatDateKey(unsigned year, unsigned month, unsigned day) {
  // Three unsigned values of at most ten digits each, two separators and the end.
  char text[3 * 10 + 2 + 1];
  const int length = std::snprintf(text, sizeof text, "%u-%02u-%02u", year, month, day);
  return std::string(text, static_cast<std::size_t>(length));
}

std::string FormatDateKey(const std::chrono::year_month_day& date) {
  return FormatDateKey(static_cast<unsigned>(static_cast<int>(date.year())),
                       static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
}

HolidayList& HolidayTable::EnsureCurrency(std::string_view currency) {
  auto it = currencies_.lower_bound(currency);
  if (it == currencies_.end() || it->first != currency)
    it = currencies_.emplace_hint(it, std::string(currency), HolidayList{});
  return it->second;
}

const HolidayList* HolidayTable::Find(std::string_view currency) const {
  const auto it = currencies_.find(currency);
  return it == currencies_.end() ? nullptr : &it->second;
}

bool HolidayTable::HolidayExists(std::string_view currency, unsigned year, unsigned month,
                                 unsigned day) const {
  const HolidayList* list = Find(currency);
  return list != nullptr && list->contains(FormatDateKey(year, month, day));
}

bool HolidayTable::AddHoliday(std::string_view currency, unsigned year, unsigned month,
                              unsigned day, const std::string& remark) {
  const auto it = currencies_.find(currency);
  if (it == currencies_.end()) return false;
  return it->second.try_emplace(FormatDateKey(year, month, day), remark).second;
}

std::vector<HolidayEntry> HolidayTable::AddHolidaysOfYear(std::string_view currency,
                                                          unsigned year) {
  std::vector<HolidayEntry> added;
  const auto found = currencies_.find(currency);
  if (found == currencies_.end()) return added;
  HolidayList& list = found->second;

  // Same result as AddHoliday item by item (the first remark to reach a date wins),
  // but without a full search per item when the list is already large.
  auto hint = list.begin();
  for (HolidayItem& item : HolidaysOfYear(currency, year)) {
    std::string key = FormatDateKey(item.date);
    auto pos = PositionFor(list, hint, key);
    if (pos == list.end() || pos->first != key) {
      pos = list.emplace_hint(pos, key, item.remark);
      added.emplace_back(std::move(key), std::move(item.remark));
    }
    hint = std::next(pos);
  }
  return added;
}

void HolidayTable::RemoveHoliday(std::string_view currency, std::string_view dateKey) {
  const auto it = currencies_.find(currency);
  if (it == currencies_.end()) return;
  const auto entry = it->second.find(dateKey);
  if (entry != it->second.end()) it->second.erase(entry);
}

void HolidayTable::ClearHolidays(std::string_view currency) {
  const auto it = currencies_.find(currency);
  if (it != currencies_.end()) it->second.clear();
}

}  // namespace kelo
