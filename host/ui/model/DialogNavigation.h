#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "ui/ControlTemplate.h"

// What a window holds at the moment, asked of the backend by control index in
// template order. A backend may add controls of its own after the template's (a
// picker's label): they are no radio buttons.
struct ControlStates {
  // Enabled, shown and of a kind that takes the focus.
  std::function<bool(int index)> canFocus;
  // A check box or radio button that carries its mark.
  std::function<bool(int index)> checked;
};

// The keyboard of a dialog as the host's dialog manager decides it from the
// template, once for every backend: which radio buttons form a group, where Tab
// stops, where the arrows go.
//
// A radio group starts at a radio button with the Group flag, or at the first radio
// button after a control that ends a group, and runs over the radio buttons after
// it. Labels and frames between its buttons (a hint beside a choice) leave it whole;
// it ends at the next control with the Group flag and at any other control that
// takes the focus.
//
// Tab stops at every control that can take the focus, and of a radio group only at
// its checked buttons, as checking a button gives it the group's tab stop; a group
// with no checked button that can take the focus stops at its first one that can.
// Up and Left, Down and Right go to the previous or next button of the group that
// can take the focus, round the group's ends, never out of it.
class DialogNavigation {
 public:
  explicit DialogNavigation(std::span<const ControlTemplate> controls);

  // The group of a radio button, as an index into Groups(); -1 for any other control.
  int GroupOf(int index) const;
  // Each group's buttons, as control indexes in template order.
  const std::vector<std::vector<int>>& Groups() const { return groups_; }
  // Whether the control is a radio button whose group has other buttons, so that
  // arrows mean something on it.
  bool ArrowsChoose(int index) const;

  bool IsTabStop(int index, const ControlStates& states) const;
  // The Tab stops among the first `count` controls, in order.
  std::vector<int> TabStops(int count, const ControlStates& states) const;
  // The Tab stop after `from` (before it, `backwards`); `from` -1 is before the
  // first control. Round the ends when `wrap`; none when there is no stop to go to.
  std::optional<int> NextTabStop(int from, bool backwards, bool wrap, int count,
                                 const ControlStates& states) const;
  // An arrow on a radio button: the button of its group it goes to (`step` -1 for Up
  // and Left, 1 for Down and Right). None when `from` is no radio button or no other
  // button of its group can take the focus.
  std::optional<int> ArrowTarget(int from, int step, const ControlStates& states) const;

 private:
  std::vector<int> groupOf_;
  std::vector<std::vector<int>> groups_;
};
