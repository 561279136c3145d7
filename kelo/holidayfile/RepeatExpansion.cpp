#include "kelo/holidayfile/RepeatExpansion.h"

#include <algorithm>
#include <cstdint>

namespace kelo {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year_month_day;

constexpr int kSecondsPerDay = 86400;
// The years a walk may reach: beyond them the calendar arithmetic of <chrono> ends.
constexpr int kFirstWalkYear = -9999;
constexpr int kLastWalkYear = 9999;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if (a % b != 0 && (a < 0) != (b < 0)) --q;
  return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

bool Has(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

int YearOf(sys_days day) { return static_cast<int>(year_month_day(day).year()); }

std::int64_t DayNumber(sys_days day) { return day.time_since_epoch().count(); }

sys_days DayFromNumber(std::int64_t number) { return sys_days(days(number)); }

sys_days WeekStartOf(sys_days day, weekday weekStart) { return day - (weekday(day) - weekStart); }

// 1970-01-04 was a Sunday: a day with the weekday that starts the weeks.
std::int64_t WeekAnchor(weekday weekStart) { return 3 + weekStart.c_encoding(); }

// The week numbers of RFC 5545: weeks start on weekStart, and week 1 of a year is
// the first with at least four of its days in that year, the week of January 4.
struct WeekNumber {
  int number = 0;
  int weeksInYear = 0;
};

sys_days FirstWeekStart(int year, weekday weekStart) {
  return WeekStartOf(sys_days(std::chrono::year(year) / 1 / 4), weekStart);
}

WeekNumber WeekNumberOf(sys_days day, weekday weekStart) {
  const sys_days begins = WeekStartOf(day, weekStart);
  const int year = YearOf(begins + days(3));
  const sys_days first = FirstWeekStart(year, weekStart);
  const sys_days next = FirstWeekStart(year + 1, weekStart);
  return {static_cast<int>((begins - first).count() / 7 + 1),
          static_cast<int>((next - first).count() / 7)};
}

// Keeps the values within [low, high], sorted, each once.
std::vector<int> Valid(std::vector<int> values, int low, int high) {
  std::erase_if(values, [&](int v) { return v < low || v > high; });
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return values;
}

}  // namespace

// The instances of one repeat rule after the series' start, period by period (a
// year of a yearly rule, a week of a weekly one), each period's set as RFC 5545
// builds it: the days of the period that every day part admits (a part that expands
// in one frequency limits in another, which over the days of a period is the same
// test), times the times of day, then BYSETPOS.
class RepeatExpansion::RuleWalk {
 public:
  // countsStart: the start is the rule's first instance, given or not (a repeat
  // rule); otherwise the start is an instance only when the pattern gives it, and is
  // given then (an exclusion rule).
  RuleWalk(const RepeatRule& rule, LocalTime start, LocalTime from, LocalTime to,
           RepeatBudget& budget, bool countsStart)
      : rule_(rule),
        start_(start),
        from_(from),
        to_(to),
        budget_(budget),
        countsStart_(countsStart),
        given_(countsStart ? 1 : 0) {
    interval_ = std::max<long>(rule.interval, 1);
    const year_month_day first(start.day);
    const int startDay = static_cast<int>(unsigned(first.day()));
    const int startMonth = static_cast<int>(unsigned(first.month()));
    const RepeatFrequency f = rule.frequency;
    const bool noDayParts = rule_.byWeekNo.empty() && rule_.byYearDay.empty() &&
                            rule_.byMonthDay.empty() && rule_.byDay.empty();
    // What the rule leaves open comes from the start.
    if (f == RepeatFrequency::Yearly && noDayParts) {
      rule_.byMonthDay = {startDay};
      if (rule_.byMonth.empty()) rule_.byMonth = {startMonth};
    } else if (f == RepeatFrequency::Monthly && noDayParts) {
      rule_.byMonthDay = {startDay};
    } else if (f == RepeatFrequency::Weekly && noDayParts) {
      rule_.byDay = {{0, weekday(start.day)}};
    }
    usePositions_ = f == RepeatFrequency::Monthly || f == RepeatFrequency::Yearly;
    positionsInMonth_ =
        f == RepeatFrequency::Monthly || (f == RepeatFrequency::Yearly && !rule_.byMonth.empty());

    hours_ = Valid(rule_.byHour, 0, 23);
    minutes_ = Valid(rule_.byMinute, 0, 59);
    seconds_ = Valid(rule_.bySecond, 0, 59);
    if (rule_.byHour.empty() && f >= RepeatFrequency::Daily) hours_ = {start.second / 3600};
    if (rule_.byMinute.empty() && f >= RepeatFrequency::Hourly) minutes_ = {start.second / 60 % 60};
    if (rule_.bySecond.empty() && f >= RepeatFrequency::Minutely) seconds_ = {start.second % 60};
    if (f >= RepeatFrequency::Daily) {
      for (const int h : hours_)
        for (const int m : minutes_)
          for (const int s : seconds_) times_.push_back(h * 3600 + m * 60 + s);
    }
    for (const int p : rule_.bySetPos) {
      if (p != 0) setPositions_.push_back(p);
    }

    const sys_days lastDay = sys_days(std::chrono::year(kLastWalkYear) / 12 / 31);
    to_ = std::min(to_, LocalTime{lastDay, kSecondsPerDay - 1});
    if (rule_.until) to_ = std::min(to_, *rule_.until);
    if (YearOf(start.day) < kFirstWalkYear || start > to_) {
      done_ = true;
      return;
    }
    firstPeriod_ = PeriodOf(start);
    if (rule_.count == 0 && from > start) {
      step_ = std::max<std::int64_t>(0, CeilDiv(PeriodOf(from) - firstPeriod_, interval_));
    }
  }

