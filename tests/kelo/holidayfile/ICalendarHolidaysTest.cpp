#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/ICalendarHolidays.h"

namespace kelo {
namespace {

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& lines, const std::string& uid = "x@test") {
  return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20230101T000000Z\r\n" + lines +
         "END:VEVENT\r\n";
}

std::vector<std::string> Dates(const HolidayFileContent& file) {
  std::vector<std::string> dates;
  for (const HolidayItem& h : file.holidays) {
    dates.push_back(FormatDateKey(h.date) + " " + h.remark);
  }
  return dates;
}

std::vector<SkipReason> Reasons(const HolidayFileContent& file) {
  std::vector<SkipReason> reasons;
  for (const FileSkip& skip : file.skipped) reasons.push_back(skip.reason);
  return reasons;
}

TEST(ICalendarHolidaysTest, ReadsTheDatesOfEachKindOfEvent) {
  struct Case {
    const char* name;
    std::string events;
    std::vector<std::string> dates;
    std::vector<SkipReason> skipped;
  };
  const Case cases[] = {
      {"all-day, with escapes and a folded summary",
       Event("DTSTART;VALUE=DATE:20220603\r\nSUMMARY:Platinum Jubilee\\, bank \r\n holiday\r\n"),
       {"2022-06-03 Platinum Jubilee, bank holiday"},
       {}},
      {"several days up to DTEND, and by DURATION",
       Event("DTSTART;VALUE=DATE:20221224\r\nDTEND;VALUE=DATE:20221227\r\nSUMMARY:Xmas\r\n") +
           Event("DTSTART;VALUE=DATE:20230228\r\nDURATION:P2D\r\nSUMMARY:Turn\r\n"),
       {"2022-12-24 Xmas", "2022-12-25 Xmas", "2022-12-26 Xmas", "2023-02-28 Turn",
        "2023-03-01 Turn"},
       {}},
      {"a timed event on its start date, as written",
       Event("DTSTART:20230314T233000Z\r\nDTEND:20230316T010000Z\r\nSUMMARY:Late\r\n"),
       {"2023-03-14 Late"},
       {}},
      {"cancelled, no start, too long, years out, too frequent",
       Event("STATUS:CANCELLED\r\nDTSTART;VALUE=DATE:20230605\r\nSUMMARY:Off\r\n") +
           Event("SUMMARY:No start\r\n") +
           Event("DTSTART;VALUE=DATE:2023XX05\r\nSUMMARY:Bad start\r\n") +
           Event("DTSTART;VALUE=DATE:20230101\r\nDTEND;VALUE=DATE:20250101\r\n") +
           Event("DTSTART;VALUE=DATE:19691231\r\n") +
           Event("DTSTART:20230101T000000Z\r\nRRULE:FREQ=HOURLY\r\n") +
           Event("DTSTART;VALUE=DATE:19900101\r\nRRULE:FREQ=YEARLY;COUNT=3\r\n"),
       {},
       {SkipReason::Cancelled, SkipReason::NoDate, SkipReason::NoDate, SkipReason::TooLong,
        SkipReason::OutOfYears, SkipReason::TooFrequent, SkipReason::NoRepeatInYears}},
      {"a repeat rule, its exceptions, extra dates and a moved instance",
       Event("DTSTART;VALUE=DATE:20200525\r\nRRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO;UNTIL="
             "20240101\r\n"
             "EXDATE;VALUE=DATE:20210531\r\nRDATE;VALUE=DATE:20230508\r\nSUMMARY:Spring\r\n",
             "spring@test") +
           Event("RECURRENCE-ID;VALUE=DATE:20220530\r\nDTSTART;VALUE=DATE:20220602\r\n"
                 "SUMMARY:Spring (moved)\r\n",
                 "spring@test"),
       {"2020-05-25 Spring", "2023-05-08 Spring", "2023-05-29 Spring", "2022-06-02 Spring (moved)"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(c.events));
    EXPECT_EQ(Dates(file), c.dates);
    EXPECT_EQ(Reasons(file), c.skipped);
  }
}

TEST(ICalendarHolidaysTest, ExpandsAYearlyRuleOverTheYearsOfTheDialogOnly) {
  const HolidayFileContent file = ReadICalendarHolidays(Calendar(
      Event("DTSTART;VALUE=DATE:19991231\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:New Year's Eve\r\n") +
      Event("DTSTART;VALUE=DATE:20240229\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\r\n")));
  const std::vector<std::string> dates = Dates(file);
  ASSERT_EQ(dates.size(), 91u);  // 2010 to 2099, and the impossible rule's own start
  EXPECT_EQ(dates.front(), "2010-12-31 New Year's Eve");
  EXPECT_EQ(dates[89], "2099-12-31 New Year's Eve");
  EXPECT_EQ(dates.back(), "2024-02-29 ");
}

TEST(ICalendarHolidaysTest, RefusesTextWithoutACompleteCalendar) {
  for (const std::string& text :
       {std::string(), std::string("date,remark\n2024-01-01,x\n"),
        std::string("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\n"),
        std::string("BEGIN:VCALENDAR\r\n\0\r\nEND:VCALENDAR\r\n", 36),
        std::string("BEGIN:VTODO\r\nEND:VTODO\r\n")}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ReadICalendarHolidays(text), HolidayFileError);
  }
}

TEST(ICalendarHolidaysTest, RefusesAFileThatWouldCostTooMuchToExpand) {
  std::string yearLong;
  for (int i = 0; i < 2800; ++i) {
    yearLong += Event("DTSTART;VALUE=DATE:20240101\r\nDTEND;VALUE=DATE:20250101\r\n");
  }
  EXPECT_THROW(ReadICalendarHolidays(Calendar(yearLong)), HolidayFileError);
  // A counted rule is walked from its start: from the year 1, that is far more steps
  // than any real calendar needs before its dates, and the message names the event.
  try {
    ReadICalendarHolidays(Calendar(Event(
        "DTSTART;VALUE=DATE:00010101\r\nRRULE:FREQ=DAILY;COUNT=2000000\r\nSUMMARY:Ever\r\n")));
    ADD_FAILURE() << "no refusal";
  } catch (const HolidayFileError& error) {
    EXPECT_NE(std::string(error.what())
                  .find("steps that give no date in 2010 to 2099; the last "
                        "was event \"Ever\" from 1-01-01, RRULE:FREQ=DAILY"),
              std::string::npos)
        << error.what();
  }
}

TEST(ICalendarHolidaysTest, WritesOneStableAllDayEventPerHoliday) {
  const HolidayList list = {{"2022-06-03", "Platinum Jubilee, \"70\""},
                            {"2024-07-14", "F\xEAte nationale"},
                            {"2024-13-01", "no date"}};
  std::size_t leftOut = 0;
  const std::string text = WriteICalendarHolidays("GBP", list, leftOut);
  EXPECT_EQ(leftOut, 1u);
  for (const char* line : {"BEGIN:VCALENDAR\r\n", "VERSION:2.0\r\n", "UID:20220603-GBP@hcdkelo\r\n",
                           "DTSTAMP:20220603T000000Z\r\n", "DTSTART;VALUE=DATE:20220603\r\n",
                           "DTEND;VALUE=DATE:20220604\r\n",
                           "SUMMARY:Platinum Jubilee\\, \"70\"\r\n", "CATEGORIES:GBP\r\n",
                           "SUMMARY:F\xC3\xAAte nationale\r\n", "DTEND;VALUE=DATE:20240715\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(text.find("2024-13"), std::string::npos);
  std::size_t again = 0;
  EXPECT_EQ(WriteICalendarHolidays("GBP", list, again), text);

  const HolidayFileContent back = ReadICalendarHolidays(text);
  EXPECT_EQ(Dates(back), (std::vector<std::string>{"2022-06-03 Platinum Jubilee, \"70\"",
                                                   "2024-07-14 F\xC3\xAAte nationale"}));
}

}  // namespace
}  // namespace kelo

namespace kelo {
namespace {

std::string DatesOnly(const HolidayFileContent& file) {
  std::string dates;
  for (const HolidayItem& h : file.holidays) {
    dates += (dates.empty() ? "" : " ") + FormatDateKey(h.date);
  }
  return dates;
}

// What the common calendar programs write, and edges of the years, read day by day.
TEST(ICalendarHolidaysTest, ReadsEveryDayAnEventCoversAndCountsEveryDayOutsideTheYears) {
  struct Case {
    const char* name;
    std::string events;
    std::string dates;
    std::size_t outOfYears;
  };
  const std::string newYork =
      "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
      "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
      "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\n"
      "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
      "END:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
  const Case cases[] = {
      {"midnight to midnight in a time zone, as a desktop calendar writes all-day events",
       newYork + Event("DTSTART;TZID=America/New_York:20241224T000000\r\n"
                       "DTEND;TZID=America/New_York:20241227T000000\r\n"
                       "X-MICROSOFT-CDO-ALLDAYEVENT:TRUE\r\n"),
       "2024-12-24 2024-12-25 2024-12-26", 0},
      {"midnight to midnight without the mark, and by DURATION",
       Event("DTSTART:20240101T000000\r\nDTEND:20240103T000000\r\n") +
           Event("DTSTART:20240301T000000\r\nDURATION:P2D\r\n"),
       "2024-01-01 2024-01-02 2024-03-01 2024-03-02", 0},
      {"marked all-day although it ends in the evening",
       Event("DTSTART:20240501T000000\r\nDTEND:20240502T235900\r\n"
             "X-MICROSOFT-CDO-ALLDAYEVENT:TRUE\r\n"),
       "2024-05-01", 0},
      {"a span over the first day of the years",
       Event("DTSTART;VALUE=DATE:19691230\r\nDTEND;VALUE=DATE:19700103\r\n"),
       "1970-01-01 1970-01-02", 2},
      {"a span over the last day of the years",
       Event("DTSTART;VALUE=DATE:30001230\r\nDTEND;VALUE=DATE:30010103\r\n"),
       "3000-12-30 3000-12-31", 2},
      {"a repeating span that begins the year before the repeat years",
       Event("DTSTART;VALUE=DATE:20091231\r\nDTEND;VALUE=DATE:20100102\r\n"
             "RRULE:FREQ=YEARLY;COUNT=2\r\n"),
       "2010-01-01 2010-12-31 2011-01-01", 0},
      {"a moved instance named in UTC takes its day out of a New York series",
       newYork +
           Event("DTSTART;TZID=America/New_York:20201231T200000\r\nRRULE:FREQ=DAILY;COUNT=3\r\n",
                 "ny@test") +
           Event("RECURRENCE-ID:20210102T010000Z\r\nDTSTART:20210105T150000Z\r\n", "ny@test"),
       "2020-12-31 2021-01-02 2021-01-05", 0},
      {"an exception named in UTC, likewise",
       newYork + Event("DTSTART;TZID=America/New_York:20201231T200000\r\n"
                       "RRULE:FREQ=DAILY;COUNT=3\r\nEXDATE:20210102T010000Z\r\n"),
       "2020-12-31 2021-01-02", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(c.events));
    EXPECT_EQ(DatesOnly(file), c.dates);
    EXPECT_EQ(file.skipped.size(), c.outOfYears);
    for (const FileSkip& skip : file.skipped) EXPECT_EQ(skip.reason, SkipReason::OutOfYears);
  }
}

// Week numbers are ISO 8601 weeks: week 1 holds the year's first Thursday, and a
// year has 52 or 53 of them.
TEST(ICalendarHolidaysTest, ReadsWeekNumberRulesByIsoWeeks) {
  struct Case {
    const char* rule;
    const char* start;
    std::string dates;
  };
  const Case cases[] = {
      {"FREQ=YEARLY;BYWEEKNO=-1;BYDAY=SU;UNTIL=20180101", "20120101",
       "2012-01-01 2012-12-30 2013-12-29 2014-12-28 2016-01-03 2017-01-01 2017-12-31"},
      {"FREQ=YEARLY;BYWEEKNO=53;BYDAY=MO;UNTIL=20280101", "20200101",
       "2020-01-01 2020-12-28 2026-12-28"},
      {"FREQ=YEARLY;BYWEEKNO=1;BYDAY=MO,FR;COUNT=4", "20240101",
       "2024-01-01 2024-01-05 2024-12-30 2025-01-03"},
      {"FREQ=YEARLY;BYWEEKNO=20;COUNT=9", "20240517",
       "2024-05-17 2024-05-18 2024-05-19 "
       "2025-05-12 2025-05-13 2025-05-14 "
       "2025-05-15 2025-05-16 2025-05-17"},
      {"FREQ=YEARLY;INTERVAL=2;BYWEEKNO=1;BYMONTH=1;BYDAY=MO;UNTIL=20300101", "20200106",
       "2020-01-06 2022-01-03 2024-01-01 2028-01-03"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(
        Event(std::string("DTSTART;VALUE=DATE:") + c.start + "\r\nRRULE:" + c.rule + "\r\n")));
    EXPECT_EQ(DatesOnly(file), c.dates);
    EXPECT_TRUE(file.skipped.empty());
  }
  // Week numbers in a rule that is not yearly, or by the n-th weekday, are not
  // guessed at: the event is skipped and named by its reason.
  const HolidayFileContent unread = ReadICalendarHolidays(
      Calendar(Event("DTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=MONTHLY;BYWEEKNO=3\r\n") +
               Event("DTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=YEARLY;BYWEEKNO=3;BYDAY=1MO\r\n")));
  EXPECT_EQ(DatesOnly(unread), "");
  EXPECT_EQ(Reasons(unread),
            (std::vector<SkipReason>{SkipReason::UnreadRule, SkipReason::UnreadRule}));
}

// Repeats are bounded by the dates they give and by the steps that give none, not
// by a count an ordinary work calendar reaches.
TEST(ICalendarHolidaysTest, ExpandsOrdinaryRepeatsWhateverTheirNumber) {
  std::string meetings;
  for (int i = 0; i < 25; ++i) {
    meetings += Event("DTSTART:20150105T0930" + std::to_string(10 + i) + "\r\nDTEND:20150105T1000" +
                          std::to_string(10 + i) + "\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Meeting\r\n",
                      "m" + std::to_string(i) + "@test");
  }
  const HolidayFileContent weekly = ReadICalendarHolidays(Calendar(meetings));
  EXPECT_EQ(weekly.holidays.size(), 25u * 4435);  // every Monday 2015-01-05 to 2099-12-28
  EXPECT_TRUE(weekly.skipped.empty());

  const HolidayFileContent counted = ReadICalendarHolidays(
      Calendar(Event("DTSTART;VALUE=DATE:18000101\r\nRRULE:FREQ=DAILY;COUNT=200000\r\n")));
  EXPECT_EQ(counted.holidays.size(), 32872u);  // every day of 2010 to 2099
  EXPECT_TRUE(counted.skipped.empty());
}

TEST(ICalendarHolidaysTest, KeepsBlanksAtTheEndsOfASummaryAndEscapesTheCategory) {
  const HolidayList list = {{"2024-01-01", "   three blanks before"},
                            {"2024-01-02", "after\t "},
                            {"3000-12-31", "last day"}};
  std::size_t leftOut = 0;
  const std::string text = WriteICalendarHolidays("A,B;C\\D", list, leftOut);
  EXPECT_NE(text.find("CATEGORIES:A\\,B\\;C\\\\D\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("00000000"), std::string::npos) << text;
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:30001231\r\nDURATION:P1D\r\n"), std::string::npos)
      << text;
  EXPECT_EQ(Dates(ReadICalendarHolidays(text)),
            (std::vector<std::string>{"2024-01-01    three blanks before", "2024-01-02 after\t ",
                                      "3000-12-31 last day"}));
  // A control byte of the file at the end of a summary is no blank.
  EXPECT_EQ(Dates(ReadICalendarHolidays(
                Calendar(Event("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:\x01x\x02\r\n")))),
            (std::vector<std::string>{"2024-01-01 \x03x\x03"}));
}

std::string Utf16(std::string_view ascii, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : ascii) {
    if (c == '\xE9') {  // é
      out += bigEndian ? std::string("\x00\xE9", 2) : std::string("\xE9\x00", 2);
    } else {
      out += bigEndian ? std::string(1, '\0') + c : std::string(1, c) + '\0';
    }
  }
  return out;
}

TEST(ICalendarHolidaysTest, ReadsUtf16AndLatin1LikeUtf8) {
  const std::string calendar =
      Calendar(Event("DTSTART;VALUE=DATE:20240714\r\nSUMMARY:F\xEAte \xE9t\xE9\r\n"));
  const std::vector<std::string> expected = {"2024-07-14 F\xC3\xAAte \xC3\xA9t\xC3\xA9"};
  EXPECT_EQ(Dates(ReadICalendarHolidays(calendar)), expected);  // ISO-8859-1
  std::string latin1Free = Calendar(Event("DTSTART;VALUE=DATE:20240714\r\nSUMMARY:\xE9t\xE9\r\n"));
  EXPECT_EQ(Dates(ReadICalendarHolidays(Utf16(latin1Free, false))),
            (std::vector<std::string>{"2024-07-14 \xC3\xA9t\xC3\xA9"}));
  EXPECT_EQ(Dates(ReadICalendarHolidays(Utf16(latin1Free, true))),
            (std::vector<std::string>{"2024-07-14 \xC3\xA9t\xC3\xA9"}));
  for (const std::string& refused :
       {Utf16(latin1Free, false).substr(2), std::string("\xFF\xFE\0\0B\0\0\0", 8)}) {
    try {
      ReadICalendarHolidays(refused);
      ADD_FAILURE() << "read";
    } catch (const HolidayFileError& error) {
      EXPECT_NE(std::string(error.what()).find("UTF-"), std::string::npos) << error.what();
    }
  }
}

// Files no real calendar resembles are refused whole, quickly, and before libical
// reads them: it overflows its stack on deep nesting, and reads a long line in
// quadratic time.
TEST(ICalendarHolidaysTest, RefusesHostileFilesBeforeTheyCostTimeOrMemory) {
  auto nested = [](std::size_t depth) {
    std::string text = "BEGIN:VCALENDAR\r\n";
    for (std::size_t i = 1; i < depth; ++i) text += "BEGIN:X\r\n";
    for (std::size_t i = 1; i < depth; ++i) text += "END:X\r\n";
    return text + "END:VCALENDAR\r\n";
  };
  std::string folded = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:";
  for (int i = 0; i < 4000; ++i) folded += std::string(70, 'x') + "\r\n ";
  folded += "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  const std::string longRemark(200 * 1024, 'r');
  struct Case {
    const char* name;
    std::string text;
    const char* reason;  // empty: read
  };
  const Case cases[] = {
      {"400000 nested components", nested(400000), "nests components deeper than 32 levels"},
      {"33 nested components", nested(33), "nests components deeper than 32 levels"},
      {"32 nested components", nested(32), ""},
      {"unbalanced ends do not hide nesting", "END:X\r\nEND:X\r\n" + nested(40),
       "nests components deeper than 32 levels"},
      {"a 15 MB line",
       Calendar(
           Event("DTSTART;VALUE=DATE:20240101\r\nSUMMARY:" + std::string(15000000, 'x') + "\r\n")),
       "has a content line longer than 256 KiB"},
      {"a long line folded", folded, "has a content line longer than 256 KiB"},
      {"many times a day",
       Calendar(Event("DTSTART:20100101T000000\r\nRRULE:FREQ=DAILY;BYHOUR=0,1,2,3,4,5,6,7,8,9,"
                      "10,11,12,13,14,15,16,17,18,19,20,21,22,23;BYMINUTE=0,10,20,30,40,50\r\n")),
       "steps that give no date"},
      {"a long remark on every day",
       Calendar(Event("DTSTART;VALUE=DATE:20100101\r\nRRULE:FREQ=DAILY\r\nSUMMARY:" + longRemark +
                      "\r\n")),
       "more than 64 MiB of remarks"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadICalendarHolidays(c.text);
      EXPECT_STREQ(c.reason, "");
    } catch (const HolidayFileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
      EXPECT_STRNE(c.reason, "");
    }
  }
}

}  // namespace
}  // namespace kelo

namespace kelo {
namespace {

const std::string kNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\n"
    "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\n"
    "END:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

// Rules whose dates two outside expansions agree on, each once got wrong here.
TEST(ICalendarHolidaysTest, ReadsEachRulePartAsRfc5545DefinesIt) {
  struct Case {
    const char* name;
    std::string events;
    std::string dates;
  };
  const Case cases[] = {
      {"BYSETPOS",
       Event("DTSTART;VALUE=DATE:20240105\r\n"
             "RRULE:FREQ=WEEKLY;COUNT=3;BYDAY=MO,WE,FR;BYSETPOS=-1\r\n"),
       "2024-01-05 2024-01-12 2024-01-19"},
      {"a yearly BYMONTHDAY without BYMONTH",
       Event("DTSTART;VALUE=DATE:20240131\r\nRRULE:FREQ=YEARLY;COUNT=4;BYMONTHDAY=31\r\n"),
       "2024-01-31 2024-03-31 2024-05-31 2024-07-31"},
      {"an RDATE PERIOD of whole days",
       Event("DTSTART:20240105T090000Z\r\n"
             "RDATE;VALUE=PERIOD:20240301T000000Z/20240304T000000Z\r\n"),
       "2024-01-05 2024-03-01 2024-03-02 2024-03-03"},
      {"an EXDATE with no instance at its time",
       Event("DTSTART:20240101T090000\r\nRRULE:FREQ=DAILY;COUNT=3\r\nEXDATE:20240102T100000\r\n"),
       "2024-01-01 2024-01-02 2024-01-03"},
      {"a daily rule by the last day of the month",
       Event("DTSTART;VALUE=DATE:20240131\r\nRRULE:FREQ=DAILY;COUNT=4;BYMONTHDAY=-1\r\n"),
       "2024-01-31 2024-02-29 2024-03-31 2024-04-30"},
      {"a UTC UNTIL of a week-number rule, in New York",
       kNewYork + Event("DTSTART;TZID=America/New_York:20240108T090000\r\n"
                        "RRULE:FREQ=YEARLY;BYWEEKNO=2;UNTIL=20240110T100000Z\r\n"),
       "2024-01-08 2024-01-09"},
      {"weeks from Wednesday, every second week",
       kNewYork + Event("DTSTART;TZID=America/New_York:20250805T090000\r\n"
                        "RRULE:FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=WE\r\n"),
       "2025-08-05 2025-08-17 2025-08-19 2025-08-31"},
      {"a week-number rule in a week over the end of the year",
       Event("DTSTART;VALUE=DATE:20381225\r\n"
             "RRULE:FREQ=YEARLY;BYWEEKNO=52;BYDAY=SA;UNTIL=20391231\r\n"),
       "2038-12-25 2039-01-01 2039-12-31"},
      {"an RDATE PERIOD by its duration, a timed one, and an exception named in UTC",
       kNewYork + Event("DTSTART;TZID=America/New_York:20240105T200000\r\n"
                        "RRULE:FREQ=DAILY;COUNT=3\r\nEXDATE:20240107T010000Z\r\n"
                        "RDATE;TZID=America/New_York;VALUE=PERIOD:20240301T000000/P2D,"
                        "20240310T090000/PT2H\r\n"),
       "2024-01-05 2024-01-07 2024-03-01 2024-03-02 2024-03-10"},
      {"a moved instance takes out only the instance that started then",
       Event("DTSTART:20240101T090000\r\nRRULE:FREQ=DAILY;BYHOUR=9,17;COUNT=4\r\n", "m@test") +
           Event("RECURRENCE-ID:20240101T170000\r\nDTSTART:20240105T170000\r\n", "m@test") +
           Event("RECURRENCE-ID:20240102T090000\r\nDTSTART:20240102T090000\r\n"
                 "STATUS:CANCELLED\r\n",
                 "m@test"),
       "2024-01-01 2024-01-02 2024-01-05"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(c.events));
    EXPECT_EQ(DatesOnly(file), c.dates);
  }
}

// RFC 5545 folds after 75 octets, which may split a UTF-8 character; unfolded, the
// character is whole again and the text is UTF-8, not ISO-8859-1.
TEST(ICalendarHolidaysTest, RestoresACharacterSplitByALineFold) {
  const std::string summary = "SUMMARY:" + std::string(66, 'x') + "\xC3\xA4 F\xC3\xAAte";
  const std::string folded = summary.substr(0, 75) + "\r\n " + summary.substr(75);
  ASSERT_EQ(folded.substr(74, 4), "\xC3\r\n ");
  const HolidayFileContent file =
      ReadICalendarHolidays(Calendar(Event("DTSTART;VALUE=DATE:20240101\r\n" + folded + "\r\n")));
  EXPECT_EQ(Dates(file), (std::vector<std::string>{"2024-01-01 " + std::string(66, 'x') +
                                                   "\xC3\xA4 F\xC3\xAAte"}));
}

TEST(ICalendarHolidaysTest, NamesEachInstantOnceWhereTheClocksChange) {
  // 2025-03-09 02:30 does not exist in New York and means 02:30 EST, 07:30 UTC;
  // 2025-11-02 01:30 happens twice and means the first, 01:30 EDT, 05:30 UTC.
  const std::string gap =
      "DTSTART;TZID=America/New_York:20250209T023000\r\n"
      "RRULE:FREQ=MONTHLY;COUNT=3\r\nSUMMARY:Gap\r\n";
  const std::string overlap =
      "DTSTART;TZID=America/New_York:20251002T013000\r\n"
      "RRULE:FREQ=MONTHLY;COUNT=3\r\nSUMMARY:Overlap\r\n";
  struct Case {
    const char* name;
    std::string events;
    std::vector<std::string> dates;
  };
  const Case cases[] = {
      {"an instance in the gap excluded in UTC",
       Event(gap + "EXDATE:20250309T073000Z\r\n"),
       {"2025-02-09 Gap", "2025-04-09 Gap"}},
      {"an instance in the gap excluded by its local time",
       Event(gap + "EXDATE;TZID=America/New_York:20250309T023000\r\n"),
       {"2025-02-09 Gap", "2025-04-09 Gap"}},
      {"an instance in the gap moved, named in UTC",
       Event(gap, "g@test") + Event("RECURRENCE-ID:20250309T073000Z\r\n"
                                    "DTSTART;TZID=America/New_York:20250310T093000\r\n"
                                    "SUMMARY:Moved\r\n",
                                    "g@test"),
       {"2025-02-09 Gap", "2025-04-09 Gap", "2025-03-10 Moved"}},
      {"the first 01:30 of the overlap excluded in UTC",
       Event(overlap + "EXDATE:20251102T053000Z\r\n"),
       {"2025-10-02 Overlap", "2025-12-02 Overlap"}},
      {"the second 01:30 of the overlap is no instance",
       Event(overlap + "EXDATE:20251102T063000Z\r\n"),
       {"2025-10-02 Overlap", "2025-11-02 Overlap", "2025-12-02 Overlap"}},
      {"an hour off the gap is no instance",
       Event(gap + "EXDATE:20250309T063000Z\r\n"),
       {"2025-02-09 Gap", "2025-03-09 Gap", "2025-04-09 Gap"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(kNewYork + c.events));
    EXPECT_EQ(Dates(file), c.dates);
    EXPECT_TRUE(file.skipped.empty());
  }
}

TEST(ICalendarHolidaysTest, AppliesAChangeToAnInstanceAndAllAfterIt) {
  const std::string series = Event(
      "DTSTART;VALUE=DATE:20200101\r\nRRULE:FREQ=YEARLY;COUNT=6\r\nSUMMARY:Series\r\n", "s@test");
  auto change = [](const std::string& lines) { return Event(lines, "s@test"); };
  struct Case {
    const char* name;
    std::string events;
    std::vector<std::string> dates;
    std::vector<SkipReason> skipped;
    std::size_t changedOnwards;
  };
  const Case cases[] = {
      {"cancelled from 2023 on: the series ends",
       series + change("RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20230101\r\n"
                       "DTSTART;VALUE=DATE:20230101\r\nSTATUS:CANCELLED\r\n"),
       {"2020-01-01 Series", "2021-01-01 Series", "2022-01-01 Series"},
       {SkipReason::CancelledOnwards},
       0},
      {"moved a day from 2023 on, the last instance moved again by itself",
       series +
           change("RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20230101\r\n"
                  "DTSTART;VALUE=DATE:20230102\r\nSUMMARY:Moved\r\n") +
           change("RECURRENCE-ID;VALUE=DATE:20250101\r\nDTSTART;VALUE=DATE:20250105\r\n"
                  "SUMMARY:Once\r\n"),
       {"2020-01-01 Series", "2021-01-01 Series", "2022-01-01 Series", "2024-01-02 Moved",
        "2023-01-02 Moved", "2025-01-05 Once"},
       {},
       1},
      {"moved from 2021 on, then cancelled from 2024 on",
       series +
           change("RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20240101\r\n"
                  "DTSTART;VALUE=DATE:20240101\r\nSTATUS:CANCELLED\r\n") +
           change("RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20210101\r\n"
                  "DTSTART;VALUE=DATE:20210201\r\nDTEND;VALUE=DATE:20210203\r\nSUMMARY:Two\r\n"),
       {"2020-01-01 Series", "2022-02-01 Two", "2022-02-02 Two", "2023-02-01 Two", "2023-02-02 Two",
        "2021-02-01 Two", "2021-02-02 Two"},
       {SkipReason::CancelledOnwards},
       1},
      {"a change from an instance on without a start moves nothing",
       series + change("RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20230101\r\n"
                       "SUMMARY:Nowhere\r\n"),
       {"2020-01-01 Series", "2021-01-01 Series", "2022-01-01 Series", "2024-01-01 Series",
        "2025-01-01 Series"},
       {SkipReason::NoDate},
       0},
      {"a single instance cancelled leaves the rest",
       series + change("RECURRENCE-ID;VALUE=DATE:20230101\r\nDTSTART;VALUE=DATE:20230101\r\n"
                       "STATUS:CANCELLED\r\n"),
       {"2020-01-01 Series", "2021-01-01 Series", "2022-01-01 Series", "2024-01-01 Series",
        "2025-01-01 Series"},
       {SkipReason::Cancelled},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(c.events));
    EXPECT_EQ(Dates(file), c.dates);
    EXPECT_EQ(Reasons(file), c.skipped);
    EXPECT_EQ(file.changedOnwards, c.changedOnwards);
  }
}

TEST(ICalendarHolidaysTest, TakesOutTheInstancesOfAnExclusionRuleOrRefusesTheEvent) {
  // 2024-01-01 is a Monday.
  const std::string daily = "DTSTART;VALUE=DATE:20240101\r\nRRULE:FREQ=DAILY;COUNT=10\r\n";
  struct Case {
    const char* name;
    std::string events;
    std::vector<std::string> dates;
    std::vector<SkipReason> skipped;
  };
  const Case cases[] = {
      {"weekends out",
       Event(daily + "EXRULE:FREQ=WEEKLY;BYDAY=SA,SU\r\n"),
       {"2024-01-01 ", "2024-01-02 ", "2024-01-03 ", "2024-01-04 ", "2024-01-05 ", "2024-01-08 ",
        "2024-01-09 ", "2024-01-10 "},
       {}},
      {"the start too, when the rule gives it, and two rules",
       Event(daily + "EXRULE:FREQ=WEEKLY;BYDAY=MO\r\nEXRULE:FREQ=DAILY;INTERVAL=3;COUNT=2\r\n"),
       {"2024-01-02 ", "2024-01-03 ", "2024-01-05 ", "2024-01-06 ", "2024-01-07 ", "2024-01-09 ",
        "2024-01-10 "},
       {}},
      {"an exclusion rule more frequent than daily, or with week numbers not read",
       Event(daily + "EXRULE:FREQ=HOURLY\r\n") +
           Event(daily + "EXRULE:FREQ=MONTHLY;BYWEEKNO=1\r\n"),
       {},
       {SkipReason::UnreadExclusionRule, SkipReason::UnreadExclusionRule}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadICalendarHolidays(Calendar(c.events));
    EXPECT_EQ(Dates(file), c.dates);
    EXPECT_EQ(Reasons(file), c.skipped);
  }
}

}  // namespace
}  // namespace kelo
