#pragma once

#include <cstdint>
#include <optional>

class UiWindow;
struct DialogTemplate;

// What the user can change in a window (texts typed, marks, choices, list rows,
// dates), reduced to one number: two states of windows of the same template give
// the same number when they hold the same.
std::uint64_t WindowValues(const UiWindow& window, const DialogTemplate& dialog);

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