  std::optional<LocalTime> Next() {
    if (cursor_ >= size_ && !LoadPeriod()) return std::nullopt;
    const LocalTime next = At(cursor_++);
    if (next > to_ || (rule_.count > 0 && given_ >= rule_.count)) {
      Finish();
      return std::nullopt;
    }
    ++given_;
    return next;
  }

 private:
  std::int64_t PeriodOf(LocalTime t) const {
    const std::int64_t day = DayNumber(t.day);
    const year_month_day ymd(t.day);
    switch (rule_.frequency) {
      case RepeatFrequency::Secondly:
        return day * kSecondsPerDay + t.second;
      case RepeatFrequency::Minutely:
        return day * 1440 + t.second / 60;
      case RepeatFrequency::Hourly:
        return day * 24 + t.second / 3600;
      case RepeatFrequency::Daily:
        return day;
      case RepeatFrequency::Weekly:
        return FloorDiv(day - WeekAnchor(rule_.weekStart), 7);
      case RepeatFrequency::Monthly:
        return std::int64_t{static_cast<int>(ymd.year())} * 12 + unsigned(ymd.month()) - 1;
      case RepeatFrequency::Yearly:
        return static_cast<int>(ymd.year());
    }
    return 0;
  }

  // The first day of the period, and its last.
  std::pair<sys_days, sys_days> DaysOf(std::int64_t period) const {
    switch (rule_.frequency) {
      case RepeatFrequency::Secondly:
        return Same(DayFromNumber(FloorDiv(period, kSecondsPerDay)));
      case RepeatFrequency::Minutely:
        return Same(DayFromNumber(FloorDiv(period, 1440)));
      case RepeatFrequency::Hourly:
        return Same(DayFromNumber(FloorDiv(period, 24)));
      case RepeatFrequency::Daily:
        return Same(DayFromNumber(period));
      case RepeatFrequency::Weekly: {
        const sys_days begins = DayFromNumber(period * 7 + WeekAnchor(rule_.weekStart));
        return {begins, begins + days(6)};
      }
      case RepeatFrequency::Monthly: {
        const std::chrono::year y(static_cast<int>(FloorDiv(period, 12)));
        const std::chrono::month m(static_cast<unsigned>(period - FloorDiv(period, 12) * 12 + 1));
        return {sys_days(y / m / 1), sys_days(y / m / std::chrono::last)};
      }
      case RepeatFrequency::Yearly: {
        const std::chrono::year y(static_cast<int>(period));
        return {sys_days(y / 1 / 1), sys_days(y / 12 / 31)};
      }
    }
    return Same(sys_days());
  }

