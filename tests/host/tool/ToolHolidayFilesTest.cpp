// import-holidays and export-holidays, end to end on files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/EditedFile.h"
#include "props/CHandlerPrivateProps.h"
#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

std::string Stored(const fs::path& config, const std::string& key) {
  CHandlerPrivateProps bag;
  bag.fromXML(ReadAll(config));
  rr::RRString value;
  bag.GetValueFromProperty(key.c_str(), value, rr::RRString());
  return value.str();
}

const std::string kFeed =
    (fs::path(EXAMPLES_DIR) / "calendars" / "england-and-wales-2022-2023.ics").string();

class ToolHolidayFiles : public ::testing::Test {
 protected:
  void SetUp() override { fs::copy_file(fs::path(EXAMPLES_DIR) / "handler.xml", config_); }
  const ScratchFolder scratch_{"holiday-files", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
  const fs::path config_ = dir_ / "handler.xml";
};

TEST_F(ToolHolidayFiles, ImportSavesTheConfigurationAndPrintsTheDialogsReport) {
  const std::string before = ReadAll(config_);
  const ToolResult dry = RunTool({"import-holidays", config_.string(), "GBP", kFeed, "--dry-run"});
  ASSERT_EQ(dry.exitCode, 0) << dry.err;
  EXPECT_TRUE(
      dry.out.starts_with("2022-01-03 New Year's Day (substitute day)\n"
                          "2022-04-15 Good Friday\n"))
      << dry.out;
  EXPECT_EQ(std::count(dry.out.begin(), dry.out.end(), '\n'), 19);
  EXPECT_NE(dry.err.find("19 dates added to GBP."), std::string::npos) << dry.err;
  EXPECT_EQ(ReadAll(config_), before);

  const ToolResult r = RunTool({"import-holidays", config_.string(), "GBP", kFeed});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(
      r.out.starts_with("19 dates added to GBP.\n"
                        "0 dates were already there and kept their remarks.\n0 skipped.\n"))
      << r.out;
  const std::string gbp = Stored(config_, "CurrencyTable_GBP");
  EXPECT_TRUE(gbp.starts_with("2022-01-03|New Year's Day (substitute day)|")) << gbp;
  EXPECT_NE(gbp.find("|2025-12-26|Boxing Day|"), std::string::npos) << gbp;  // kept

  // A second import finds every date there.
  const ToolResult again = RunTool({"import-holidays", config_.string(), "GBP", kFeed});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_TRUE(again.out.starts_with("0 dates added to GBP.\n19 dates were already there"))
      << again.out;
  EXPECT_EQ(Stored(config_, "CurrencyTable_GBP"), gbp);
}

TEST_F(ToolHolidayFiles, ANewCurrencyIsAddedAndTheBankHolidayBoxKeepsItsState) {
  // The box that enables "Holiday setting" is off in this configuration.
  std::string xml = ReadAll(config_);
  const std::string on = "<Property Name=\"EnableBankHoliday\" Type=\"Bool\">true</Property>";
  xml.replace(xml.find(on), on.size(),
              "<Property Name=\"EnableBankHoliday\" Type=\"Bool\">false</Property>");
  WriteAll(config_, xml);
  WriteAll(dir_ / "chf.csv",
           "date,remark\r\n2024-08-01,\"Bundesfeier | F\xC3\xAAte nationale\"\r\nnot,a date\r\n");

  const ToolResult r =
      RunTool({"import-holidays", config_.string(), "CHF", (dir_ / "chf.csv").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "1 date added to CHF.\n"
            "0 dates were already there and kept their remarks.\n"
            "1 skipped: 1 row that is not date,remark (line 3).\n"
            "1 remark was changed to fit the stored text: \"|\" as \"/\", line breaks as blanks, "
            "other characters outside ISO-8859-1 as \"?\".\n");
  EXPECT_EQ(Stored(config_, "CurrencyTable_CHF"), "2024-08-01|Bundesfeier / F\xEAte nationale|");
  EXPECT_EQ(Stored(config_, "CurrencyTable"), "CHF|EUR|GBP|USD|");
  CHandlerPrivateProps bag;
  bag.fromXML(ReadAll(config_));
  bool enabled = true;
  bag.GetValueFromProperty("EnableBankHoliday", enabled, true);
  EXPECT_FALSE(enabled);

  const ToolResult out =
      RunTool({"export-holidays", config_.string(), "CHF", (dir_ / "chf-out.csv").string()});
  ASSERT_EQ(out.exitCode, 0) << out.err;
  EXPECT_EQ(out.out, "1 date of CHF written to chf-out.csv.\n");
  EXPECT_EQ(ReadAll(dir_ / "chf-out.csv"),
            "date,remark\r\n2024-08-01,Bundesfeier / F\xC3\xAAte nationale\r\n");
}

TEST_F(ToolHolidayFiles, ExportWritesTheCurrencyAsItsFileTypeAndImportReadsItBack) {
  const fs::path ics = dir_ / "gbp.ics";
  const ToolResult r = RunTool({"export-holidays", config_.string(), "GBP", ics.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "5 dates of GBP written to gbp.ics.\n");
  const std::string calendar = ReadAll(ics);
  EXPECT_NE(calendar.find("DTSTART;VALUE=DATE:20251226\r\n"), std::string::npos) << calendar;
  EXPECT_NE(calendar.find("SUMMARY:Boxing Day\r\n"), std::string::npos) << calendar;

  const ToolResult back = RunTool({"import-holidays", config_.string(), "AUD", ics.string()});
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_EQ(Stored(config_, "CurrencyTable_AUD"), Stored(config_, "CurrencyTable_GBP"));
}

TEST_F(ToolHolidayFiles, FailuresAreOneLineAndChangeNothing) {
  const std::string before = ReadAll(config_);
  WriteAll(dir_ / "broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  const std::string config = config_.string();
  const Case cases[] = {
      {{"import-holidays", config, "GBP", (dir_ / "missing.ics").string()},
       3,
       "hcdtool: The holidays were not imported: missing.ics: No such file or directory\n"},
      {{"import-holidays", config, "GBP", (dir_ / "broken.ics").string()},
       3,
       "hcdtool: The holidays were not imported: broken.ics: it is not an iCalendar file (no "
       "complete VCALENDAR)\n"},
      {{"export-holidays", config, "GBP", (dir_ / "out.txt").string()},
       3,
       "hcdtool: The holidays were not exported: out.txt: the name ends neither in .ics nor in "
       ".csv\n"},
      {{"export-holidays", config, "CHF", (dir_ / "out.ics").string()},
       3,
       "hcdtool: " + config + ": the holiday setting dialog lists no currency CHF\n"},
      {{"import-holidays", config, "G|P", kFeed},
       2,
       "hcdtool: CURRENCY G|P is refused by the holiday setting dialog: Currency can not hold "
       "\"|\"\n"},
      {{"import-holidays", config, "GBP", "a\nb.ics"},
       3,
       "hcdtool: The holidays were not imported: a\\nb.ics: No such file or directory\n"},
      {{"export-holidays", config, "GBP"}, 2, "hcdtool: expected CONFIG, CURRENCY and FILE\n"},
      {{"export-holidays", (dir_ / "none.xml").string(), "GBP", (dir_ / "x.ics").string()}, 3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[3 < c.args.size() ? 3 : 0]);
    const ToolResult r = RunTool(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    if (!c.err.empty()) {
      EXPECT_EQ(r.err, c.err);
    }
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
  EXPECT_EQ(ReadAll(config_), before);
  EXPECT_FALSE(fs::exists(dir_ / "out.txt"));

  // A report that cannot be printed is no success, even when the file was written.
  const std::string full = std::string("'") + HCDTOOL_PATH + "' export-holidays '" + config +
                           "' GBP '" + (dir_ / "gbp.csv").string() + "' >/dev/full 2>/dev/null";
  const int status = std::system(full.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
  EXPECT_FALSE(fs::exists(dir_ / "out.ics"));
}

}  // namespace

// The dates a dry run lists are stored texts like any other: shown in UTF-8, each on
// its line, whatever the remark holds.
TEST_F(ToolHolidayFiles, ADryRunShowsRemarksByTheRuleOfTextOutput) {
  WriteAll(dir_ / "zurich.csv",
           "2024-08-01,Z\xC3\xBCrich \\ Bundesfeier\r\n2024-12-25,\"Christmas\tDay\"\r\n");
  const ToolResult r = RunTool(
      {"import-holidays", config_.string(), "CHF", (dir_ / "zurich.csv").string(), "--dry-run"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "2024-08-01 Z\xC3\xBCrich \\\\ Bundesfeier\n2024-12-25 Christmas\\tDay\n");
}

// An import is an edit of CONFIG: while another edit holds the file it is refused,
// and nothing is written.
TEST_F(ToolHolidayFiles, ImportIsRefusedWhileAnEditHoldsTheFile) {
  const std::string before = ReadAll(config_);
  {
    const EditedFile held(config_.string());
    const ToolResult r = RunTool({"import-holidays", config_.string(), "GBP", kFeed});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_NE(r.err.find("another edit holds it"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(ReadAll(config_), before);
  EXPECT_EQ(RunTool({"import-holidays", config_.string(), "GBP", kFeed}).exitCode, 0);
}

// Files no export should write and calendars no import should take: each is exit 3
// with one line, and nothing is written anywhere.
TEST_F(ToolHolidayFiles, HostileFilesAreRefusedAndNothingIsWritten) {
  const std::string before = ReadAll(config_);
  const std::string config = config_.string();
  fs::create_directory(dir_ / "adir");
  fs::create_symlink(config_, dir_ / "gbp.csv");
  std::string nested = "BEGIN:VCALENDAR\r\n";
  for (int i = 0; i < 400000; ++i) nested += "BEGIN:X\r\n";
  for (int i = 0; i < 400000; ++i) nested += "END:X\r\n";
  WriteAll(dir_ / "nested.ics", nested + "END:VCALENDAR\r\n");
  WriteAll(dir_ / "long.ics",
           "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240101\r\n"
           "SUMMARY:" +
               std::string(15000000, 'x') +
               "\r\nEND:VEVENT\r\n"
               "END:VCALENDAR\r\n");
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::string notExported = "hcdtool: The holidays were not exported: ";
  const std::string notImported = "hcdtool: The holidays were not imported: ";
  const Case cases[] = {
      {{"export-holidays", config, "GBP", config},
       notExported + "handler.xml: it is the configuration file " + config + "\n"},
      {{"export-holidays", config, "GBP", (dir_ / "gbp.csv").string()},
       notExported + "gbp.csv: it is the configuration file " + config + "\n"},
      {{"export-holidays", config, "GBP", (dir_ / "hard.ics").string()},
       notExported + "hard.ics: it is the configuration file " + config + "\n"},
      {{"export-holidays", config, "GBP", (dir_ / "adir").string()},
       notExported + "adir: it is a folder\n"},
      {{"export-holidays", config, "GBP", (dir_ / "adir").string() + "/"},
       notExported + (dir_ / "adir").string() + "/: it is a folder\n"},
      {{"export-holidays", config, "GBP", (dir_ / "plainname").string()},
       notExported + "plainname: the name ends neither in .ics nor in .csv\n"},
      {{"import-holidays", config, "GBP", (dir_ / "nested.ics").string()},
       notImported + "nested.ics: it nests components deeper than 32 levels\n"},
      {{"import-holidays", config, "GBP", (dir_ / "long.ics").string()},
       notImported + "long.ics: it has a content line longer than 256 KiB\n"},
  };
  {
    // Not even while an edit holds CONFIG, which an export does not take.
    const EditedFile held(config);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.args[3]);
      // A second link would make the others refused for that alone.
      const bool hard = c.args[3].ends_with("hard.ics");
      if (hard) fs::create_hard_link(config_, dir_ / "hard.ics");
      const ToolResult r = RunTool(c.args);
      if (hard) fs::remove(dir_ / "hard.ics");
      EXPECT_EQ(r.exitCode, 3) << r.err;
      if (c.args[0] == "export-holidays") {
        EXPECT_EQ(r.err, c.err);
      }
      EXPECT_EQ(r.out, "");
    }
  }
  for (const Case& c : cases) {
    if (c.args[0] != "import-holidays") continue;
    SCOPED_TRACE(c.args[3]);
    const ToolResult r = RunTool(c.args);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_EQ(ReadAll(config_), before);
  EXPECT_TRUE(fs::is_symlink(dir_ / "gbp.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "adir.ics"));
  EXPECT_FALSE(fs::exists(dir_ / "adir" / ".ics"));
  EXPECT_FALSE(fs::exists(dir_ / "plainname.ics"));
  EXPECT_TRUE(fs::is_empty(dir_ / "adir"));
}

// A date the file gives twice is no date the currency had: a new currency reports
// nothing already there, and the repeat on its own line.
TEST_F(ToolHolidayFiles, RepeatsInTheFileAreCountedApartFromDatesAlreadyThere) {
  WriteAll(dir_ / "twice.csv", "2024-08-01,Bundesfeier\r\n2024-08-01,again\r\n");
  const ToolResult r =
      RunTool({"import-holidays", config_.string(), "CHF", (dir_ / "twice.csv").string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "1 date added to CHF.\n"
            "0 dates were already there and kept their remarks.\n"
            "1 date was given again in the file and taken once, with the first remark.\n"
            "0 skipped.\n");
  EXPECT_EQ(Stored(config_, "CurrencyTable_CHF"), "2024-08-01|Bundesfeier|");

  // The currency rule is the one the manual gives: printable ASCII, no blank.
  const ToolResult blank =
      RunTool({"import-holidays", config_.string(), "Sp ace", (dir_ / "twice.csv").string()});
  EXPECT_EQ(blank.exitCode, 2);
  EXPECT_EQ(blank.err,
            "hcdtool: CURRENCY may hold printable ASCII characters other than the blank only\n");
}
