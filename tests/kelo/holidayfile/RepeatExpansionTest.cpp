#include "kelo/holidayfile/RepeatExpansion.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

namespace kelo {
namespace {

using std::chrono::sys_days;

// "2024-01-05" or "2024-01-05T09:30:00".
LocalTime At(const std::string& text) {
  int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
  std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d", &y, &m, &d, &hh, &mm, &ss);
  return {sys_days(std::chrono::year(y) / m / d), hh * 3600 + mm * 60 + ss};
}

std::string Text(LocalTime t) {
  const std::chrono::year_month_day ymd(t.day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                unsigned(ymd.month()), unsigned(ymd.day()));
  std::string out = text;
  if (t.second != 0) {
    std::snprintf(text, sizeof text, "T%02d:%02d:%02d", t.second / 3600, t.second / 60 % 60,
                  t.second % 60);
    out += text;
  }
  return out;
}

std::vector<int> Numbers(const std::string& list) {
  std::vector<int> numbers;
  std::istringstream in(list);
  for (std::string n; std::getline(in, n, ',');) numbers.push_back(std::stoi(n));
  return numbers;
}

std::chrono::weekday WeekdayNamed(const std::string& name) {
  const std::map<std::string, unsigned> days = {{"SU", 0}, {"MO", 1}, {"TU", 2}, {"WE", 3},
                                                {"TH", 4}, {"FR", 5}, {"SA", 6}};
  return std::chrono::weekday(days.at(name));
}

// A rule from its RRULE text; UNTIL as a LocalTime in the series' zone.
RepeatRule Rule(const std::string& text) {
  const std::map<std::string, RepeatFrequency> frequencies = {
      {"SECONDLY", RepeatFrequency::Secondly}, {"MINUTELY", RepeatFrequency::Minutely},
      {"HOURLY", RepeatFrequency::Hourly},     {"DAILY", RepeatFrequency::Daily},
      {"WEEKLY", RepeatFrequency::Weekly},     {"MONTHLY", RepeatFrequency::Monthly},
      {"YEARLY", RepeatFrequency::Yearly}};
  RepeatRule rule;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, ';');) {
    const std::string name = part.substr(0, part.find('='));
    const std::string value = part.substr(part.find('=') + 1);
    if (name == "FREQ") rule.frequency = frequencies.at(value);
    if (name == "INTERVAL") rule.interval = std::stol(value);
    if (name == "COUNT") rule.count = std::stol(value);
    if (name == "UNTIL") rule.until = At(value);
    if (name == "BYSECOND") rule.bySecond = Numbers(value);
    if (name == "BYMINUTE") rule.byMinute = Numbers(value);
    if (name == "BYHOUR") rule.byHour = Numbers(value);
    if (name == "BYMONTHDAY") rule.byMonthDay = Numbers(value);
    if (name == "BYYEARDAY") rule.byYearDay = Numbers(value);
    if (name == "BYWEEKNO") rule.byWeekNo = Numbers(value);
    if (name == "BYMONTH") rule.byMonth = Numbers(value);
    if (name == "BYSETPOS") rule.bySetPos = Numbers(value);
    if (name == "WKST") rule.weekStart = WeekdayNamed(value);
    if (name == "BYDAY") {
      std::istringstream days(value);
      for (std::string day; std::getline(days, day, ',');) {
        const std::string position = day.substr(0, day.size() - 2);
        rule.byDay.push_back(
            {position.empty() ? 0 : std::stoi(position), WeekdayNamed(day.substr(day.size() - 2))});
      }
    }
  }
  return rule;
}

const LocalTime kFrom = At("1970-01-01");
const LocalTime kTo = At("2099-12-31T23:59:59");

// The first `most` instances, blank-separated.
std::string Instances(RepeatExpansion& expansion, std::size_t most = 12) {
  std::string text;
  for (std::size_t i = 0; i < most; ++i) {
    const std::optional<RepeatExpansion::Instance> next = expansion.Next();
    if (!next) break;
    text += (text.empty() ? "" : " ") + Text(next->start);
    if (next->end) text += "/" + Text(*next->end);
  }
  return text;
}

std::string Expanded(const std::string& start, const std::string& rule) {
  RepeatBudget budget(1000000);
  RepeatExpansion expansion(At(start), kFrom, kTo, budget);
  expansion.AddRule(Rule(rule));
  return Instances(expansion);
}