  static std::pair<sys_days, sys_days> Same(sys_days day) { return {day, day}; }

  // The second of the day the period of a rule more frequent than daily begins.
  int SecondOf(std::int64_t period) const {
    switch (rule_.frequency) {
      case RepeatFrequency::Secondly:
        return static_cast<int>(period - FloorDiv(period, kSecondsPerDay) * kSecondsPerDay);
      case RepeatFrequency::Minutely:
        return static_cast<int>(period - FloorDiv(period, 1440) * 1440) * 60;
      case RepeatFrequency::Hourly:
        return static_cast<int>(period - FloorDiv(period, 24) * 24) * 3600;
      default:
        return 0;
    }
  }

  bool DayMatches(sys_days day) const {
    const year_month_day ymd(day);
    if (!rule_.byMonth.empty() && !Has(rule_.byMonth, static_cast<int>(unsigned(ymd.month())))) {
      return false;
    }
    if (!rule_.byWeekNo.empty()) {
      const WeekNumber week = WeekNumberOf(day, rule_.weekStart);
      if (!Has(rule_.byWeekNo, week.number) &&
          !Has(rule_.byWeekNo, week.number - week.weeksInYear - 1)) {
        return false;
      }
    }
    const sys_days yearStart = sys_days(ymd.year() / 1 / 1);
    const int yearDay = static_cast<int>((day - yearStart).count()) + 1;
    const int yearLength = ymd.year().is_leap() ? 366 : 365;
    if (!rule_.byYearDay.empty() && !Has(rule_.byYearDay, yearDay) &&
        !Has(rule_.byYearDay, yearDay - yearLength - 1)) {
      return false;
    }
    const int monthDay = static_cast<int>(unsigned(ymd.day()));
    const int monthLength =
        static_cast<int>(unsigned((ymd.year() / ymd.month() / std::chrono::last).day()));
    if (!rule_.byMonthDay.empty() && !Has(rule_.byMonthDay, monthDay) &&
        !Has(rule_.byMonthDay, monthDay - monthLength - 1)) {
      return false;
    }
    if (rule_.byDay.empty()) return true;
    const weekday wd(day);
    const int index = positionsInMonth_ ? monthDay : yearDay;
    const int length = positionsInMonth_ ? monthLength : yearLength;
    for (const RepeatWeekday& entry : rule_.byDay) {
      if (entry.day != wd) continue;
      if (entry.position == 0 || !usePositions_) return true;
      if (entry.position == (index - 1) / 7 + 1 || entry.position == -((length - index) / 7 + 1)) {
        return true;
      }
    }
    return false;
  }

  LocalTime At(std::size_t index) const {
    const std::size_t chosen = setPositions_.empty() ? index : chosen_[index];
    const std::size_t perDay = periodTimes_->size();
    return {days_[chosen / perDay], (*periodTimes_)[chosen % perDay]};
  }

  // The first index from `low` whose instance is not before `t`.
  std::size_t FirstFrom(std::size_t low, LocalTime t, bool after) const {
    std::size_t high = size_;
    while (low < high) {
      const std::size_t mid = low + (high - low) / 2;
      const LocalTime at = At(mid);
      if (after ? at <= t : at < t) {
        low = mid + 1;
      } else {
        high = mid;
      }
    }
    return low;
  }

  void Finish() {
    done_ = true;
    size_ = cursor_ = 0;
  }

