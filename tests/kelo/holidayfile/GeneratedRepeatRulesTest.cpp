// Calendars of random repeating events over every part of a repeat rule, generated
// with a fixed seed by repeat_rules.py, import with exactly the days that two
// independent expansions give them (see that script for the references and the ways
// they are known to differ). HCD_REPEAT_RULE_FILES sets how many random calendars
// (200 by default), HCD_REPEAT_RULE_SEED the seed (1).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "kelo/holidayfile/HolidayFile.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/HolidayImport.h"

namespace kelo {
namespace {

namespace fs = std::filesystem;

std::string Setting(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

std::set<std::string> LinesOf(const fs::path& path) {
  std::ifstream in(path);
  std::set<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.insert(line);
  return lines;
}

class GeneratedRepeatRulesTest : public ::testing::Test {
 protected:
  GeneratedRepeatRulesTest() {
    std::string pattern = (fs::temp_directory_path() / "repeat-rules-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data()) ? pattern : "";
  }
  ~GeneratedRepeatRulesTest() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  fs::path dir_;
};

TEST_F(GeneratedRepeatRulesTest, ImportWithTheDaysTheReferencesExpand) {
  ASSERT_FALSE(dir_.empty());
  const auto began = std::chrono::steady_clock::now();
  const std::string command = std::string("'") + SYSTEM_PYTHON3 + "' '" + REPEAT_RULES_SCRIPT +
                              "' generate '" + dir_.string() + "' " +
                              Setting("HCD_REPEAT_RULE_SEED", "1") + " " +
                              Setting("HCD_REPEAT_RULE_FILES", "200");
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr) << command;
  std::string summary;
  std::array<char, 4096> buffer{};
  for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    summary.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  // Exit 1: the references differ other than in their known ways (stderr says where).
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << "\n" << summary;
  const auto generated = std::chrono::steady_clock::now();

  std::size_t files = 0, dates = 0, mismatches = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
    if (entry.path().extension() != ".ics") continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    fs::path expectedPath = entry.path();
    const std::set<std::string> want = LinesOf(expectedPath.replace_extension(".expected"));
    HolidayTable table;
    table.EnsureCurrency("XX");
    try {
      ImportHolidays(table, "XX", ReadHolidayFile(entry.path().string()));
    } catch (const HolidayFileError& error) {
      ADD_FAILURE() << error.what();
    }
    std::set<std::string> got;
    for (const auto& [key, remark] : *table.Find("XX")) got.insert(key);
    ++files;
    dates += want.size();
    std::string differences;
    std::size_t differ = 0;
    for (const std::string& day : want) {
      if (!got.contains(day) && differ++ < 8) differences += " missing " + day;
    }
    for (const std::string& day : got) {
      if (!want.contains(day) && differ++ < 8) differences += " extra " + day;
    }
    mismatches += differ;
    EXPECT_EQ(differ, 0u) << differences;
  }
  const auto imported = std::chrono::steady_clock::now();
  using Seconds = std::chrono::duration<double>;
  std::cout << summary << "imported: " << files << " files, " << dates << " dates, " << mismatches
            << " mismatches; generating took " << Seconds(generated - began).count()
            << " s, importing " << Seconds(imported - generated).count() << " s\n";
  EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace kelo
