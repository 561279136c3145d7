#include "tool/review/ViewDifference.h"

#include <map>

#include "tool/plan/PairByName.h"

namespace {

bool SameControl(const ShownControl& a, const ShownControl& b) {
  return a.group == b.group && a.label == b.label && a.kind == b.kind;
}

void CompareControls(const std::vector<ShownControl>& before,
                     const std::vector<ShownControl>& after, std::vector<ControlChange>& changes) {
  // The same page shows the same controls in the same order; only pages of different
  // modules need the search.
  std::vector<bool> paired(before.size(), false);
  std::size_t from = 0;
  for (const ShownControl& control : after) {
    std::optional<std::size_t> match;
    for (std::size_t i = from; i < before.size() && !match; ++i)
      if (!paired[i] && SameControl(before[i], control)) match = i;
    for (std::size_t i = 0; i < from && !match; ++i)
      if (!paired[i] && SameControl(before[i], control)) match = i;
    if (!match) {
      changes.push_back({std::nullopt, control});
      continue;
    }
    paired[*match] = true;
    from = *match + 1;
    if (!before[*match].ShowsSameAs(control)) changes.push_back({before[*match], control});
  }
  for (std::size_t i = 0; i < before.size(); ++i)
    if (!paired[i]) changes.push_back({before[i], std::nullopt});
}

void CompareHolidays(const std::vector<ShownCurrency>& before,
                     const std::vector<ShownCurrency>& after, std::vector<HolidayChange>& changes) {
  // The dialog lists the currencies in byte order, as the pairing needs them.
  static const std::vector<ListViewRow> kNone;
  PairByName(
      before, after, [](const ShownCurrency& c) -> const std::string& { return c.currency; },
      [&](const ShownCurrency* old, const ShownCurrency* now) {
        const std::string& currency = (old != nullptr ? old : now)->currency;
        std::map<std::string, std::string> oldDates;
        for (const ListViewRow& row : old != nullptr ? old->holidays : kNone)
          oldDates.emplace(Cell(row, 0), Cell(row, 1));
        std::map<std::string, std::string> newDates;
        for (const ListViewRow& row : now != nullptr ? now->holidays : kNone)
          newDates.emplace(Cell(row, 0), Cell(row, 1));
        auto x = oldDates.begin();
        auto y = newDates.begin();
        while (x != oldDates.end() || y != newDates.end()) {
          if (y == newDates.end() || (x != oldDates.end() && x->first < y->first)) {
            changes.push_back({currency, '-', x->first, x->second, {}});
            ++x;
          } else if (x == oldDates.end() || y->first < x->first) {
            changes.push_back({currency, '+', y->first, {}, y->second});
            ++y;
          } else {
            if (x->second != y->second)
              changes.push_back({currency, '~', x->first, x->second, y->second});
            ++x;
            ++y;
          }
        }
      });
}

}  // namespace

ViewDifference CompareViews(const ConfigurationView& before, const ConfigurationView& after) {
  ViewDifference difference;
  CompareControls(before.controls, after.controls, difference.controls);
  static const std::vector<ShownCurrency> kNoCalendar;
  if (before.calendar || after.calendar)
    CompareHolidays(before.calendar ? *before.calendar : kNoCalendar,
                    after.calendar ? *after.calendar : kNoCalendar, difference.holidays);
  return difference;
}