  // For a rule more frequent than daily: the period from which the next may hold an
  // instance when this one's day, hour or minute is one the rule leaves out.
  std::optional<std::int64_t> SkipTo(std::int64_t period, sys_days day, int second) const {
    std::int64_t unitsPerDay = 24, unitsPerHour = 1, unitsPerMinute = 0;
    if (rule_.frequency == RepeatFrequency::Minutely) {
      unitsPerDay = 1440;
      unitsPerHour = 60;
      unitsPerMinute = 1;
    } else if (rule_.frequency == RepeatFrequency::Secondly) {
      unitsPerDay = kSecondsPerDay;
      unitsPerHour = 3600;
      unitsPerMinute = 60;
    }
    auto after = [&](std::int64_t units) { return (FloorDiv(period, units) + 1) * units; };
    if (!DayMatches(day)) return after(unitsPerDay);
    if (!rule_.byHour.empty() && !Has(hours_, second / 3600)) return after(unitsPerHour);
    if (unitsPerMinute == 0) return std::nullopt;
    if (!rule_.byMinute.empty() && !Has(minutes_, second / 60 % 60)) return after(unitsPerMinute);
    if (rule_.frequency == RepeatFrequency::Secondly && !rule_.bySecond.empty() &&
        !Has(seconds_, second % 60)) {
      return period + 1;
    }
    return std::nullopt;
  }

  // Fills the set of the period; false when it holds no instance.
  bool FillPeriod(std::int64_t period) {
    days_.clear();
    const auto [first, last] = DaysOf(period);
    if (rule_.frequency >= RepeatFrequency::Daily) {
      for (sys_days day = first; day <= last; day += days(1)) {
        if (DayMatches(day)) days_.push_back(day);
      }
      periodTimes_ = &times_;
    } else {
      days_.push_back(first);
      const int begins = SecondOf(period);
      ownTimes_.clear();
      if (rule_.frequency == RepeatFrequency::Hourly) {
        for (const int m : minutes_)
          for (const int s : seconds_) ownTimes_.push_back(begins + m * 60 + s);
      } else if (rule_.frequency == RepeatFrequency::Minutely) {
        for (const int s : seconds_) ownTimes_.push_back(begins + s);
      } else {
        ownTimes_.push_back(begins);
      }
      periodTimes_ = &ownTimes_;
    }
    const std::size_t all = days_.size() * periodTimes_->size();
    if (setPositions_.empty()) {
      size_ = all;
    } else {
      chosen_.clear();
      const auto n = static_cast<long>(all);
      for (const int p : setPositions_) {
        const long at = p > 0 ? p - 1 : n + p;
        if (at >= 0 && at < n) chosen_.push_back(static_cast<std::size_t>(at));
      }
      std::sort(chosen_.begin(), chosen_.end());
      chosen_.erase(std::unique(chosen_.begin(), chosen_.end()), chosen_.end());
      size_ = chosen_.size();
    }
    return size_ > 0;
  }

  // Moves to the next period that holds an instance to give; false at the end.
  bool LoadPeriod() {
    while (!done_) {
      const std::int64_t period = firstPeriod_ + step_ * interval_;
      const auto [first, last] = DaysOf(period);
      const LocalTime begins{first, SecondOf(period)};
      if (begins > to_) break;
      ++step_;
      if (rule_.frequency < RepeatFrequency::Daily) {
        if (const std::optional<std::int64_t> next = SkipTo(period, first, begins.second)) {
          step_ = std::max(step_, CeilDiv(*next - firstPeriod_, interval_));
          budget_.Spend(1);
          continue;
        }
      }
      if (!FillPeriod(period)) {
        budget_.Spend(1);
        continue;
      }
      cursor_ = FirstFrom(0, start_, countsStart_);
      if (rule_.count == 0) cursor_ = FirstFrom(cursor_, from_, false);
      if (cursor_ >= size_) {
        budget_.Spend(1);
        continue;
      }
      if (rule_.count > 0 && At(size_ - 1) < from_) {
        // Counted, not given: the whole period lies before the window.
        const long passed = static_cast<long>(size_ - cursor_);
        const long left = rule_.count - given_;
        budget_.Spend(std::min(passed, left) * RepeatBudget::kInstanceSteps);
        if (passed >= left) break;
        given_ += passed;
        continue;
      }
      return true;
    }
    Finish();
    return false;
  }

