// Calendars written by Python's icalendar read here, and calendars written here read
// by it: the two implementations agree on dates, summaries and categories.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "kelo/config/HolidayTableText.h"
#include "kelo/holidayfile/HolidayFile.h"
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

}  // namespace
}  // namespace kelo
