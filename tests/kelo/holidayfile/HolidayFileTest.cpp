#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kelo/config/HolidayTableText.h"
#include "kelo/holiday/StandardHolidays.h"
#include "kelo/holidayfile/HolidayFile.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/HolidayImport.h"
#include "tests/ScratchFolder.h"

namespace kelo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class HolidayFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return scratch_.Path(name); }
  std::string Write(const std::string& name, const std::string& text) const {
    return scratch_.Write(name, text).string();
  }

 private:
  const ScratchFolder scratch_{"holidayfile"};
};

TEST_F(HolidayFileTest, ExportThenImportIntoAnEmptyCurrencyGivesTheSameStoredText) {
  HolidayTable table;
  table.EnsureCurrency("GBP");
  table.AddHolidaysOfYear("GBP", 2022);
  table.AddHoliday("GBP", 2022, 6, 3, "Platinum Jubilee, 70 \"years\"");
  table.AddHoliday("GBP", 2022, 7, 14, "F\xEAte nationale \xA7 1");
  table.AddHoliday("GBP", 2022, 9, 19, "Customize");
  const std::string stored = FormatHolidayText(*table.Find("GBP"));

  for (const char* name : {"gbp.ics", "gbp.csv", "GBP.ICS"}) {
    SCOPED_TRACE(name);
    const HolidayExport written = WriteHolidayFile(PathOf(name), "GBP", *table.Find("GBP"));
    EXPECT_EQ(written.written, table.Find("GBP")->size());
    EXPECT_EQ(written.leftOut, 0u);

    HolidayTable other;
    other.EnsureCurrency("CHF");
    const HolidayImport imported = ImportHolidays(other, "CHF", ReadHolidayFile(PathOf(name)));
    EXPECT_EQ(FormatHolidayText(*other.Find("CHF")), stored);
    EXPECT_EQ(imported.added.size(), table.Find("GBP")->size());
    EXPECT_EQ(imported.alreadyThere + imported.mended + imported.skipped.size(), 0u);
  }
}

TEST_F(HolidayFileTest, ABankHolidayFeedAddsExactlyTheDaysTheRulesDoNotProduce) {
  HolidayTable table;
  table.EnsureCurrency("GBP");
  table.AddHolidaysOfYear("GBP", 2022);
  table.AddHolidaysOfYear("GBP", 2023);
  const HolidayTable before = table;

  const HolidayFileContent feed =
      ReadHolidayFile(EXAMPLE_CALENDARS "/england-and-wales-2022-2023.ics");
  ASSERT_EQ(feed.holidays.size(), 19u);
  const HolidayImport imported = ImportHolidays(table, "GBP", feed);

  // The substitute days, the moved spring bank holiday and the extra days of 2022
  // and 2023: what the rules and the weekends do not give.
  EXPECT_EQ(imported.added,
            (std::vector<HolidayEntry>{
                {"2022-01-03", "New Year's Day (substitute day)"},
                {"2022-06-02", "Spring bank holiday"},
                {"2022-06-03", "Platinum Jubilee bank holiday"},
                {"2022-09-19", "Bank Holiday for the State Funeral of Queen Elizabeth II"},
                {"2022-12-27", "Christmas Day (substitute day)"},
                {"2023-01-02", "New Year's Day (substitute day)"},
                {"2023-05-08", "Bank holiday for the coronation of King Charles III"}}));
  std::vector<std::string> notFromRules;
  for (const HolidayItem& day : feed.holidays) {
    const std::string key = FormatDateKey(day.date);
    if (!before.Find("GBP")->contains(key)) notFromRules.push_back(key);
  }
  ASSERT_EQ(notFromRules.size(), imported.added.size());
  for (std::size_t i = 0; i < notFromRules.size(); ++i) {
    EXPECT_EQ(imported.added[i].first, notFromRules[i]);
  }
  EXPECT_EQ(imported.alreadyThere, 12u);
  EXPECT_EQ(imported.mended, 2u);  // the typographic apostrophes
  EXPECT_TRUE(imported.skipped.empty());
  // The rule days keep their rule remarks, including the spring bank holiday of the
  // rules, which the real calendar of 2022 moved.
  EXPECT_EQ(table.Find("GBP")->at("2022-05-30"), "Spring Bank Holiday");
  EXPECT_EQ(table.Find("GBP")->at("2022-12-26"), "Boxing Day");
  EXPECT_EQ(table.Find("GBP")->size(), before.Find("GBP")->size() + 7);
}

TEST_F(HolidayFileTest, ReportsAddedKnownSkippedAndMendedDates) {
  HolidayTable table;
  table.EnsureCurrency("USD");
  table.AddHoliday("USD", 2024, 7, 4, "Independence Day");
  const std::string path =
      Write("usd.csv",
            "date,remark\n2024-07-04,Fourth of July\n2024-07-05,Bridge | day\n2024-07-06\n"
            "2024-07-07,ok\n2024-07-07,again\nx,1\n2,2\n3,3\n4,4\n5,5\n6,6\n1969-01-01,old\n");
  const HolidayImport imported = ImportHolidays(table, "USD", ReadHolidayFile(path));
  EXPECT_EQ(imported.added,
            (std::vector<HolidayEntry>{
                {"2024-07-05", "Bridge / day"}, {"2024-07-06", "Weekend"}, {"2024-07-07", "ok"}}));
  EXPECT_EQ(table.Find("USD")->at("2024-07-04"), "Independence Day");
  EXPECT_EQ(DescribeImport("USD", imported),
            "3 dates added to USD.\n"
            "1 date was already there and kept its remark.\n"
            "1 date was given again in the file and taken once, with the first remark.\n"
            "7 skipped: 1 date outside the years 1970 to 3000 (line 13); "
            "6 rows that are not date,remark (lines 7, 8, 9, 10, 11 and 1 more).\n"
            "1 remark was changed to fit the stored text: \"|\" as \"/\", line breaks as "
            "blanks, other characters outside ISO-8859-1 as \"?\".");

  HolidayTable untouched;
  EXPECT_TRUE(ImportHolidays(untouched, "USD", ReadHolidayFile(path)).added.empty());
  EXPECT_TRUE(untouched.empty());
}