TEST(RepeatExpansionTest, GivesEachRulesInstancesAsRfc5545Defines) {
  struct Case {
    const char* start;
    const char* rule;
    const char* instances;
  };
  const Case cases[] = {
      // BYSETPOS over each week's set, the start among them.
      {"2024-01-05", "FREQ=WEEKLY;COUNT=3;BYDAY=MO,WE,FR;BYSETPOS=-1",
       "2024-01-05 2024-01-12 2024-01-19"},
      // A yearly BYMONTHDAY without BYMONTH is each month's day.
      {"2024-01-31", "FREQ=YEARLY;COUNT=4;BYMONTHDAY=31",
       "2024-01-31 2024-03-31 2024-05-31 2024-07-31"},
      {"2024-01-31", "FREQ=DAILY;COUNT=4;BYMONTHDAY=-1",
       "2024-01-31 2024-02-29 2024-03-31 2024-04-30"},
      // Weeks from Wednesday: the week of the start holds Sunday 08-03, before it.
      {"2025-08-05T09:00:00", "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=WE",
       "2025-08-05T09:00:00 2025-08-17T09:00:00 2025-08-19T09:00:00 2025-08-31T09:00:00"},
      // UNTIL 2024-01-10T10:00Z seen in New York.
      {"2024-01-08T09:00:00", "FREQ=YEARLY;BYWEEKNO=2;UNTIL=2024-01-10T05:00:00",
       "2024-01-08T09:00:00 2024-01-09T09:00:00"},
      // Week 52 of 2038 ends on 2039-01-02; week 1 of 2025 with Sunday weeks begins
      // on 2024-12-29, and 2025 has no Sunday in its week 1.
      {"2038-12-25", "FREQ=YEARLY;BYWEEKNO=52;BYDAY=SA;UNTIL=2039-12-31",
       "2038-12-25 2039-01-01 2039-12-31"},
      {"2024-12-29", "FREQ=YEARLY;BYWEEKNO=1;BYDAY=SU;WKST=SU;COUNT=3",
       "2024-12-29 2026-01-04 2027-01-03"},
      {"2012-01-01", "FREQ=YEARLY;BYWEEKNO=-1;BYDAY=SU;COUNT=4",
       "2012-01-01 2012-12-30 2013-12-29 2014-12-28"},
      {"2024-01-31", "FREQ=MONTHLY;COUNT=3;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
       "2024-01-31 2024-02-29 2024-03-29"},
      {"2023-03-01", "FREQ=YEARLY;COUNT=4;BYYEARDAY=-1,60",
       "2023-03-01 2023-12-31 2024-02-29 2024-12-31"},
      {"2024-02-29", "FREQ=YEARLY;COUNT=3", "2024-02-29 2028-02-29 2032-02-29"},
      {"2024-01-15", "FREQ=MONTHLY;COUNT=4;BYDAY=-1MO,2TU",
       "2024-01-15 2024-01-29 2024-02-13 2024-02-26"},
      {"2024-05-27", "FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO;COUNT=3",
       "2024-05-27 2025-05-26 2026-05-25"},
      {"2024-01-01", "FREQ=YEARLY;BYDAY=20MO;COUNT=3", "2024-01-01 2024-05-13 2025-05-19"},
      // Times of day expand each day, and BYSETPOS picks among them.
      {"2024-01-01T09:00:00", "FREQ=DAILY;BYHOUR=9,17;COUNT=3",
       "2024-01-01T09:00:00 2024-01-01T17:00:00 2024-01-02T09:00:00"},
      {"2024-01-26T17:00:00", "FREQ=MONTHLY;BYDAY=FR;BYHOUR=9,17;BYSETPOS=-1;COUNT=2",
       "2024-01-26T17:00:00 2024-02-23T17:00:00"},
      // More often than daily, BYHOUR and the finer parts limit.
      {"2024-01-01T22:00:00", "FREQ=HOURLY;INTERVAL=5;COUNT=4",
       "2024-01-01T22:00:00 2024-01-02T03:00:00 2024-01-02T08:00:00 2024-01-02T13:00:00"},
      {"2024-01-01T09:00:00", "FREQ=MINUTELY;INTERVAL=90;BYHOUR=9;COUNT=3",
       "2024-01-01T09:00:00 2024-01-02T09:00:00 2024-01-03T09:00:00"},
      {"2024-01-01T12:00:00", "FREQ=SECONDLY;BYHOUR=12;BYMINUTE=0;BYSECOND=0,30;COUNT=3",
       "2024-01-01T12:00:00 2024-01-01T12:00:30 2024-01-02T12:00:00"},
      // A start the rule does not name is the first instance and counts.
      {"2024-01-03", "FREQ=WEEKLY;BYDAY=MO;COUNT=2", "2024-01-03 2024-01-08"},
      {"2024-01-03", "FREQ=WEEKLY;BYDAY=MO;UNTIL=2023-12-01", "2024-01-03"},
      // Impossible days are no days.
      {"2024-01-31", "FREQ=MONTHLY;COUNT=3", "2024-01-31 2024-03-31 2024-05-31"},
      {"2024-01-30", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30,31", "2024-01-30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " " + c.rule);
    EXPECT_EQ(Expanded(c.start, c.rule), c.instances);
  }
}

