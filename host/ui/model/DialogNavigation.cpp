#include "ui/model/DialogNavigation.h"

#include <algorithm>

namespace {

// Whether the user can put the focus on a control of the kind.
bool FocusableKind(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::GroupBox;
}

}  // namespace

DialogNavigation::DialogNavigation(std::span<const ControlTemplate> controls)
    : groupOf_(controls.size(), -1) {
  bool open = false;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& control = controls[i];
    if (control.kind == ControlKind::RadioButton) {
      if (!open || control.Has(ControlStyle::Group)) groups_.emplace_back();
      open = true;
      groups_.back().push_back(static_cast<int>(i));
      groupOf_[i] = static_cast<int>(groups_.size()) - 1;
      continue;
    }
    if (FocusableKind(control.kind) || control.Has(ControlStyle::Group)) open = false;
  }
}

int DialogNavigation::GroupOf(int index) const {
  if (index < 0 || index >= static_cast<int>(groupOf_.size())) return -1;
  return groupOf_[static_cast<std::size_t>(index)];
}

bool DialogNavigation::ArrowsChoose(int index) const {
  const int group = GroupOf(index);
  return group >= 0 && groups_[static_cast<std::size_t>(group)].size() > 1;
}

bool DialogNavigation::IsTabStop(int index, const ControlStates& states) const {
  if (!states.canFocus(index)) return false;
  const int group = GroupOf(index);
  if (group < 0) return true;
  if (states.checked(index)) return true;
  // Unchecked: the stop only when no button of the group that can take the focus is
  // checked, and then only the first of them.
  for (int member : groups_[static_cast<std::size_t>(group)]) {
    if (!states.canFocus(member)) continue;
    if (states.checked(member)) return false;
  }
  for (int member : groups_[static_cast<std::size_t>(group)])
    if (states.canFocus(member)) return member == index;
  return false;
}

std::vector<int> DialogNavigation::TabStops(int count, const ControlStates& states) const {
  std::vector<int> stops;
  for (int i = 0; i < count; ++i)
    if (IsTabStop(i, states)) stops.push_back(i);
  return stops;
}

std::optional<int> DialogNavigation::NextTabStop(int from, bool backwards, bool wrap, int count,
                                                 const ControlStates& states) const {
  const std::vector<int> stops = TabStops(count, states);
  if (stops.empty()) return std::nullopt;
  if (!backwards) {
    const auto next = std::upper_bound(stops.begin(), stops.end(), from);
    if (next != stops.end()) return *next;
    return wrap ? std::optional<int>(stops.front()) : std::nullopt;
  }
  const auto next = std::lower_bound(stops.begin(), stops.end(), from);
  if (from >= 0 && next != stops.begin()) return *std::prev(next);
  return wrap ? std::optional<int>(stops.back()) : std::nullopt;
}

std::optional<int> DialogNavigation::ArrowTarget(int from, int step,
                                                 const ControlStates& states) const {
  const int group = GroupOf(from);
  if (group < 0) return std::nullopt;
  const std::vector<int>& members = groups_[static_cast<std::size_t>(group)];
  const int count = static_cast<int>(members.size());
  const int at =
      static_cast<int>(std::find(members.begin(), members.end(), from) - members.begin());
  const int direction = step < 0 ? -1 : 1;
  for (int n = 1; n < count; ++n) {
    const int next =
        members[static_cast<std::size_t>(((at + direction * n) % count + count) % count)];
    if (states.canFocus(next)) return next;
  }
  return std::nullopt;
}
