#pragma once

#include <cstdint>
#include <optional>

#include "ui/backend/WindowRole.h"

class UiWindow;
struct DialogTemplate;

// Which of a window's values make it changed. A property page's controls hold what
// it saves: every value counts. A dialog's fields and choices are what its commands
// work on (a year to add, a currency to show), so only the items of its lists count;
// the rows its commands add and remove are marked as they go (ChangeTracker::
// MarkChanged), since each choice shows rows of its own.
enum class ChangeScope { AllValues, ListItems };
ChangeScope ChangeScopeOf(WindowRole role);

// The values of the scope (texts typed, marks, choices, list items and rows,
// dates), reduced to one number: windows of the same template give the same number
// when they hold the same.
std::uint64_t WindowValues(const UiWindow& window, const DialogTemplate& dialog, ChangeScope scope);

// Whether a window changed since it was shown: its values against those it showed
// first, and what its values do not hold (a dialog opened from it and confirmed
// after changes). Typing a letter and taking it back again is no change.
class ChangeTracker {
 public:
  // The values as first shown count as unchanged; later calls keep the first.
  void Shown(std::uint64_t values) {
    if (!shown_) shown_ = values;
  }
  bool IsShown() const { return shown_.has_value(); }
  void MarkChanged() { marked_ = true; }
  bool Changed(std::uint64_t values) const { return marked_ || (shown_ && values != *shown_); }

 private:
  std::optional<std::uint64_t> shown_;
  bool marked_ = false;
};
