#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

#include "kelo/holidayfile/RepeatRule.h"

namespace kelo {

// Thrown when an expansion has spent its budget.
class RepeatBudgetSpent : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What expanding repeat rules may cost, in steps, shared by every expansion that is
// given it. An expansion spends one step on each period of a rule (a day of a daily
// rule, a year of a yearly one) that holds no instance, and kInstanceSteps on each
// instance it passes over: before the window, counted by COUNT, or excluded.
class RepeatBudget {
 public:
  static constexpr long kInstanceSteps = 64;

  explicit RepeatBudget(long steps) : left_(steps) {}

  // Throws RepeatBudgetSpent when fewer than `steps` are left.
  void Spend(long steps) {
    if (steps > left_) {
      left_ = 0;
      throw RepeatBudgetSpent("the repeat rules take more steps than allowed");
    }
    left_ -= steps;
  }

 private:
  long left_;
};

// The recurrence set of RFC 5545 of a series: its start (DTSTART), the instances of
// its repeat rules (RRULE) and its extra instances (RDATE), less those excluded
// (EXDATE, the instances of exclusion rules (EXRULE of RFC 2445), and instances
// another event replaces), as far as they start within a window. Every time is a LocalTime of the
// series' own zone.
//
// The start is always the first instance, and counts as the first for each rule's
// COUNT, whether the rule names it or not; an exclusion removes an instance after the
// rules are counted. The walk jumps over the periods before the window unless a rule
// counts its instances, and never goes past the window's end, so every walk ends;
// what it costs beyond the instances it gives is charged to the budget.
class RepeatExpansion {
 public:
  struct Instance {
    LocalTime start;
    std::optional<LocalTime> end;  // the end of an RDATE given as a PERIOD

    friend bool operator==(const Instance&, const Instance&) = default;
  };

  RepeatExpansion(LocalTime start, LocalTime from, LocalTime to, RepeatBudget& budget);
  ~RepeatExpansion();
  RepeatExpansion(const RepeatExpansion&) = delete;
  RepeatExpansion& operator=(const RepeatExpansion&) = delete;

  // Set up before the first Next().
  void AddRule(const RepeatRule& rule);
  void AddDate(LocalTime start, std::optional<LocalTime> end = std::nullopt);
  // Every instance an exclusion rule gives from the start on is left out. Unlike a
  // repeat rule's, its set holds the start only when the rule's pattern does, and its
  // COUNT counts only what the pattern gives.
  void AddExclusionRule(const RepeatRule& rule);
  void Exclude(LocalTime start);               // the instance that starts then
  void ExcludeDay(std::chrono::sys_days day);  // every instance that starts that day

  // The next instance that starts within the window, in ascending order of start,
  // each start once (an RDATE's PERIOD gives its end to a rule's instance at the same
  // start); nullopt at the end. Throws RepeatBudgetSpent.
  std::optional<Instance> Next();

 private:
  class RuleWalk;
  struct Source {
    std::unique_ptr<RuleWalk> walk;
    std::optional<LocalTime> next;
  };

  LocalTime start_;
  LocalTime from_;
  LocalTime to_;
  RepeatBudget& budget_;
  std::vector<Source> rules_;
  std::vector<Source> exclusionRules_;
  std::vector<Instance> dates_;  // sorted at the first Next()
  std::size_t nextDate_ = 0;
  std::set<LocalTime> excluded_;
  std::set<std::chrono::sys_days> excludedDays_;
  bool started_ = false;
  bool startGiven_ = false;
};

}  // namespace kelo
