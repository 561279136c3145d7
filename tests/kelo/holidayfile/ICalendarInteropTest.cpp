// Calendars written by Python's icalendar read here, and calendars written here read
// by it: the two implementations agree on dates, summaries and categories.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "kelo/config/HolidayTableText.h"
#include "kelo/holidayfile/HolidayFile.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/HolidayImport.h"

namespace kelo {
namespace {

namespace fs = std::filesystem;

// Runs the interoperability script; its standard output. Fails the test when the
// script does not end with status 0.
std::string RunPython(const std::string& mode, const std::string& path) {
  const std::string command =
      std::string("'") + SYSTEM_PYTHON3 + "' '" + INTEROP_SCRIPT + "' " + mode + " '" + path + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) {
    ADD_FAILURE() << "cannot run " << command;
    return "";
  }
  std::string output;
  std::array<char, 4096> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << " ended with " << status;
  return output;
}

class ICalendarInteropTest : public ::testing::Test {
 protected:
  ICalendarInteropTest() {
    std::string pattern = (fs::temp_directory_path() / "interop-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data()) ? pattern : "";
  }
  ~ICalendarInteropTest() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string PathOf(const std::string& name) const { return (fs::path(dir_) / name).string(); }

 private:
  std::string dir_;
};

TEST_F(ICalendarInteropTest, ACalendarWrittenByPythonImportsWithItsDatesAndRemarks) {
  const std::string path = PathOf("python.ics");
  RunPython("write", path);
  HolidayTable table;
  table.EnsureCurrency("GBP");
  const HolidayImport imported = ImportHolidays(table, "GBP", ReadHolidayFile(path));
  EXPECT_EQ(FormatHolidayText(*table.Find("GBP")),
            "2022-06-02|Platinum Jubilee bank holiday|"
            "2022-06-03|Platinum Jubilee bank holiday|"
            "2022-09-19|State Funeral / Queen Elizabeth II|"
            "2023-03-14|Board meeting|"
            "2023-05-08|Coronation, King Charles III|"
            "2024-01-01|Nouvel An - Neujahr \xE9t\xE9 ?|"
            "2025-01-01|Nouvel An - Neujahr \xE9t\xE9 ?|"
            "2026-01-01|Nouvel An - Neujahr \xE9t\xE9 ?|");
  EXPECT_EQ(imported.mended, 4u);
  ASSERT_EQ(imported.skipped.size(), 1u);
  EXPECT_EQ(imported.skipped[0].reason, SkipReason::Cancelled);
}

TEST_F(ICalendarInteropTest, AnExportedCalendarReadsBackInPythonWithItsDatesAndSummaries) {
  HolidayList list = {{"2022-06-03", "Platinum Jubilee, 70 \"years\"; bank holiday"},
                      {"2022-07-14", "F\xEAte nationale"},
                      {"2022-12-26", "Boxing Day"},
                      {"2023-05-08", std::string(90, 'x') + " \xE9t\xE9 " + std::string(40, 'y')}};
  const std::string path = PathOf("exported.ics");
  WriteHolidayFile(path, "GBP", list);
  EXPECT_EQ(RunPython("read", path),
            "2022-06-03\tPlatinum Jubilee, 70 \"years\"; bank holiday\tGBP\n"
            "2022-07-14\tF\xC3\xAAte nationale\tGBP\n"
            "2022-12-26\tBoxing Day\tGBP\n"
            "2023-05-08\t" +
                std::string(90, 'x') + " \xC3\xA9t\xC3\xA9 " + std::string(40, 'y') + "\tGBP\n");
}

// A currency holding the separators of CATEGORIES is one category to another reader.
TEST_F(ICalendarInteropTest, ACurrencyWithACommaIsOneCategoryToAnotherReader) {
  const std::string path = PathOf("categories.ics");
  WriteHolidayFile(path, "A,B;C\\D", {{"2024-01-01", "New Year"}, {"2024-12-25", "Xmas"}});
  EXPECT_EQ(RunPython("categories", path), "\"A,B;C\\D\"\n\n\"A,B;C\\D\"\n\n");
}

std::set<std::string> LinesOf(const std::string& path) {
  std::ifstream in(path);
  std::set<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.insert(line);
  return lines;
}

std::string Difference(const std::set<std::string>& want, const std::set<std::string>& got) {
  std::string text;
  std::size_t shown = 0;
  for (const std::string& day : want) {
    if (!got.contains(day) && shown++ < 8) text += " missing " + day;
  }
  for (const std::string& day : got) {
    if (!want.contains(day) && shown++ < 8) text += " extra " + day;
  }
  return text;
}

// Calendars other programs write (national calendars by python-holidays in the
// styles of feeds and desktop programs, repeat rules by vobject, other encodings, and
// the test calendars Debian's packages ship): the days imported are exactly those
// that recurring_ical_events and dateutil expand, and every export of them is a
// valid calendar to vobject that gives the same days back.
TEST_F(ICalendarInteropTest, ImportsExactlyWhatIndependentParsersExpandAndExportsValidFiles) {
  const fs::path corpus = PathOf("corpus");
  RunPython("corpus", corpus.string());
  const fs::path exports = PathOf("exports");
  fs::create_directories(exports);

  std::size_t files = 0, dates = 0, mismatches = 0, unread = 0;
  std::map<std::string, std::set<std::string>> exported;  // export file name: its days
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".expected") continue;
    if (entry.path().extension() == ".unread") {
      ++unread;
      continue;
    }
    if (!fs::exists(entry.path().string() + ".expected")) continue;  // its .unread says why
    SCOPED_TRACE(name);
    const std::set<std::string> want = LinesOf(entry.path().string() + ".expected");
    std::set<std::string> got;
    HolidayTable table;
    table.EnsureCurrency("XX");
    try {
      ImportHolidays(table, "XX", ReadHolidayFile(entry.path().string()));
    } catch (const HolidayFileError& error) {
      ADD_FAILURE() << error.what();
    }
    for (const auto& [key, remark] : *table.Find("XX")) got.insert(key);
    ++files;
    dates += want.size();
    std::size_t differ = 0;
    for (const std::string& day : want) differ += got.contains(day) ? 0 : 1;
    for (const std::string& day : got) differ += want.contains(day) ? 0 : 1;
    mismatches += differ;
    EXPECT_EQ(differ, 0u) << Difference(want, got);

    for (const char* type : {".ics", ".csv"}) {
      const std::string out = name + type;
      WriteHolidayFile((exports / out).string(), "XX", *table.Find("XX"));
      exported[out] = got;
    }
  }
  std::cout << "interop: " << files << " files, " << dates << " dates, " << mismatches
            << " mismatches; " << unread << " shipped files the references do not read\n";
  RecordProperty("files", static_cast<int>(files));
  RecordProperty("dates", static_cast<int>(dates));
  RecordProperty("mismatches", static_cast<int>(mismatches));
  EXPECT_GE(files, 40u);
  EXPECT_GE(dates, 40000u);

  std::map<std::string, std::set<std::string>> readBack;
  std::istringstream lines(RunPython("validate", exports.string()));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t tab = line.find('\t');
    const std::size_t second = line.find('\t', tab + 1);
    ASSERT_NE(second, std::string::npos) << line;
    readBack[line.substr(0, tab)].insert(line.substr(tab + 1, second - tab - 1));
  }
  for (const auto& [file, days] : exported) {
    SCOPED_TRACE(file);
    EXPECT_EQ(readBack[file], days) << Difference(days, readBack[file]);
  }
}

}  // namespace
}  // namespace kelo