  RepeatRule rule_;
  LocalTime start_;
  LocalTime from_;
  LocalTime to_;
  RepeatBudget& budget_;
  std::int64_t interval_ = 1;
  std::int64_t firstPeriod_ = 0;
  std::int64_t step_ = 0;
  bool usePositions_ = false;
  bool positionsInMonth_ = false;
  std::vector<int> hours_;
  std::vector<int> minutes_;
  std::vector<int> seconds_;
  std::vector<int> times_;  // of every day of a daily or less frequent rule
  std::vector<int> setPositions_;

  // The set of the current period: its days times its times, or the indices BYSETPOS
  // chooses of them; instances before cursor_ are given or passed over.
  std::vector<sys_days> days_;
  std::vector<int> ownTimes_;
  const std::vector<int>* periodTimes_ = &times_;
  std::vector<std::size_t> chosen_;
  std::size_t size_ = 0;
  std::size_t cursor_ = 0;

  bool countsStart_ = true;
  long given_ = 1;  // with countsStart_, the series' start is the first
  bool done_ = false;
};

RepeatExpansion::RepeatExpansion(LocalTime start, LocalTime from, LocalTime to,
                                 RepeatBudget& budget)
    : start_(start), from_(from), to_(to), budget_(budget) {}

RepeatExpansion::~RepeatExpansion() = default;

void RepeatExpansion::AddRule(const RepeatRule& rule) {
  rules_.push_back(
      {std::make_unique<RuleWalk>(rule, start_, from_, to_, budget_, true), std::nullopt});
}

void RepeatExpansion::AddExclusionRule(const RepeatRule& rule) {
  exclusionRules_.push_back(
      {std::make_unique<RuleWalk>(rule, start_, from_, to_, budget_, false), std::nullopt});
}

void RepeatExpansion::AddDate(LocalTime start, std::optional<LocalTime> end) {
  dates_.push_back({start, end});
}

void RepeatExpansion::Exclude(LocalTime start) { excluded_.insert(start); }

void RepeatExpansion::ExcludeDay(std::chrono::sys_days day) { excludedDays_.insert(day); }

std::optional<RepeatExpansion::Instance> RepeatExpansion::Next() {
  if (!started_) {
    started_ = true;
    std::stable_sort(dates_.begin(), dates_.end(),
                     [](const Instance& a, const Instance& b) { return a.start < b.start; });
    for (Source& source : rules_) source.next = source.walk->Next();
    for (Source& source : exclusionRules_) source.next = source.walk->Next();
  }
  for (;;) {
    std::optional<LocalTime> earliest;
    auto consider = [&](LocalTime t) {
      if (!earliest || t < *earliest) earliest = t;
    };
    if (!startGiven_) consider(start_);
    if (nextDate_ < dates_.size()) consider(dates_[nextDate_].start);
    for (const Source& source : rules_) {
      if (source.next) consider(*source.next);
    }
    if (!earliest || *earliest > to_) return std::nullopt;

    Instance instance{*earliest, std::nullopt};
    if (start_ == *earliest) startGiven_ = true;
    for (; nextDate_ < dates_.size() && dates_[nextDate_].start == *earliest; ++nextDate_) {
      if (dates_[nextDate_].end && !instance.end) instance.end = dates_[nextDate_].end;
    }
    for (Source& source : rules_) {
      if (source.next == earliest) source.next = source.walk->Next();
    }
    // The exclusion rules walk along with the instances, which come in ascending order.
    bool ruledOut = false;
    for (Source& source : exclusionRules_) {
      while (source.next && *source.next < instance.start) source.next = source.walk->Next();
      if (source.next == instance.start) ruledOut = true;
    }
    if (instance.start < from_ || ruledOut || excluded_.contains(instance.start) ||
        excludedDays_.contains(instance.start.day)) {
      budget_.Spend(RepeatBudget::kInstanceSteps);
      continue;
    }
    return instance;
  }
}

}  // namespace kelo
