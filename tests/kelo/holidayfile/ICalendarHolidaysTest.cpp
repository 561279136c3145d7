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

std::vector<std::string> Dates(const FileHolidays& file) {
  std::vector<std::string> dates;
  for (const FileHoliday& h : file.holidays) {
    dates.push_back(FormatDateKey(h.year, h.month, h.day) + " " + h.remark);
  }
  return dates;
}

std::vector<SkipReason> Reasons(const FileHolidays& file) {
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
    const FileHolidays file = ReadICalendarHolidays(Calendar(c.events));
    EXPECT_EQ(Dates(file), c.dates);
    EXPECT_EQ(Reasons(file), c.skipped);
  }
}

TEST(ICalendarHolidaysTest, ExpandsAYearlyRuleOverTheYearsOfTheDialogOnly) {
  const FileHolidays file = ReadICalendarHolidays(Calendar(
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
  std::string daily;
  for (int i = 0; i < 4; ++i) daily += Event("DTSTART;VALUE=DATE:19010101\r\nRRULE:FREQ=DAILY\r\n");
  EXPECT_THROW(ReadICalendarHolidays(Calendar(daily)), HolidayFileError);
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

  const FileHolidays back = ReadICalendarHolidays(text);
  EXPECT_EQ(Dates(back), (std::vector<std::string>{"2022-06-03 Platinum Jubilee, \"70\"",
                                                   "2024-07-14 F\xC3\xAAte nationale"}));
}

}  // namespace
}  // namespace kelo