TEST(RepeatExpansionTest, MergesRulesAndDatesAndExcludesByTheMomentOrTheDay) {
  RepeatBudget budget(1000000);
  RepeatExpansion expansion(At("2024-01-01T09:00:00"), kFrom, kTo, budget);
  expansion.AddRule(Rule("FREQ=DAILY;COUNT=4"));
  expansion.AddRule(Rule("FREQ=WEEKLY;COUNT=2;BYHOUR=9,18"));
  expansion.AddDate(At("2024-01-03T09:00:00"), At("2024-01-04"));
  expansion.AddDate(At("2023-12-30"));
  expansion.Exclude(At("2024-01-02T10:00:00"));  // no instance then
  expansion.Exclude(At("2024-01-04T09:00:00"));
  expansion.ExcludeDay(At("2024-01-01").day);
  EXPECT_EQ(Instances(expansion), "2023-12-30 2024-01-02T09:00:00 2024-01-03T09:00:00/2024-01-04");
}

TEST(RepeatExpansionTest, GivesOnlyWhatStartsInTheWindowAndJumpsToItUnlessCounted) {
  RepeatBudget budget(1000);
  RepeatExpansion open(At("1800-01-01"), At("2010-01-01"), At("2010-01-10"), budget);
  open.AddRule(Rule("FREQ=DAILY;INTERVAL=3"));
  EXPECT_EQ(Instances(open), "2010-01-01 2010-01-04 2010-01-07 2010-01-10");

  // Counted, the rule is walked from its start, and the instances it passes over
  // before the window cost steps.
  RepeatBudget counted(1000000);
  RepeatExpansion fromStart(At("2009-12-01"), At("2010-01-01"), At("2010-01-10"), counted);
  fromStart.AddRule(Rule("FREQ=DAILY;COUNT=33"));
  EXPECT_EQ(Instances(fromStart), "2010-01-01 2010-01-02");
  RepeatBudget small(1000);
  RepeatExpansion tooFar(At("1800-01-01"), At("2010-01-01"), At("2010-01-10"), small);
  tooFar.AddRule(Rule("FREQ=DAILY;COUNT=100000"));
  EXPECT_THROW(tooFar.Next(), RepeatBudgetSpent);
}

// Rules that give few or no instances end at the window's end, their empty periods
// charged to the budget, and a rule with an instance every second gives them one by
// one: no rule makes a call hang or hold more than a period.
TEST(RepeatExpansionTest, EndsEveryHostileRule) {
  for (const char* rule : {"FREQ=DAILY;BYMONTH=2;BYMONTHDAY=31", "FREQ=MONTHLY;BYSETPOS=40",
                           "FREQ=YEARLY;BYWEEKNO=53;BYDAY=MO;BYMONTH=6",
                           "FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30", "FREQ=DAILY;BYHOUR=24"}) {
    SCOPED_TRACE(rule);
    RepeatBudget budget(50000);
    RepeatExpansion expansion(At("2010-01-01T10:00:00"), kFrom, kTo, budget);
    expansion.AddRule(Rule(rule));
    try {
      EXPECT_EQ(Instances(expansion), "2010-01-01T10:00:00");
    } catch (const RepeatBudgetSpent&) {
      ADD_FAILURE() << "budget spent";
    }
    if (std::string(rule).find("YEARLY") == std::string::npos) {
      RepeatBudget small(100);
      RepeatExpansion costly(At("2010-01-01T10:00:00"), kFrom, kTo, small);
      costly.AddRule(Rule(rule));
      EXPECT_THROW(while (costly.Next()){}, RepeatBudgetSpent);
    }
  }
  RepeatBudget budget(1000000);
  RepeatExpansion everySecond(At("2010-01-01"), kFrom, kTo, budget);
  everySecond.AddRule(
      Rule("FREQ=SECONDLY;BYHOUR=0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,"
           "19,20,21,22,23;BYMINUTE=0,30"));
  for (int i = 0; i < 100000; ++i) ASSERT_TRUE(everySecond.Next());
  EXPECT_EQ(Text(everySecond.Next()->start), "2010-02-04T17:00:40");
}

}  // namespace
}  // namespace kelo
