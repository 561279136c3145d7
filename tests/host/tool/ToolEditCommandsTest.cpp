// The commands that open the module's pages and dialogs, played by scripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "props/CHandlerPrivateProps.h"
#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

class ToolEdit : public ::testing::Test {
 protected:
  fs::path Script(const std::string& text) {
    const fs::path path = dir_ / ("script" + std::to_string(++scripts_));
    WriteAll(path, text);
    return path;
  }
  fs::path Copy(const std::string& example) {
    const fs::path path = dir_ / fs::path(example).filename();
    fs::copy_file(fs::path(EXAMPLES_DIR) / example, path);
    return path;
  }
  ToolResult Edit(const std::string& kind, const fs::path& file, const fs::path& script) {
    return RunTool({"edit", kind, file.string(), "--script", script.string()});
  }
  const ScratchFolder scratch_{"edit", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
  int scripts_ = 0;
};

TEST_F(ToolEdit, NewConfigurationsStartFromTheDefaultsAndAcceptingWritesEveryKey) {
  struct Case {
    const char* kind;
    const char* script;
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      {"--handler",
       "set 12032 BANK01\nset 12033 KEL\nok\n",
       {"ConfigurationVersion", "EnableDefaultURL", "EnableTestEnv", "UserDefinedHostURL",
        "UrlForTestReq", "UrlForUserReq", "UrlForBnchmkSubReq", "UrlForBnchmkRptReq", "EnableProxy",
        "UseIEProxy", "ProxyAddr", "ProxyPort", "SID", "TID", "Username", "Password",
        "EnableBankHoliday", "CurrencyTable", "MaxMessagePerSec"}},
      {"--static",
       "set 12021 P\nset 12036 EUR\nset 12035 S\nok\n",
       {"PartyID", "PartyIDSource", "PartyRole", "Currency", "SecurityID", "SecurityIDSource",
        "FullCurveInSub", "WriteResponseToFile", "FileLocation", "DisableOptimisation",
        "OptimiseInitialImage", "SuppressInitOutput"}},
      {"--dynamic", "set 12035 X\nok\n", {"SecurityID", "FullCurveInSub"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const fs::path missing = dir_ / (std::string(c.kind + 2) + "-new.xml");
    const fs::path empty = dir_ / (std::string(c.kind + 2) + "-empty.xml");
    WriteAll(empty, "");
    for (const fs::path& file : {missing, empty}) {
      const ToolResult r = Edit(c.kind, file, Script(c.script));
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(KeysOf(file), c.keys);
    }
  }
  // The defaults as the pages wrote them.
  const ToolResult summary = RunTool({"summary", "--static", (dir_ / "static-new.xml").string()});
  EXPECT_EQ(summary.out,
            "Party ID=P|Party ID Source=D|Party Role=30|Currency=EUR|Security ID=S|"
            "Security ID Source=8|Full Curve In Submission=Yes|Write Response to CSV file=No|"
            "CSV file location=|Disable Optimisation=No|Optimise Initial Image=Yes|"
            "Suppress Initial Output=Yes|\n12\n");
  const ToolResult dynamic = RunTool({"summary", "--dynamic", (dir_ / "dynamic-new.xml").string()});
  EXPECT_EQ(dynamic.out, "Security ID=X|Full Curve In Submission=Yes\n2\n");
}

TEST_F(ToolEdit, RefusedOrCancelledEditsLeaveTheFileByteForByte) {
  struct Case {
    const char* kind;
    const char* example;
    const char* script;
    const char* message;  // shown on stderr, or "" for none
  };
  const Case cases[] = {
      {"--static", "static.xml", "set 12021 \"   \"\nok\n",
       "Party ID is free form field but can not be empty"},
      {"--static", "static.xml", "set 12028 \"  \"\nok\n", "Security ID Source can not be empty"},
      {"--handler", "handler.xml", "set 12012 abc\nok\n",
       "\"Max Messages Per Sec.\" takes a whole number from -2147483648 to 2147483647."},
      {"--handler", "handler.xml", "set 12032 \" \"\nok\n", "SenderCompID can not be empty"},
      {"--handler", "handler.xml", "set 12012 5\ncancel\n", ""},
      {"--dynamic", "dynamic.xml", "set 12035 Y\n", ""},  // the script ends: Cancel
      {"--dynamic", "dynamic.xml", "set 12035 \"\"\nok\n", "Security ID can not be empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.script);
    const fs::path file = dir_ / c.example;
    fs::remove(file);
    fs::copy_file(fs::path(EXAMPLES_DIR) / c.example, file);
    const std::string before = ReadAll(file);
    const ToolResult r = Edit(c.kind, file, Script(c.script));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("unchanged"), std::string::npos) << r.err;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name.rfind("script", 0) == 0 || name == "static.xml" || name == "handler.xml" ||
                  name == "dynamic.xml")
          << "left behind: " << name;
    }
  }
}

TEST_F(ToolEdit, DynamicPageWritesExactlyItsTwoKeysAndKeepsTheCurveFlag) {
  const fs::path file = dir_ / "dynamic.xml";
  WriteAll(file,
           "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties>\n"
           "  <Property Name=\"FullCurveInSub\" Type=\"Bool\">false</Property>\n"
           "</Properties>\n");
  const ToolResult r = Edit("--dynamic", file, Script("set 12035 \"USD 1W\"\nok\n"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(KeysOf(file), (std::vector<std::string>{"FullCurveInSub", "SecurityID"}));
  EXPECT_EQ(RunTool({"summary", "--dynamic", file.string()}).out,
            "Security ID=USD 1W|Full Curve In Submission=No\n2\n");
}

TEST_F(ToolEdit, HolidaysAddedInTheDialogAreStoredAndSeenByTheChangeCheck) {
  const fs::path original = Copy("handler.xml");
  const fs::path edited = dir_ / "edited.xml";
  fs::copy_file(original, edited);
  const ToolResult r = Edit("--handler", edited,
                            Script("click \"Holiday setting\"\nselect 12065 \"USD\"\n"
                                   "year 12071 2030\nclick \"Add holiday of year\"\nok\nok\n"));
  ASSERT_EQ(r.exitCode, 0) << r.err;

  CHandlerPrivateProps bag;
  bag.fromXML(ReadAll(edited));
  rr::RRString list, usd;
  bag.GetValueFromProperty("CurrencyTable", list, rr::RRString());
  bag.GetValueFromProperty("CurrencyTable_USD", usd, rr::RRString());
  EXPECT_EQ(list.str(), "EUR|GBP|USD|");
  EXPECT_NE(usd.str().find("2030-11-28|Thanksgiving Day|"), std::string::npos);
  EXPECT_NE(usd.str().find("2030-01-05|Weekend|"), std::string::npos);
  // The summary does not show holidays; the change check does, with bank holidays on.
  EXPECT_EQ(RunTool({"summary", "--handler", edited.string()}).out,
            RunTool({"summary", "--handler", original.string()}).out);
  EXPECT_EQ(RunTool({"check-change", "--handler", original.string(), edited.string()}).out, "0\n");
}

TEST_F(ToolEdit, ACalendarImportedInTheDialogIsStoredWhenTheSheetIsAccepted) {
  const fs::path file = Copy("handler.xml");
  std::string script = ReadAll(fs::path(EXAMPLES_DIR) / "scripts" / "holiday-import.script");
  const std::string relative = "\"examples/calendars/";
  script.replace(script.find(relative), relative.size(),
                 "\"" + (fs::path(EXAMPLES_DIR) / "calendars").string() + "/");
  const ToolResult r = Edit("--handler", file, Script(script));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("Message: 7 dates added to GBP.\n"
                       "12 dates were already there and kept their remarks.\n0 skipped.\n"),
            std::string::npos)
      << r.err;

  CHandlerPrivateProps bag;
  bag.fromXML(ReadAll(file));
  rr::RRString gbp;
  bag.GetValueFromProperty("CurrencyTable_GBP", gbp, rr::RRString());
  for (const char* entry : {"2022-05-30|Spring Bank Holiday|", "2022-06-02|Spring bank holiday|",
                            "2022-06-03|Platinum Jubilee bank holiday|",
                            "2022-09-19|Bank Holiday for the State Funeral of Queen Elizabeth II|",
                            "2023-01-02|New Year's Day (substitute day)|",
                            "2023-05-08|Bank holiday for the coronation of King Charles III|"}) {
    EXPECT_NE(gbp.str().find(entry), std::string::npos) << entry;
  }
}

TEST_F(ToolEdit, RateEditAgreesWithSummaryAndChangeCheck) {
  const fs::path file = Copy("handler.xml");
  const ToolResult r = Edit("--handler", file, Script("set 12012 \" -7 \"\nok\n"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string summary = RunTool({"summary", "--handler", file.string()}).out;
  EXPECT_NE(summary.find("|Max Message Per Second=-7\n11\n"), std::string::npos) << summary;
  EXPECT_EQ(RunTool({"check-change", "--handler", (fs::path(EXAMPLES_DIR) / "handler.xml").string(),
                     file.string()})
                .out,
            "0\n");
  // The password survives the edit unchanged and never appears in clear.
  EXPECT_EQ(RunTool({"check-change", "--handler", file.string(), file.string()}).out, "1\n");
  EXPECT_EQ(ReadAll(file).find("S3cret"), std::string::npos);
}

TEST_F(ToolEdit, AnUnreadablePasswordSurvivesAnEditThatDoesNotTypeOne) {
  const fs::path file = Copy("handler.xml");
  const std::string readable = "e704b62cab70e60abc82e8b708d82e7abf260cd95bbe8cc8";
  std::string unreadable = readable;
  for (char& c : unreadable) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string text = ReadAll(file);
  text.replace(text.find(readable), readable.size(), unreadable);
  WriteAll(file, text);

  auto storedPassword = [&] {
    CHandlerPrivateProps bag;
    bag.fromXML(ReadAll(file));
    rr::RRString stored;
    bag.GetValueFromProperty("Password", stored, rr::RRString());
    return stored.str();
  };
  ASSERT_EQ(Edit("--handler", file, Script("set 12012 20\nok\n")).exitCode, 0);
  EXPECT_EQ(storedPassword(), unreadable);
  EXPECT_NE(ReadAll(file).find("Name=\"MaxMessagePerSec\" Type=\"Int\">20<"), std::string::npos);

  ASSERT_EQ(Edit("--handler", file, Script("set \"Password:\" typed\nok\n")).exitCode, 0);
  const std::string replaced = storedPassword();
  EXPECT_NE(replaced, unreadable);
  EXPECT_EQ(replaced.size(), 32u);
  EXPECT_EQ(replaced.find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST_F(ToolEdit, ScriptErrorsAreOneLineAndLeaveTheFile) {
  const fs::path file = Copy("static.xml");
  const std::string before = ReadAll(file);
  for (const char* script :
       {"set 99999 x\nok\n", "click \"No such button\"\n", "fly 12021\n", "set 12046 on\n"}) {
    SCOPED_TRACE(script);
    const ToolResult r = Edit("--static", file, Script(script));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("script line 1"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(ReadAll(file), before);
  }
}

TEST(ToolHolidays, PrintsWhatTheDialogAddsInTheOrderAdded) {
  const ToolResult gbp = RunTool({"holidays", "GBP", "2024"});
  ASSERT_EQ(gbp.exitCode, 0) << gbp.err;
  const std::vector<std::string> lines = Lines(gbp.out);
  ASSERT_EQ(lines.size(), 112u);
  const std::vector<std::string> rules(lines.begin(), lines.begin() + 8);
  EXPECT_EQ(rules, (std::vector<std::string>{"2024-01-01 New Year's Day", "2024-03-29 Good Friday",
                                             "2024-04-01 Easter Monday", "2024-05-06 May Day",
                                             "2024-05-27 Spring Bank Holiday",
                                             "2024-08-26 Summer Bank Holiday",
                                             "2024-12-25 Christmas Day", "2024-12-26 Boxing Day"}));
  EXPECT_EQ(lines[8], "2024-01-06 Weekend");

  const ToolResult xyz = RunTool({"holidays", "XYZ", "2021"});
  ASSERT_EQ(xyz.exitCode, 0) << xyz.err;
  const std::vector<std::string> weekends = Lines(xyz.out);
  EXPECT_EQ(weekends.size(), 104u);
  EXPECT_TRUE(std::all_of(weekends.begin(), weekends.end(), [](const std::string& l) {
    return l.size() == 18 && l.substr(10) == " Weekend";
  }));

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"holidays", "GBP"},
                                              {"holidays", "GBP", "2009"},
                                              {"holidays", "GBP", "20x4"},
                                              {"holidays", "G", "2024"},
                                              {"holidays", "A|B", "2024"},
                                              {"holidays", "A B", "2024"},
                                              {"holidays", "A\xE9", "2024"}}) {
    const ToolResult r = RunTool(bad);
    EXPECT_EQ(r.exitCode, 2) << bad.back();
    EXPECT_EQ(r.out, "");
  }
}

TEST(ToolHolidays, EveryCurrencyItAcceptsReachesTheDialog) {
  // The currency goes into the script the command plays, where a quote or a backslash
  // once ended the quoted word early.
  for (int byte = 0x21; byte < 0x7F; ++byte) {
    if (byte == '|') continue;
    const std::string currency = std::string("A") + static_cast<char>(byte);
    SCOPED_TRACE(currency);
    const ToolResult r = RunTool({"holidays", currency, "2024"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out).size(), 104u);  // a currency without rules: the weekend days
  }
}

TEST(ToolHolidays, JsonHoldsTheSameRowsInOneDocument) {
  const ToolResult text = RunTool({"holidays", "GBP", "2024"});
  const ToolResult json = RunTool({"holidays", "--json", "GBP", "2024"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const nlohmann::json document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document.at("currency"), "GBP");
  EXPECT_EQ(document.at("year"), 2024);
  std::string rows;
  for (const nlohmann::json& holiday : document.at("holidays"))
    rows += holiday.at("date").get<std::string>() + " " + holiday.at("remark").get<std::string>() +
            "\n";
  EXPECT_EQ(rows, text.out);
}

TEST(ToolChooseField, PrintsTheChosenNameOrNothing) {
  const ScratchFolder scratch("choose", SCRATCH_DIR);
  const fs::path& dir = scratch.path();
  struct Case {
    std::vector<std::string> flags;
    const char* script;
    const char* out;
  };
  const Case cases[] = {
      {{}, "select 12020 \"BENCHMARK_PRICE\"\nok\n", "BENCHMARK_PRICE\n"},
      {{"--party"}, "select 12020 \"PARTY_ROLE\"\nok\n", "PARTY_ROLE\n"},
      {{}, "select 12020 \"BENCHMARK_PRICE\"\ncancel\n", "\n"},
      {{}, "ok\n", "\n"},  // OK without a choice beeps and stays open; the script ends
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const fs::path script = dir / ("choose" + std::to_string(++n));
    WriteAll(script, c.script);
    std::vector<std::string> args = {"choose-field", "--script", script.string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
  // Without the flag the party names are not offered.
  WriteAll(dir / "choose-party", "select 12020 \"PARTY_ID\"\nok\n");
  const ToolResult r = RunTool({"choose-field", "--script", (dir / "choose-party").string()});
  EXPECT_EQ(r.exitCode, 3);
}

}  // namespace
