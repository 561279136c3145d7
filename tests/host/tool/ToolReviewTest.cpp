// show, diff and git-setup: a configuration and a change as a reviewer reads them,
// through the module's own pages, and through git.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ExampleText.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const std::string kExamples = EXAMPLES_DIR;
// Set by the edit scripts below; no part of it may show anywhere.
constexpr const char* kSecret = "pW7#zq 9!Kx|Lm";
constexpr const char* kOtherSecret = "Tz5%Yk2&Mv";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end == std::string::npos ? std::string::npos : end - from));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  const std::vector<std::string> lines = Lines(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Whether any four characters in a row of the secret show in the text.
bool ShowsPartOf(const std::string& text, const std::string& secret) {
  for (std::size_t i = 0; i + 4 <= secret.size(); ++i)
    if (text.find(secret.substr(i, 4)) != std::string::npos) return true;
  return false;
}

class Review : public ::testing::Test {
 protected:
  std::string Path(const std::string& relative) const { return scratch_.Path(relative); }
  void Write(const std::string& relative, const std::string& text) {
    scratch_.Write(relative, text);
  }
  // The example handler configuration at relative, edited by the script lines.
  void EditedHandler(const std::string& relative, const std::string& script) {
    Write(relative, ReadAll(fs::path(kExamples) / "handler.xml"));
    if (script.empty()) return;
    Write("edit.script", script + "ok\n");
    const ToolResult r =
        RunTool({"edit", "--handler", Path(relative), "--script", Path("edit.script")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }

  const ScratchFolder scratch_{"review", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
};

TEST_F(Review, ShowListsEachControlWithItsLabelAndValueAndTheHolidays) {
  const ToolResult handler = RunTool({"show", kExamples + "/handler.xml", "--handler"});
  ASSERT_EQ(handler.exitCode, 0) << handler.err;
  const std::vector<std::string> expected = {
      "KEL Benchmark Adiministration Configuration",
      "Proxy Setting",
      "  Enable Proxy: [x]",
      "  System default proxy setting: ( )",
      "  Proxy: (o)",
      "  Address: \"proxy.bank.example\"",
      "  Port: \"8080\"",
      "System Setting",
      "  Max Messages Per Sec.: \"30\"",
      "  Default URL: (o)",
      "  Production: ( )",
      "  Testing: (o)",
      "  User-defined URL: ( )",
      "  Host URL: \"\" (disabled)",
      "  TestReq: \"\" (disabled)",
      "  UserReq: \"\" (disabled)",
      "  BnchmkSubReq: \"\" (disabled)",
      "  BnchmkRptReq: \"\" (disabled)",
      "KEL Benchmark Administration Account",
      "  Username: \"bank01.submitter\"",
      "  Password: (set)",
      "Panel Member",
      "  SenderCompID: \"BANK01\"",
      "  TargetCompID: \"KELBMK\"",
      "Bank Holiday",
      "  Suppress output during bank holiday: [x]",
      "Holiday setting",
      "  EUR 2025-05-01 Labour Day",
      "  EUR 2025-12-25 Customize",
      "  GBP 2025-01-01 New Year's Day",
      "  GBP 2025-04-18 Good Friday",
      "  GBP 2025-04-21 Easter Monday",
      "  GBP 2025-12-25 Christmas Day",
      "  GBP 2025-12-26 Boxing Day",
      "  USD 2025-07-04 Independence Day",
      "  USD 2025-11-27 Thanksgiving Day",
      // What no control shows comes last, under its stored name.
      "Stored, not shown on the page",
      "  ConfigurationVersion: 1",
  };
  EXPECT_EQ(Lines(handler.out), expected);

  // The kind from the file's place; a record set has no calendar.
  Write("tree/static/eur.xml", ReadAll(fs::path(kExamples) / "static.xml"));
  const ToolResult record = RunTool({"show", Path("tree/static/eur.xml")});
  ASSERT_EQ(record.exitCode, 0) << record.err;
  EXPECT_TRUE(HasLine(record.out, "  Party Role: \"30 - Agent\"")) << record.out;
  EXPECT_TRUE(HasLine(record.out, "  Optimise Inital Image: [x] (disabled)")) << record.out;
  EXPECT_EQ(record.out.find("Holiday"), std::string::npos);

  // An empty file is a configuration not made yet: the page's defaults, an empty
  // calendar of the standard currencies.
  Write("handler.xml", "");
  const ToolResult fresh = RunTool({"show", Path("handler.xml")});
  ASSERT_EQ(fresh.exitCode, 0) << fresh.err;
  EXPECT_TRUE(HasLine(fresh.out, "  Password: (empty)")) << fresh.out;
  EXPECT_TRUE(HasLine(fresh.out, "  GBP: no holidays")) << fresh.out;

  // A value holding a line feed stays on its line.
  Write("static/odd.xml",
        Replaced(ReadAll(fs::path(kExamples) / "static.xml"), ">EUR<", ">EU\nR \"x\"<"));
  const ToolResult odd = RunTool({"show", Path("static/odd.xml")});
  ASSERT_EQ(odd.exitCode, 0) << odd.err;
  EXPECT_TRUE(HasLine(odd.out, "  Currency: \"EU\\nR \\\"x\\\"\"")) << odd.out;

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"show"},
                                              {"show", Path("handler.xml"), "--year"},
                                              {"show", Path("handler.xml"), "--currency", "GBP"},
                                              {"show", Path("static/odd.xml"), "--year", "2026"},
                                              {"show", Path("handler.xml"), "--year", "20x6"},
                                              {"show", kExamples + "/static.xml"}}) {
    const ToolResult r = RunTool(bad);
    EXPECT_EQ(r.exitCode, 2) << bad.back() << ": " << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// What show lists as stored and not shown does not depend on the calendar's size: a
// long calendar text whose currency the dialog lists is shown, one the calendar never
// reads is listed; and one whose holidays all lie past the first 4 KiB, which the
// calendar probes cut off, is listed rather than hidden.
TEST_F(Review, ALargeCalendarListsWhatIsStoredAndNotShownAsASmallOneDoes) {
  std::string weekends;
  for (int year = 2010; year < 2100; ++year)
    for (int day = 1; day <= 28; day += 3)
      weekends +=
          std::to_string(year) + "-03-" + (day < 10 ? "0" : "") + std::to_string(day) + "|Weekend|";
  ASSERT_GT(weekends.size(), 8192u);
  std::string text = ReadAll(fs::path(kExamples) / "handler.xml");
  const std::string gbpKey = "<Property Name=\"CurrencyTable_GBP\" Type=\"String\">";
  text = Replaced(text, gbpKey, gbpKey + weekends);
  const std::string usdKey = "<Property Name=\"CurrencyTable_USD\" Type=\"String\">";
  text = Replaced(text, usdKey, usdKey + std::string(5000, '|'));
  text = Replaced(text, "</Properties>",
                  "  <Property Name=\"CurrencyTable_CHF\" Type=\"String\">" + weekends +
                      "</Property>\n</Properties>");
  Write("large/handler.xml", text);
  const ToolResult shown = RunTool({"show", Path("large/handler.xml"), "--json"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  std::vector<std::string> listed;
  const json document = json::parse(shown.out);
  for (const json& one : document["not_on_page"]) listed.push_back(one["name"]);
  EXPECT_EQ(listed, (std::vector<std::string>{"ConfigurationVersion", "CurrencyTable_USD",
                                              "CurrencyTable_CHF"}));
  const ToolResult lines = RunTool({"show", Path("large/handler.xml")});
  ASSERT_EQ(lines.exitCode, 0) << lines.err;
  EXPECT_TRUE(HasLine(lines.out, "  GBP 2099-03-22 Weekend")) << lines.out.substr(0, 2000);
  EXPECT_TRUE(HasLine(lines.out, "  USD 2025-11-27 Thanksgiving Day"));
}

// A password box is shown by what it holds, known by its style: set, empty, or an
// unreadable stored one the page keeps. No part of a password shows, in text or JSON,
// in show or diff.
TEST_F(Review, APasswordShowsOnlyWhetherOneIsThere) {
  EditedHandler("set/handler.xml", std::string("set \"Password:\" \"") + kSecret + "\"\n");
  EditedHandler("empty/handler.xml", "set \"Password:\" \"\"\n");
  const std::string example = ReadAll(fs::path(kExamples) / "handler.xml");
  const std::string scrambled = "e704b62cab70e60abc82e8b708d82e7abf260cd95bbe8cc8";
  Write("clear/handler.xml", Replaced(example, scrambled, kSecret));
  Write("int/handler.xml", Replaced(Replaced(example, scrambled, "123456789"),
                                    "\"Password\" Type=\"String\"", "\"Password\" Type=\"Int\""));
  struct Case {
    const char* folder;
    const char* shown;
    std::string secret;
  };
  const Case cases[] = {{"set", "(set)", kSecret},
                        {"empty", "(empty)", ""},
                        {"clear", "(unreadable, kept)", kSecret},
                        {"int", "(unreadable, kept)", "123456789"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const std::string file = Path(std::string(c.folder) + "/handler.xml");
    const ToolResult text = RunTool({"show", file});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_TRUE(HasLine(text.out, std::string("  Password: ") + c.shown)) << text.out;
    const ToolResult asJson = RunTool({"show", file, "--json"});
    ASSERT_EQ(asJson.exitCode, 0) << asJson.err;
    const std::string word = std::string(c.shown).substr(1, std::string(c.shown).size() - 2);
    bool found = false;
    const json document = json::parse(asJson.out);
    for (const auto& control : document["controls"])
      if (control["label"] == "Password") {
        found = true;
        EXPECT_EQ(control["password"], word);
        EXPECT_TRUE(control["value"].is_null());
      }
    EXPECT_TRUE(found);
    for (const ToolResult* r : {&text, &asJson}) {
      EXPECT_FALSE(ShowsPartOf(r->out + r->err, c.secret));
      EXPECT_FALSE(ShowsPartOf(r->out + r->err, scrambled));
    }
  }
  for (const char* other : {"empty", "clear", "int"}) {
    for (const char* format : {"", "--json"}) {
      std::vector<std::string> args = {"diff", Path("set/handler.xml"),
                                       Path(std::string(other) + "/handler.xml")};
      if (*format != '\0') args.push_back(format);
      const ToolResult r = RunTool(args);
      EXPECT_EQ(r.exitCode, 1) << r.err;
      EXPECT_FALSE(ShowsPartOf(r.out + r.err, kSecret)) << r.out;
      EXPECT_FALSE(ShowsPartOf(r.out + r.err, "123456789")) << r.out;
      EXPECT_FALSE(ShowsPartOf(r.out + r.err, scrambled)) << r.out;
    }
  }
}

// The year at a glance: rule holidays, weekends and dates added by hand marked apart,
// and every date worth a remark listed below the grid.
TEST_F(Review, TheYearShowsHowEachHolidayCameThere) {
  EditedHandler("handler.xml",
                "click \"Holiday setting\"\n"
                "select \"Currency:\" \"GBP\"\n"
                "year above \"Add holiday of year\" 2026\n"
                "click \"Add holiday of year\"\n"
                "pick above \"Add\" 2026-08-03\n"
                "click \"Add\"\n"
                "ok\n");
  const ToolResult r =
      RunTool({"show", Path("handler.xml"), "--year", "2026", "--currency", "GBP"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string(40, ' ') + "GBP 2026");
  // 1 January 2026 is a Thursday, the 3rd a Saturday.
  EXPECT_EQ(lines[4].substr(0, 28), "            [ 1]  2 ( 3)( 4)");
  EXPECT_TRUE(HasLine(r.out, "[2026-01-01] New Year's Day")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "[2026-04-03] Good Friday")) << r.out;
  EXPECT_TRUE(HasLine(r.out, "<2026-08-03> Customize")) << r.out;
  EXPECT_EQ(r.out.find("(2026-01-03)"), std::string::npos) << "a plain weekend is not listed";
  EXPECT_EQ(r.out.find('\x1b'), std::string::npos);

  const ToolResult year = RunTool({"show", Path("handler.xml"), "--year", "2026", "--json"});
  ASSERT_EQ(year.exitCode, 0) << year.err;
  const json document = json::parse(year.out);
  std::map<std::string, std::string> kinds;
  for (const auto& currency : document["currencies"])
    if (currency["currency"] == "GBP")
      for (const auto& holiday : currency["holidays"])
        kinds[holiday["date"].get<std::string>()] = holiday["kind"].get<std::string>();
  EXPECT_EQ(kinds["2026-01-01"], "rule");
  EXPECT_EQ(kinds["2026-01-03"], "weekend");
  EXPECT_EQ(kinds["2026-08-03"], "added");
  EXPECT_EQ(kinds["2026-04-03"], "rule");

  const ToolResult missing =
      RunTool({"show", Path("handler.xml"), "--year", "2026", "--currency", "CHF"});
  EXPECT_EQ(missing.exitCode, 3);
  const ToolResult refused = RunTool({"show", Path("handler.xml"), "--year", "2009"});
  EXPECT_EQ(refused.exitCode, 2) << refused.err;
}

// diff names what changed on the page of each entry, below plan's own lines.
TEST_F(Review, DiffShowsEachChangedValueAndHoliday) {
  EditedHandler("old/h/handler.xml", "");
  struct Case {
    const char* what;
    std::string script;              // edits the handler, when set
    std::vector<std::string> lines;  // each must be in the output
  };
  const Case cases[] = {
      {"edit box",
       "set \"Max Messages Per Sec.:\" 20\n",
       {"changed h/handler.xml action 0 changed: MaxMessagePerSec",
        "  Max Messages Per Sec.: \"30\" \u2192 \"20\""}},
      {"check box",
       "check \"Enable Proxy\" off\n",
       {"  Enable Proxy: [x] \u2192 [ ]",
        "  Address: \"proxy.bank.example\" \u2192 "
        "\"proxy.bank.example\" (disabled)"}},
      {"radio button",
       "click \"Production\"\n",
       {"  Production: ( ) \u2192 (o)", "  Testing: (o) \u2192 ( )"}},
      {"disabled",
       "click \"User-defined URL:\"\nset \"Host URL:\" kel.example\n",
       {"  Host URL: \"\" (disabled) \u2192 \"kel.example\"",
        "  Production: ( ) \u2192 ( ) (disabled)"}},
      {"password", std::string("set \"Password:\" \"") + kSecret + "\"\n", {"  Password: changed"}},
      {"holidays",
       "click \"Holiday setting\"\nselect \"Currency:\" \"GBP\"\nrows \"Holiday:\" 2025-12-26\n"
       "click \"Remove\"\npick above \"Add\" 2026-06-01\nclick \"Add\"\nok\n",
       {"  holidays GBP:", "    + 2026-06-01 Customize", "    - 2025-12-26 Boxing Day"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditedHandler("new/h/handler.xml", c.script);
    const ToolResult r = RunTool({"diff", Path("old"), Path("new")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    for (const std::string& line : c.lines)
      EXPECT_TRUE(HasLine(r.out, line)) << line << "\n" << r.out;
    EXPECT_TRUE(HasLine(r.out, "handler folder h: RESTART the handler; no record set to refresh") ||
                HasLine(r.out, "handler folder h: no restart; no record set to refresh"))
        << r.out;
  }

  // A remark changed by hand, and a combo box of a record set, between two files.
  const std::string handler = ReadAll(Path("old/h/handler.xml"));
  Write("a/handler.xml", handler);
  Write("b/handler.xml", Replaced(handler, "Christmas Day", "Xmas"));
  const ToolResult remark = RunTool({"diff", Path("a/handler.xml"), Path("b/handler.xml")});
  EXPECT_EQ(remark.exitCode, 1) << remark.err;
  EXPECT_TRUE(HasLine(remark.out, "    ~ 2025-12-25 \"Christmas Day\" \u2192 Xmas")) << remark.out;
  const std::string record = ReadAll(fs::path(kExamples) / "static.xml");
  Write("a/static/r.xml", record);
  Write("b/static/r.xml", Replaced(record, ">30<", ">31<"));
  const ToolResult combo = RunTool({"diff", Path("a/static/r.xml"), Path("b/static/r.xml")});
  EXPECT_EQ(combo.exitCode, 1) << combo.err;
  EXPECT_TRUE(HasLine(combo.out, "  Party Role: \"30 - Agent\" \u2192 \"31\"")) << combo.out;
  // The same file: nothing differs.
  const ToolResult same = RunTool({"diff", Path("a/static/r.xml"), Path("a/static/r.xml")});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "");
}

// Files added and removed, one that cannot be read, and one whose name holds a line
// feed: each an entry of its own on its own line, as plan gives it.
TEST_F(Review, DiffOfTreesKeepsPlansEntriesAndExitCodes) {
  const std::string record = ReadAll(fs::path(kExamples) / "static.xml");
  Write("old/h/static/gone.xml", record);
  Write("new/h/static/new.xml", record);
  Write("old/h/static/x\ny.xml", record);
  Write("new/h/static/x\ny.xml", Replaced(record, "EUR-KELIBOR-3M", "EUR-KELIBOR-1M"));
  const ToolResult r = RunTool({"diff", Path("old"), Path("new")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                              "removed h/static/gone.xml",
                              "added h/static/new.xml",
                              "changed h/static/x\\ny.xml action 2 changed: SecurityID",
                              "  Security ID: \"EUR-KELIBOR-3M\" \u2192 \"EUR-KELIBOR-1M\"",
                              "handler folder h: no restart; refresh 1 record set; 1 added; "
                              "1 removed",
                              "  refresh: static/x\\ny.xml",
                              "  added: static/new.xml",
                              "  removed: static/gone.xml",
                              "1 changed, 1 added, 1 removed, 0 unchanged; 0 handlers to "
                              "restart, 1 record set to refresh; 0 refused, 0 unreadable",
                          }));
  const ToolResult same = RunTool({"diff", Path("old"), Path("old")});
  EXPECT_EQ(same.exitCode, 0) << same.err;

  fs::create_directories(Path("probe"));
  fs::permissions(Path("probe"), fs::perms::none);
  if (!PermissionsBind(Path("probe")))
    GTEST_SKIP() << "file permissions cannot be made to bind a run here";
  Write("new/h/static/locked.xml", record);
  Write("old/h/static/locked.xml", record);
  fs::permissions(Path("new/h/static/locked.xml"), fs::perms::none);
  ToolLimits bound;
  bound.boundByPermissions = true;
  const ToolResult locked = RunTool({"diff", Path("old"), Path("new")}, bound);
  EXPECT_EQ(locked.exitCode, 3) << locked.err;
  EXPECT_NE(locked.out.find("\nerror h/static/locked.xml: "), std::string::npos) << locked.out;
  const ToolResult asJson = RunTool({"diff", Path("old"), Path("new"), "--json"}, bound);
  EXPECT_EQ(asJson.exitCode, 3);
  EXPECT_TRUE(json::accept(asJson.out)) << asJson.out;
}

// With git-setup, git diff and git log -p read like show, and never show a password.
TEST_F(Review, GitShowsTheChangeThroughShow) {
  if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no git";
  const std::string repo = Path("repo");
  EditedHandler("repo/desk/handler.xml", std::string("set \"Password:\" \"") + kSecret + "\"\n");
  Write("repo/desk/static/eur.xml", ReadAll(fs::path(kExamples) / "static.xml"));
  const std::string tool = fs::path(HCDTOOL_PATH).parent_path().string();
  // git on its own: no configuration of the machine or the user comes in.
  const std::string git = "cd '" + repo + "' && HOME='" + Path("") +
                          "' GIT_CONFIG_NOSYSTEM=1 PATH='" + tool + "':\"$PATH\" git ";
  const auto run = [&](const std::string& args) {
    const std::string command = git + args + " >'" + Path("git.out") + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string out = ReadAll(Path("git.out"));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << args << ": " << out;
    return out;
  };
  run("init -q");
  // Everything below acts on this repository only, never on one around the test.
  ASSERT_TRUE(fs::is_directory(Path("repo/.git")));
  run("config user.email reviewer@bank.example");
  run("config user.name Reviewer");
  ToolLimits onPath;
  onPath.environment.push_back("PATH=" + tool + ":" + std::getenv("PATH"));
  const ToolResult setup = RunTool({"git-setup", repo}, onPath);
  ASSERT_EQ(setup.exitCode, 0) << setup.err;
  EXPECT_EQ(ReadAll(Path("repo/.gitattributes")),
            "handler.xml diff=hcd-handler\n**/static/*.xml diff=hcd-static\n"
            "**/dynamic/*.xml diff=hcd-dynamic\n");
  EXPECT_TRUE(HasLine(setup.out,
                      "set in the repository's git config: "
                      "diff.hcd-handler.textconv \"hcdtool show --textconv --handler\""))
      << setup.out;
  run("add -A");
  run("commit -q -m first");

  Write("edit.script",
        "set \"Max Messages Per Sec.:\" 20\nset \"Password:\" \"Tz5%Yk2&Mv\"\n"
        "click \"Holiday setting\"\nselect \"Currency:\" \"GBP\"\npick above \"Add\" 2026-06-01\n"
        "click \"Add\"\nok\nok\n");
  ASSERT_EQ(
      RunTool({"edit", Path("repo/desk/handler.xml"), "--script", Path("edit.script")}).exitCode,
      0);
  Write("repo/desk/static/eur.xml",
        Replaced(ReadAll(Path("repo/desk/static/eur.xml")), "EUR-KELIBOR-3M", "EUR-KELIBOR-6M"));
  run("commit -q -a -m second");

  for (const std::string& command : {std::string("diff HEAD~1 HEAD"), std::string("log -p")}) {
    SCOPED_TRACE(command);
    const std::string out = run("--no-pager " + command);
    EXPECT_TRUE(HasLine(out, "-  Max Messages Per Sec.: \"30\"")) << out;
    EXPECT_TRUE(HasLine(out, "+  Max Messages Per Sec.: \"20\"")) << out;
    EXPECT_TRUE(HasLine(out, "+  GBP 2026-06-01 Customize")) << out;
    EXPECT_TRUE(HasLine(out, "-  Security ID: \"EUR-KELIBOR-3M\"")) << out;
    EXPECT_FALSE(ShowsPartOf(out, kSecret)) << out;
    EXPECT_FALSE(ShowsPartOf(out, kOtherSecret)) << out;
    EXPECT_EQ(out.find("<Property"), std::string::npos) << out;
  }

  // Run again, it keeps what is there; outside a repository it says so.
  const ToolResult again = RunTool({"git-setup", repo}, onPath);
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(std::count(again.out.begin(), again.out.end(), '\n'), 7);
  EXPECT_NE(again.out.find("kept in"), std::string::npos);
  // A folder that is not there is no repository (one around the test would be).
  const ToolResult outside = RunTool({"git-setup", Path("no-such-folder")});
  EXPECT_EQ(outside.exitCode, 3) << outside.err;
}

// git on its own in a repository of the test's scratch folder: no configuration of
// the machine or the user comes in, and the hcdtool on PATH is this one unless
// withTool is false.
class GitReview : public Review {
 protected:
  void SetUp() override {
    Review::SetUp();
    if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no git";
    repo_ = Path("repo");
    fs::create_directories(repo_);
    Git("init -q");
    ASSERT_TRUE(fs::is_directory(Path("repo/.git")));
    Git("config user.email reviewer@bank.example");
    Git("config user.name Reviewer");
  }
  // git's output and exit status.
  std::pair<int, std::string> GitStatus(const std::string& args, bool withTool = true) {
    const std::string tool = fs::path(ToolPath()).parent_path().string();
    const std::string command =
        "cd '" + repo_ + "' && HOME='" + Path("") +
        "' GIT_CONFIG_NOSYSTEM=1 PATH=" + (withTool ? "'" + tool + "':" : std::string()) +
        "\"$PATH\" git " + args + " >'" + Path("git.out") + "' 2>&1";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(Path("git.out"))};
  }
  std::string Git(const std::string& args) {
    auto [status, out] = GitStatus(args);
    EXPECT_EQ(status, 0) << args << ": " << out;
    return out;
  }
  ToolResult Setup(const std::vector<std::string>& more = {}, bool withTool = true) {
    std::vector<std::string> args = {"git-setup"};
    args.insert(args.end(), more.begin(), more.end());
    args.push_back(repo_);
    ToolLimits limits;
    if (withTool)
      limits.environment.push_back("PATH=" + fs::path(ToolPath()).parent_path().string() + ":" +
                                   std::getenv("PATH"));
    return RunTool(args, limits);
  }
  std::string repo_;
};

// What git-setup finds is checked before anything is written: a setting someone else
// made is kept (exit 1), a setting of several values and a link for .gitattributes
// are refused (exit 3), and in every case neither .gitattributes nor the config
// changes.
TEST_F(GitReview, SetupChecksEverythingFirstAndKeepsWhatIsThere) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    int exit;
    std::string said;
  };
  const std::vector<Case> cases = {
      {"another textconv", [&] { Git("config diff.hcd-handler.textconv 'cat -A'"); }, 1,
       "diff.hcd-handler.textconv \"cat -A\" already"},
      {"several values",
       [&] {
         Git("config diff.hcd-static.textconv one");
         Git("config --add diff.hcd-static.textconv two");
       },
       3, "several values of diff.hcd-static.textconv"},
      {"an immutable config",
       [&] {
         if (std::system(("chattr +i '" + Path("repo/.git/config") + "' 2>/dev/null").c_str()) != 0)
           std::cerr << "(no immutable mark here: the config is refused as read-only)\n",
               fs::permissions(Path("repo/.git/config"), fs::perms::owner_write,
                               fs::perm_options::remove);
       },
       3, ".git/config\": the file is read-only"},
      {".gitattributes a link out of the repository",
       [&] {
         Write("outside/attrs", "*.bin binary\n");
         fs::create_symlink("../outside/attrs", Path("repo/.gitattributes"));
       },
       3, "symbolic link"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(Path("repo/.gitattributes"));
    Git("config --remove-section diff.hcd-handler 2>/dev/null; true");
    Git("config --remove-section diff.hcd-static 2>/dev/null; true");
    c.arrange();
    const std::string config = ReadAll(Path("repo/.git/config"));
    const std::string outside = ReadAll(Path("outside/attrs"));
    const bool linked = fs::is_symlink(Path("repo/.gitattributes"));
    const ToolResult r = Setup();
    EXPECT_EQ(r.exitCode, c.exit) << r.out << r.err;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadAll(Path("repo/.git/config")), config);
    EXPECT_EQ(ReadAll(Path("outside/attrs")), outside);
    if (!linked) {
      EXPECT_FALSE(fs::exists(Path("repo/.gitattributes")));
    }
    std::system(("chattr -i '" + Path("repo/.git/config") + "' 2>/dev/null").c_str());
    fs::permissions(Path("repo/.git/config"), fs::perms::owner_write, fs::perm_options::add);
  }

  // --replace takes another textconv's place; one git-setup wrote is brought up to
  // date without asking.
  fs::remove(Path("repo/.gitattributes"));
  Git("config --unset-all diff.hcd-static.textconv; true");
  Git("config diff.hcd-static.textconv 'hcdtool show --static'");
  const ToolResult replaced = Setup({"--replace"});
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_EQ(Git("config diff.hcd-handler.textconv"), "hcdtool show --textconv --handler\n");
  EXPECT_EQ(Git("config diff.hcd-static.textconv"), "hcdtool show --textconv --static\n");

  // Without an hcdtool on PATH the textconv names this one by its path.
  Git("config --remove-section diff.hcd-handler");
  const ToolResult bare = Setup({}, false);
  EXPECT_EQ(bare.exitCode, 0) << bare.err;
  EXPECT_NE(bare.out.find("no hcdtool is on PATH"), std::string::npos) << bare.out;
  EXPECT_EQ(Git("config diff.hcd-handler.textconv"),
            fs::canonical(ToolPath()).string() + " show --textconv --handler\n");
}

// A review through git shows every change plan calls one: a configuration version, a
// property no control shows, a password replaced (as a keyed digest, never any part
// of it); and a file that is no configuration never stops git.
TEST_F(GitReview, GitShowsWhatThePageDoesNotAndNeverStops) {
  EditedHandler("repo/desk/handler.xml", std::string("set \"Password:\" \"") + kSecret + "\"\n");
  Write("repo/desk/static/eur.xml", ReadAll(fs::path(kExamples) / "static.xml"));
  ASSERT_EQ(Setup().exitCode, 0);
  const std::string key = Git("config hcdtool.digestkey");
  EXPECT_EQ(key.size(), 65u) << key;
  EXPECT_EQ(Git("ls-files --others --exclude-standard").find("digestkey"), std::string::npos);
  Git("add -A");
  Git("commit -q -m first");

  const auto commit = [&](const std::string& message) {
    Git("commit -q -a -m '" + message + "'");
    return Git("--no-pager show HEAD");
  };
  std::string handler = ReadAll(Path("repo/desk/handler.xml"));
  Write("repo/desk/handler.xml", Replaced(handler, "\"ConfigurationVersion\" Type=\"Int\">1<",
                                          "\"ConfigurationVersion\" Type=\"Int\">7<"));
  std::string shown = commit("version");
  EXPECT_TRUE(HasLine(shown, "+  ConfigurationVersion: 7")) << shown;

  handler = ReadAll(Path("repo/desk/static/eur.xml"));
  Write("repo/desk/static/eur.xml",
        Replaced(handler, "</Properties>",
                 "  <Property Name=\"Extra\" Type=\"String\">a b</Property>\n</Properties>"));
  shown = commit("extra");
  EXPECT_TRUE(HasLine(shown, "+  Extra: \"a b\"")) << shown;

  Write("edit.script", std::string("set \"Password:\" \"") + kOtherSecret + "\"\nok\n");
  ASSERT_EQ(
      RunTool({"edit", Path("repo/desk/handler.xml"), "--script", Path("edit.script")}).exitCode,
      0);
  shown = commit("password");
  const std::vector<std::string> lines = Lines(shown);
  const auto digests = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("-  Password: ", 0) == 0 || line.rfind("+  Password: ", 0) == 0;
  });
  EXPECT_EQ(digests, 2) << shown;
  EXPECT_FALSE(ShowsPartOf(shown, kSecret)) << shown;
  EXPECT_FALSE(ShowsPartOf(shown, kOtherSecret)) << shown;

  // Without the key, nothing but whether a password is set, and that a replaced one
  // cannot show.
  const ToolResult keyless =
      RunTool({"show", "--textconv", "--handler", Path("repo/desk/handler.xml")});
  EXPECT_EQ(keyless.out.find("keyed by this clone"), std::string::npos) << keyless.out;
  EXPECT_NE(keyless.out.find("Password digests: none without a key"), std::string::npos)
      << keyless.out;

  // Not a configuration at all: shown as stored, after one line that says why.
  Write("repo/desk/handler.xml", "just notes\n");
  Write("repo/desk/dynamic/x.xml", std::string("\0\x01", 2));
  Git("add -A");
  auto [status, log] = GitStatus("--no-pager log -p");
  EXPECT_EQ(status, 0) << log;
  shown = commit("notes");
  EXPECT_NE(shown.find("+hcdtool: "), std::string::npos) << shown;
  EXPECT_TRUE(HasLine(shown, "+just notes")) << shown;
  std::tie(status, log) = GitStatus("--no-pager log -p");
  EXPECT_EQ(status, 0) << log;
  EXPECT_EQ(log.find("fatal"), std::string::npos) << log;
}

}  // namespace