TEST_F(HolidayFileTest, ReportsWhatChangedASeriesFromAnInstanceOn) {
  const auto event = [](const std::string& uid, const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\n" + lines +
           "END:VEVENT\r\n";
  };
  const std::string yearly = "DTSTART;VALUE=DATE:20200101\r\nRRULE:FREQ=YEARLY;COUNT=4\r\n";
  const std::string path =
      Write("onwards.ics",
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + event("a", yearly) +
                event("a",
                      "RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20220101\r\n"
                      "DTSTART;VALUE=DATE:20220101\r\nSTATUS:CANCELLED\r\n") +
                event("b", "DTSTART;VALUE=DATE:20200102\r\nRRULE:FREQ=YEARLY;COUNT=4\r\n") +
                event("b",
                      "RECURRENCE-ID;RANGE=THISANDFUTURE;VALUE=DATE:20210102\r\n"
                      "DTSTART;VALUE=DATE:20210103\r\n") +
                event("c", yearly + "EXRULE:FREQ=MINUTELY\r\n") + "END:VCALENDAR\r\n");
  HolidayTable table;
  table.EnsureCurrency("XX");
  const HolidayImport imported = ImportHolidays(table, "XX", ReadHolidayFile(path));
  EXPECT_EQ(DescribeImport("XX", imported),
            "6 dates added to XX.\n"
            "0 dates were already there and kept their remarks.\n"
            "1 event changes an instance of a series and all after it (RANGE=THISANDFUTURE).\n"
            "2 skipped: 1 cancelled instance that ends its series (RANGE=THISANDFUTURE); "
            "1 event with an exclusion rule (EXRULE) that is not read.");
}

TEST_F(HolidayFileTest, RefusesWhatIsNoRegularReadableFileWithoutWaiting) {
  const std::string fifo = PathOf("feed.ics");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string large = PathOf("large.csv");
  fs::resize_file(Write("large.csv", ""), kMaxHolidayFileSize + 1);
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {PathOf("missing.ics"), "missing.ics: No such file or directory"},
      {PathOf(""), "it is a folder"},
      {fifo, "feed.ics: it is not a regular file"},
      {"/dev/zero", "zero: it is not a regular file"},
      {large, "large.csv: it is larger than 16 MiB"},
      {Write("broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n"),
       "broken.ics: it is not an iCalendar file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ReadHolidayFile(c.path);
      ADD_FAILURE() << "read";
    } catch (const HolidayFileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
    }
  }
}

// A fold that splits a UTF-8 character is undone before the file's encoding is told.
TEST_F(HolidayFileTest, AFoldInsideACharacterKeepsTheRemarkUtf8) {
  const std::string summary = "SUMMARY:" + std::string(66, 'x') + "\xC3\xA4 F\xC3\xAAte";
  const std::string path =
      Write("folded.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\n" +
                              summary.substr(0, 75) + "\r\n " + summary.substr(75) +
                              "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  EXPECT_EQ(
      ReadHolidayFile(path).holidays,
      (std::vector<HolidayItem>{{2024y / 1 / 1, std::string(66, 'x') + "\xC3\xA4 F\xC3\xAAte"}}));
}

TEST_F(HolidayFileTest, ReadsANameOfNeitherTypeByItsTextAndWritesOnlyKnownTypes) {
  const std::string ics = Write("feed.txt",
                                "\r\nbegin:vcalendar\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101"
                                "\r\nSUMMARY:New Year\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  EXPECT_EQ(ReadHolidayFile(ics).holidays, (std::vector<HolidayItem>{{2024y / 1 / 1, "New Year"}}));
  const std::string csv = Write("days.txt", "2024-01-01,New Year\n");
  EXPECT_EQ(ReadHolidayFile(csv).holidays, (std::vector<HolidayItem>{{2024y / 1 / 1, "New Year"}}));

  const HolidayList list = {{"2024-01-01", "New Year"}};
  EXPECT_THROW(WriteHolidayFile(PathOf("out.txt"), "GBP", list), HolidayFileError);
  EXPECT_FALSE(fs::exists(PathOf("out.txt")));
  // A failed write leaves the file as it was.
  const std::string folder = PathOf("sub");
  fs::create_directory(folder);
  const std::string kept = Write("sub/kept.csv", "kept");
  ::chmod(folder.c_str(), 0500);
  if (::geteuid() != 0) {
    EXPECT_THROW(WriteHolidayFile(kept, "GBP", list), HolidayFileError);
    std::ifstream in(kept);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept");
  }
  ::chmod(folder.c_str(), 0700);
  fs::create_directory(PathOf("folder.csv"));
  EXPECT_THROW(WriteHolidayFile(PathOf("folder.csv"), "GBP", list), HolidayFileError);
}

}  // namespace
}  // namespace kelo
