#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "kelo/holidayfile/CsvHolidays.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace kelo {
namespace {

using namespace std::chrono_literals;

struct CsvCase {
  const char* name;
  std::string text;
  std::vector<HolidayItem> holidays;
  std::vector<FileSkip> skipped;
};

TEST(CsvHolidaysTest, ReadsRowsByRfc4180AndSkipsWhatIsNoDateAndRemark) {
  const SkipReason bad = SkipReason::BadRow;
  const CsvCase cases[] = {
      {"header, quotes, commas and bars",
       "date,remark\r\n"
       "2022-06-02,Spring bank holiday\r\n"
       "2022-06-03,\"Platinum Jubilee, 70 years\"\r\n"
       "2022-09-19,\"State \"\"Funeral\"\" | QEII\"\r\n",
       {{2022y / 6 / 2, "Spring bank holiday"},
        {2022y / 6 / 3, "Platinum Jubilee, 70 years"},
        {2022y / 9 / 19, "State \"Funeral\" | QEII"}},
       {}},
      {"no header, LF ends, blanks around the date, blank lines passed over",
       "\n 2023-05-08 ,Coronation\n\n2023-01-02,New Year\n",
       {{2023y / 5 / 8, "Coronation"}, {2023y / 1 / 2, "New Year"}},
       {}},
      {"a bad row names the line it began on, after a quoted line break",
       "Datum;Feiertag\n2024-01-01,\"two\nlines\"\n2024-13-01,month 13\n01/05/2024,not ISO\n"
       "2024-05-01,one,two\n2024-05-02,\"open quote\n",
       {{2024y / 1 / 1, "two\nlines"}},
       {{bad, 4}, {bad, 5}, {bad, 6}, {bad, 7}}},
      {"text after a closing quote, and a quote inside an unquoted field",
       "2024-03-01,\"closed\"then\n2024-03-02,5\" floppy\n",
       {{2024y / 3 / 2, "5\" floppy"}},
       {{bad, 1}}},
      {"a date alone, empty fields after the remark, years outside the calendar",
       "2024-12-24\n2024-12-31,Silvester,,\n1969-12-31,too early\n3001-01-01,too late\n",
       {{2024y / 12 / 24, ""}, {2024y / 12 / 31, "Silvester"}},
       {{SkipReason::OutOfYears, 3}, {SkipReason::OutOfYears, 4}}},
      {"a first row of data is no header",
       "2024-05-06,May Day\n",
       {{2024y / 5 / 6, "May Day"}},
       {}},
      {"a byte order mark, and ISO-8859-1 text read as such",
       "\xEF\xBB\xBF"
       "2024-07-14,F\xC3\xAAte nationale\n",
       {{2024y / 7 / 14, "F\xC3\xAAte nationale"}},
       {}},
      {"not UTF-8: read as ISO-8859-1",
       "2024-07-14,F\xEAte nationale\r\n",
       {{2024y / 7 / 14, "F\xC3\xAAte nationale"}},
       {}},
      {"empty", "", {}, {}},
  };
  for (const CsvCase& c : cases) {
    SCOPED_TRACE(c.name);
    const HolidayFileContent file = ReadCsvHolidays(c.text);
    EXPECT_EQ(file.holidays, c.holidays);
    EXPECT_EQ(file.skipped, c.skipped);
  }
}

TEST(CsvHolidaysTest, WritesAHeaderQuotesWhereNeededAndLeavesOutKeysThatAreNoDates) {
  const HolidayList list = {{"2022-06-03", "Jubilee, \"platinum\""},
                            {"2022-12-26", "Boxing Day"},
                            {"2024-07-14", "F\xEAte"},
                            {"junk-key", "Weekend"}};
  std::size_t leftOut = 0;
  EXPECT_EQ(WriteCsvHolidays(list, leftOut),
            "date,remark\r\n"
            "2022-06-03,\"Jubilee, \"\"platinum\"\"\"\r\n"
            "2022-12-26,Boxing Day\r\n"
            "2024-07-14,F\xC3\xAAte\r\n");
  EXPECT_EQ(leftOut, 1u);
}

TEST(StoredRemarkTest, MendsWhatTheStoredTextCannotCarry) {
  struct Case {
    std::string utf8;
    std::string stored;
    bool mended;
  };
  const Case cases[] = {
      {"Boxing Day", "Boxing Day", false},
      {"F\xC3\xAAte \xC3\xA9t\xC3\xA9\tnationale", "F\xEAte \xE9t\xE9\tnationale", false},
      {"State Funeral | QEII", "State Funeral / QEII", true},
      {"two\r\nlines\nthree\rfour", "two lines three four", true},
      {"New Year\xE2\x80\x99s Day \xE2\x80\x93 \xE2\x80\x9Cobserved\xE2\x80\x9D\xE2\x80\xA6",
       "New Year's Day - \"observed\"...", true},
      {"Euro \xE2\x82\xAC day, \xE6\x98\xA5\xE8\x8A\x82", "Euro ? day, ??", true},
      {"bell\x07 and DEL\x7F", "bell? and DEL?", true},
      {"broken \xC3 and \xFF bytes", "broken ? and ? bytes", true},
      {"", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    const StoredRemark remark = ToStoredRemark(c.utf8);
    EXPECT_EQ(remark.text, c.stored);
    EXPECT_EQ(remark.mended, c.mended);
    if (!c.mended) {
      EXPECT_EQ(Latin1ToUtf8(remark.text), c.utf8);
    }
  }
}

}  // namespace
}  // namespace kelo

namespace kelo {
namespace {

std::string Utf16Le(std::string_view utf8Ascii) {
  std::string out = "\xFF\xFE";
  for (const char c : utf8Ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

// A spreadsheet's "Unicode text" is UTF-16 with a byte order mark: read like UTF-8,
// with the lines of the file; UTF-32, and UTF-16 without the mark, are refused by name.
TEST(CsvHolidaysTest, ReadsUtf16WithTheLinesOfTheFile) {
  std::string big = "\xFE\xFF";
  for (const char c : std::string("2024-07-14,F\xEAte\r\n")) {  // ISO-8859-1 is UTF-16's first 256
    big.push_back('\0');
    big.push_back(c);
  }
  const HolidayFileContent read = ReadCsvHolidays(
      Utf16Le("date,remark\r\n2024-01-01,New Year\r\nnot a date\r\n2024-01-02,x\r\n"));
  ASSERT_EQ(read.holidays.size(), 2u);
  EXPECT_EQ(read.holidays[1].remark, "x");
  EXPECT_EQ(read.skipped, (std::vector<FileSkip>{{SkipReason::BadRow, 3}}));
  const HolidayFileContent bigEndian = ReadCsvHolidays(big);
  ASSERT_EQ(bigEndian.holidays.size(), 1u);
  EXPECT_EQ(bigEndian.holidays[0].remark, "F\xC3\xAAte");
  EXPECT_THROW(ReadCsvHolidays(Utf16Le("2024-01-01,x\r\n").substr(2)), HolidayFileError);
  EXPECT_THROW(ReadCsvHolidays(std::string("\xFF\xFE\0\0"
                                           "2\0\0\0",
                                           8)),
               HolidayFileError);
}

}  // namespace
}  // namespace kelo
