#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tool/review/ConfigurationView.h"

// What a reviewer sees change between two views of a configuration.

// A control whose shown value changed; one side is missing only when the pages
// themselves differ.
struct ControlChange {
  std::optional<ShownControl> before;
  std::optional<ShownControl> after;
};

// A holiday added ('+'), removed ('-') or given another remark ('~').
struct HolidayChange {
  std::string currency;
  char change = '~';
  std::string date;
  std::string before;  // the remark; empty for '+'
  std::string after;   // the remark; empty for '-'
};

struct ViewDifference {
  std::vector<ControlChange> controls;  // in the page's order
  std::vector<HolidayChange> holidays;  // by currency, then date

  bool Empty() const { return controls.empty() && holidays.empty(); }
};

ViewDifference CompareViews(const ConfigurationView& before, const ConfigurationView& after);
