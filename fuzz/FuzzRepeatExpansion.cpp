// The repeat engine's own promises, on rules built from the input over every part
// (values no date can have included) and every frequency: instances come in strictly
// ascending order and start within the window; a rule counted from the window's
// start gives no more than COUNT; nothing excluded comes; a window inside another
// gives exactly the wider one's instances that start in it; an exclusion rule only
// takes instances out; and two runs give the same. Every walk ends, by the window or
// the budget.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "kelo/holidayfile/RepeatExpansion.h"

namespace {

using kelo::LocalTime;
using std::chrono::days;
using std::chrono::sys_days;

constexpr std::size_t kMostInstances = 3000;
constexpr long kBudget = 200000;

class Bytes {
 public:
  Bytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  unsigned Next() { return at_ < size_ ? data_[at_++] : 0; }
  int Signed() { return static_cast<int8_t>(Next()); }
  int Signed16() { return static_cast<int16_t>(Next() << 8 | Next()); }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct Input {
  LocalTime start;
  LocalTime from;
  LocalTime to;
  kelo::RepeatRule rule;
  std::vector<LocalTime> dates;
  std::vector<LocalTime> excluded;
  std::vector<sys_days> excludedDays;
};

LocalTime Shifted(LocalTime t, long dayCount, long seconds) {
  long second = t.second + seconds;
  long day = dayCount + (second >= 0 ? second / 86400 : -((86399 - second) / 86400));
  second -= (day - dayCount) * 86400;
  return {t.day + days(day), static_cast<int>(second)};
}

std::vector<int> List(Bytes& in, int scale) {
  std::vector<int> values(in.Next() % 5);
  for (int& v : values) v = in.Signed() * scale;
  return values;
}

Input Read(Bytes& in) {
  Input input;
  kelo::RepeatRule& rule = input.rule;
  rule.frequency = static_cast<kelo::RepeatFrequency>(in.Next() % 7);
  rule.interval = static_cast<long>(in.Next() % 9);
  const unsigned count = in.Next();
  rule.count = count == 255 ? 100000 : count % 64;
  const unsigned second = (in.Next() << 16 | in.Next() << 8 | in.Next()) % 86400;
  input.start = {sys_days(std::chrono::year(2010) / 1 / 1) + days(in.Signed16()),
                 second < 43200 ? 0 : static_cast<int>(second)};
  const unsigned until = in.Next();
  if (until & 1) {
    rule.until = Shifted(input.start, static_cast<long>(in.Next()) * 37 - 1000,
                         static_cast<long>(in.Signed()) * 331);
  }
  rule.weekStart = std::chrono::weekday(in.Next() % 7);
  input.from = Shifted(input.start, in.Signed() * 30L, in.Signed() * 600L);
  input.to = Shifted(input.from, static_cast<long>(in.Next() % 120 + 1) * 366, 0);
  rule.bySecond = List(in, 1);
  rule.byMinute = List(in, 1);
  rule.byHour = List(in, 1);
  rule.byMonthDay = List(in, 1);
  rule.byYearDay = List(in, 3);
  rule.byWeekNo = List(in, 1);
  rule.byMonth = List(in, 1);
  rule.bySetPos = List(in, 3);
  for (unsigned n = in.Next() % 5; n > 0; --n) {
    const unsigned day = in.Next();
    rule.byDay.push_back({in.Signed() % 54, std::chrono::weekday(day % 7)});
  }
  for (unsigned n = in.Next() % 4; n > 0; --n) {
    input.dates.push_back(Shifted(input.start, in.Signed16(), in.Signed() * 900L));
  }
  for (unsigned n = in.Next() % 4; n > 0; --n) {
    const LocalTime t = Shifted(input.start, in.Signed() * 7L, in.Signed() * 3600L);
    if (in.Next() & 1) {
      input.excludedDays.push_back(t.day);
    } else {
      input.excluded.push_back(t);
    }
  }
  return input;
}

struct Run {
  std::vector<LocalTime> starts;
  bool spent = false;  // the budget ran out
  bool cut = false;    // more than kMostInstances
};

Run Expand(const Input& input, LocalTime from, LocalTime to,
           const std::optional<kelo::RepeatRule>& exclusionRule = std::nullopt) {
  Run run;
  kelo::RepeatBudget budget(kBudget);
  kelo::RepeatExpansion expansion(input.start, from, to, budget);
  expansion.AddRule(input.rule);
  if (exclusionRule) expansion.AddExclusionRule(*exclusionRule);
  for (const LocalTime& t : input.dates) expansion.AddDate(t);
  for (const LocalTime& t : input.excluded) expansion.Exclude(t);
  for (const sys_days d : input.excludedDays) expansion.ExcludeDay(d);
  try {
    while (const auto instance = expansion.Next()) {
      if (run.starts.size() == kMostInstances) {
        run.cut = true;
        break;
      }
      run.starts.push_back(instance->start);
    }
  } catch (const kelo::RepeatBudgetSpent&) {
    run.spent = true;
  }
  return run;
}

std::string Shown(LocalTime t) {
  return std::to_string(t.day.time_since_epoch().count()) + "d+" + std::to_string(t.second) + "s";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  const Input input = Read(in);
  const Run run = Expand(input, input.from, input.to);

  for (std::size_t i = 0; i < run.starts.size(); ++i) {
    const LocalTime t = run.starts[i];
    FUZZ_CHECK(t >= input.from && t <= input.to, Shown(t) + " outside the window");
    FUZZ_CHECK(i == 0 || run.starts[i - 1] < t,
               Shown(run.starts[i - 1]) + " then " + Shown(t) + ": not ascending");
    for (const LocalTime& e : input.excluded) FUZZ_CHECK(t != e, Shown(t) + " was excluded");
    for (const sys_days d : input.excludedDays)
      FUZZ_CHECK(t.day != d, Shown(t) + " is on an excluded day");
  }
  if (input.rule.count > 0 && input.dates.empty() && input.from <= input.start && !run.cut) {
    FUZZ_CHECK(static_cast<long>(run.starts.size()) <= input.rule.count,
               std::to_string(run.starts.size()) +
                   " instances of COUNT=" + std::to_string(input.rule.count));
  }

  const Run again = Expand(input, input.from, input.to);
  FUZZ_CHECK(again.starts == run.starts && again.spent == run.spent && again.cut == run.cut,
             "a second run differs");

  // A narrower window gives the same instances where it lies: the walk's jumps to
  // the window and its counting before it change nothing.
  if (!run.spent && !run.cut) {
    const LocalTime from = Shifted(input.from, static_cast<long>(in.Next()) * 11, 0);
    const LocalTime to = Shifted(input.to, -static_cast<long>(in.Next()) * 11, 0);
    if (from <= to) {
      const Run inner = Expand(input, from, to);
      if (!inner.spent) {
        std::vector<LocalTime> want;
        for (const LocalTime& t : run.starts) {
          if (t >= from && t <= to) want.push_back(t);
        }
        FUZZ_CHECK(inner.starts == want, std::to_string(inner.starts.size()) +
                                             " instances in the narrower window, " +
                                             std::to_string(want.size()) + " of the wider one's");
      }
    }
  }

  // An exclusion rule (daily to yearly, as the reader takes them) only takes out.
  if (!run.spent && !run.cut) {
    kelo::RepeatRule exclusion;
    exclusion.frequency = static_cast<kelo::RepeatFrequency>(3 + in.Next() % 4);
    exclusion.interval = static_cast<long>(in.Next() % 5);
    exclusion.count = static_cast<long>(in.Next() % 8);
    exclusion.byMonthDay = List(in, 1);
    exclusion.byMonth = List(in, 1);
    for (unsigned n = in.Next() % 3; n > 0; --n) {
      const unsigned day = in.Next();
      exclusion.byDay.push_back({in.Signed() % 6, std::chrono::weekday(day % 7)});
    }
    const Run fewer = Expand(input, input.from, input.to, exclusion);
    if (!fewer.spent) {
      FUZZ_CHECK(std::includes(run.starts.begin(), run.starts.end(), fewer.starts.begin(),
                               fewer.starts.end()),
                 std::to_string(fewer.starts.size()) +
                     " instances with an exclusion rule, not all of the " +
                     std::to_string(run.starts.size()) + " without");
    }
  }
  return 0;
}
