// get, and set over many files: values by the labels show prints, all or nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ExampleText.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

// A tree of handler folders h001... each holding the example handler, and a folder
// h000 with the example record sets.
class BatchTest : public ::testing::Test {
 protected:
  static std::string Rel(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "tree/h%03d/handler.xml", i);
    return name;
  }
  std::string Handler(int i) const { return scratch_.Path(Rel(i)); }
  void MakeTree(int handlers, const std::string& content = Example("handler.xml")) {
    for (int i = 1; i <= handlers; ++i) scratch_.Write(Rel(i), content);
  }
  std::string Tree() const { return scratch_.Path("tree"); }
  // Every file under the tree, by its path, with its bytes.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Tree()))
      if (entry.is_regular_file()) files[entry.path().string()] = ReadAll(entry.path());
    return files;
  }

  const ScratchFolder scratch_{"batch", SCRATCH_DIR};
};

std::string Get(const std::string& file, const std::string& label) {
  const ToolResult got = RunTool({"get", file, label});
  EXPECT_EQ(got.exitCode, 0) << got.err;
  return got.out;
}

// One case of the table: what set is given, and what get then prints.
struct SetCase {
  const char* what;
  const char* file;  // "handler" or "static"
  std::vector<std::string> assignments;
  const char* getLabel;
  const char* shown;  // get's line
};

TEST_F(BatchTest, SetsEachKindOfControlByItsLabelAndGetReadsItBack) {
  const std::vector<SetCase> cases = {
      {"edit box, label without its colon",
       "handler",
       {"Max Messages Per Sec.=45"},
       "Max Messages Per Sec.:",
       "\"45\"\n"},
      {"edit box, label with its colon", "handler", {"Username:=ops"}, "Username", "\"ops\"\n"},
      {"check box off",
       "handler",
       {"Suppress output during bank holiday=off"},
       "Suppress output during bank holiday",
       "[ ]\n"},
      {"radio button, group prefix",
       "handler",
       {"System Setting/Production=on"},
       "Production",
       "(o)\n"},
      {"check box then the edit box it enables",
       "handler",
       {"Enable Proxy=on", "System default proxy setting=on"},
       "Address",
       "\"proxy.bank.example\" (disabled)\n"},
      {"combo box with a text field",
       "static",
       {"Party ID Source=G - Custom"},
       "Party ID Source",
       "\"G - Custom\"\n"},
      {"text outside ASCII, stored as ISO-8859-1",
       "static",
       {"Party ID=Zürich"},
       "Party ID",
       "\"Zürich\"\n"},
      {"check box on a record set",
       "static",
       {"Write response Benchmark Report to CSV file=off"},
       "File Location",
       "\"/var/lib/kelo/benchmark-report.csv\" (disabled)\n"},
  };
  for (const SetCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = std::string(c.file) == "handler" ? scratch_.Path("h/handler.xml")
                                                              : scratch_.Path("h/static/eur.xml");
    scratch_.Write(fs::relative(file, scratch_.path()).string(),
                   Example(std::string(c.file) == "handler" ? "handler.xml" : "static.xml"));
    std::vector<std::string> args = {"set", file};
    args.insert(args.end(), c.assignments.begin(), c.assignments.end());
    const ToolResult set = RunTool(args);
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.out.find("1 changed, 0 unchanged, 0 refused"), std::string::npos) << set.out;
    EXPECT_EQ(Get(file, c.getLabel), c.shown);
  }
}

// A name that does not name one control, or a value the control cannot take, is a
// usage error before any file is read.
TEST_F(BatchTest, RefusesWhatNamesNoControlOrFitsNone) {
  MakeTree(2);
  const auto before = Snapshot();
  const struct {
    std::vector<std::string> assignment;
    const char* said;
  } cases[] = {
      {{"Max Mesages=20"}, "did you mean \"Max Messages Per Sec.\"?"},
      {{"Nothing like it=1"}, "its labels: \"Enable Proxy\""},
      {{"Enable Proxy=yes"}, "give on or off"},
      {{"Testing=off"}, "is a radio button: give on"},
      {{"Username=\xE2\x82\xAC"}, "ISO-8859-1"},
      {{"Password=hunter2"}, "give --stdin Password"},
      {{"=20"}, "expected LABEL=VALUE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.assignment.front());
    std::vector<std::string> args = {"set", Tree()};
    args.insert(args.end(), c.assignment.begin(), c.assignment.end());
    const ToolResult set = RunTool(args);
    EXPECT_EQ(set.exitCode, 2) << set.err;
    EXPECT_NE(set.err.find(c.said), std::string::npos) << set.err;
    EXPECT_EQ(set.err.find("hunter2"), std::string::npos);
    EXPECT_TRUE(set.out.empty()) << set.out;
  }
  const ToolResult get = RunTool({"get", Handler(1), "Max Mesages"});
  EXPECT_EQ(get.exitCode, 2);
  EXPECT_NE(get.err.find("did you mean \"Max Messages Per Sec.\"?"), std::string::npos);
  EXPECT_EQ(Snapshot(), before);
}

// The label rule itself, on a page where two controls share a label, is tested with the
// lookup (PageLabelsTest); here, what a user reads.
TEST_F(BatchTest, GetPrintsAsShowDoesAndJsonAsShowsJson) {
  MakeTree(1);
  EXPECT_EQ(Get(Handler(1), "Password"), "(set)\n");
  EXPECT_EQ(Get(Handler(1), "Enable Proxy"), "[x]\n");
  const ToolResult json = RunTool({"get", Handler(1), "Port", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const auto document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["kind"], "handler");
  EXPECT_EQ(document["control"]["value"], "8080");
  EXPECT_EQ(document["control"]["kind"], "edit");
  EXPECT_EQ(document["control"]["group"], "Proxy Setting");
}

// What get prints, set takes back: every control of each page that set can reach,
// given the line get prints for it, leaves the file unchanged; and get --json carries
// the same line.
TEST_F(BatchTest, SetTakesBackWhatGetPrints) {
  for (const char* place : {"h/handler.xml", "h/static/eur.xml", "h/dynamic/eur.xml"}) {
    const std::string example = std::string(place) == "h/handler.xml"      ? "handler.xml"
                                : std::string(place) == "h/static/eur.xml" ? "static.xml"
                                                                           : "dynamic.xml";
    scratch_.Write(place, Example(example));
    const std::string file = scratch_.Path(place);
    const ToolResult labels = RunTool({"get", file, "--labels"});
    ASSERT_EQ(labels.exitCode, 0) << labels.err;
    std::istringstream lines(labels.out);
    int tried = 0;
    for (std::string label; std::getline(lines, label);) {
      SCOPED_TRACE(std::string(place) + ": " + label);
      const std::string shown = Get(file, label);
      ASSERT_FALSE(shown.empty());
      const std::string value = shown.substr(0, shown.size() - 1);
      const ToolResult json = RunTool({"get", file, label, "--json"});
      ASSERT_EQ(json.exitCode, 0) << json.err;
      EXPECT_EQ(nlohmann::json::parse(json.out)["shown"], value);
      // What set cannot do whatever the value: a disabled control, a list changed
      // through its dialogs, a password, a radio button to clear.
      if (value.ends_with("(disabled)") || value.ends_with(" rows\"") || value == "(set)" ||
          value == "( )")
        continue;
      const ToolResult set = RunTool({"set", file, label + "=" + value, "--dry-run"});
      EXPECT_EQ(set.exitCode, 0) << set.err;
      EXPECT_NE(set.out.find("0 changed, 1 unchanged, 0 refused"), std::string::npos) << set.out;
      ++tried;
    }
    EXPECT_GT(tried, 0);
  }
  // And the forms change what they name.
  const std::string handler = scratch_.Path("h/handler.xml");
  ASSERT_EQ(RunTool({"set", handler, "Enable Proxy=[ ]", "Max Messages Per Sec.=\"45\""}).exitCode,
            0);
  EXPECT_EQ(Get(handler, "Enable Proxy"), "[ ]\n");
  EXPECT_EQ(Get(handler, "Max Messages Per Sec."), "\"45\"\n");
}

// A value read from stdin may be a secret typed for the wrong label: it goes to a
// password box only, and no message repeats it.
TEST_F(BatchTest, AValueFromStdinIsNeverRepeated) {
  MakeTree(1);
  const std::string input = scratch_.Path("value.txt");
  WriteAll(input, "s3cret-Value\n");
  for (const char* label : {"Enable Proxy", "Production", "Username"}) {
    SCOPED_TRACE(label);
    ToolLimits limits;
    limits.stdinFrom = input;
    const ToolResult set = RunTool({"set", Handler(1), "--stdin", label}, limits);
    EXPECT_EQ(set.exitCode, 2) << set.err;
    EXPECT_NE(set.err.find("is no password box"), std::string::npos) << set.err;
    EXPECT_EQ(set.out.find("s3cret"), std::string::npos) << set.out;
    EXPECT_EQ(set.err.find("s3cret"), std::string::npos) << set.err;
  }
}

// Labels as people type them, and the lists the completion offers.
TEST_F(BatchTest, GetFindsALabelAsTypedAndListsLabelsAndCurrencies) {
  MakeTree(1);
  EXPECT_EQ(Get(Handler(1), "  max messages PER sec "), "\"30\"\n");
  EXPECT_EQ(Get(Handler(1), "proxy setting/address."), Get(Handler(1), "Address"));
  const ToolResult labels = RunTool({"get", Handler(1), "--labels"});
  ASSERT_EQ(labels.exitCode, 0) << labels.err;
  EXPECT_NE(labels.out.find("\nMax Messages Per Sec.\n"), std::string::npos) << labels.out;
  const ToolResult currencies = RunTool({"get", Handler(1), "--currencies"});
  ASSERT_EQ(currencies.exitCode, 0) << currencies.err;
  EXPECT_EQ(currencies.out, "EUR\nGBP\nUSD\n");
  const ToolResult json = RunTool({"get", Handler(1), "--currencies", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_EQ(nlohmann::json::parse(json.out)["currencies"],
            nlohmann::json::array({"EUR", "GBP", "USD"}));
  EXPECT_EQ(RunTool({"get", Handler(1), "--labels", "--currencies"}).exitCode, 2);
  EXPECT_EQ(RunTool({"get", Handler(1), "Port", "--labels"}).exitCode, 2);
}

// --kind reaches the files of one kind: the Security ID of the static record sets
// alone, though the dynamic page has one too.
TEST_F(BatchTest, KindReachesTheFilesOfOneKindOnly) {
  MakeTree(1);
  scratch_.Write("tree/h001/static/eur.xml", Example("static.xml"));
  scratch_.Write("tree/h001/dynamic/eur.xml", Example("dynamic.xml"));
  const std::string dynamicBefore = ReadAll(scratch_.Path("tree/h001/dynamic/eur.xml"));
  const std::string handlerBefore = ReadAll(Handler(1));
  const ToolResult set = RunTool({"set", Tree(), "--kind", "static", "Security ID=XS0000000001"});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.out.find("1 changed, 0 unchanged, 0 refused"), std::string::npos) << set.out;
  EXPECT_EQ(Get(scratch_.Path("tree/h001/static/eur.xml"), "Security ID"), "\"XS0000000001\"\n");
  EXPECT_EQ(ReadAll(scratch_.Path("tree/h001/dynamic/eur.xml")), dynamicBefore);
  EXPECT_EQ(ReadAll(Handler(1)), handlerBefore);

  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* said;
  } cases[] = {
      // A file named whose place tells another kind is left out; none left is an error.
      {{"set", Handler(1), "--kind", "static", "Security ID=X"}, 3, "no static configuration"},
      {{"set", Tree(), "--kind", "record", "Security ID=X"}, 2, "--kind takes handler"},
      {{"apply", "SCRIPT", Tree(), "--kind", "static", "--static"}, 2, "not both"},
      {{"add-holidays", Tree(), "--kind", "static", "--currency", "GBP", "--year", "2026"},
       2,
       "--kind takes handler only"},
      {{"remove-holidays", scratch_.Path("tree/h001/static/eur.xml"), "--kind", "handler",
        "--currency", "GBP", "--all"},
       3,
       "no handler configuration"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.said);
    const ToolResult run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
  }

  // apply and the holiday commands reach their kind the same way.
  const std::string script = scratch_.Path("security.script");
  WriteAll(script, "set \"Security ID:\" \"XD0000000002\"\n");
  const ToolResult applied = RunTool({"apply", script, Tree(), "--kind", "dynamic"});
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_NE(applied.out.find("1 changed, 0 unchanged, 0 refused"), std::string::npos)
      << applied.out;
  EXPECT_EQ(Get(scratch_.Path("tree/h001/dynamic/eur.xml"), "Security ID"), "\"XD0000000002\"\n");
  const ToolResult added = RunTool(
      {"add-holidays", Tree(), "--kind", "handler", "--currency", "GBP", "--date", "2026-08-03"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_NE(added.out.find("1 changed, 0 unchanged, 0 refused"), std::string::npos) << added.out;
}

TEST_F(BatchTest, APasswordComesFromStdinAndIsNeverShown) {
  MakeTree(3);
  const std::string secret = "n3w-Secret";
  const std::string input = scratch_.Path("password.txt");
  WriteAll(input, secret + "\n");
  for (const bool dry : {true, false}) {
    std::vector<std::string> args = {"set", Tree(), "--stdin", "Password"};
    if (dry) args.push_back("--dry-run");
    ToolLimits limits;
    limits.stdinFrom = input;
    const ToolResult set = RunTool(args, limits);
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.out.find("  Password: changed\n"), std::string::npos) << set.out;
    EXPECT_EQ(set.out.find(secret), std::string::npos);
    EXPECT_EQ(set.err.find(secret), std::string::npos);
  }
  // The new password is stored as the page stores one: not as typed.
  EXPECT_EQ(ReadAll(Handler(2)).find(secret), std::string::npos);
  EXPECT_EQ(Get(Handler(2), "Password"), "(set)\n");
}

TEST_F(BatchTest, ShowsTheSameChangeOnceWithItsFilesThenTheTotals) {
  MakeTree(3);

  // h002 holds the rate already: unchanged, and left byte for byte.
  ASSERT_EQ(RunTool({"set", Handler(2), "Max Messages Per Sec.=12"}).exitCode, 0);
  const std::string kept = ReadAll(Handler(2));
  for (const bool dry : {true, false}) {
    std::vector<std::string> args = {"set", Tree(), "Max Messages Per Sec.=12"};
    if (dry) args.push_back("--dry-run");
    const ToolResult set = RunTool(args);
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const std::string tree = Tree() + "/";
    EXPECT_EQ(set.out, tree + "h001/handler.xml\n" + tree +
                           "h003/handler.xml\n"
                           "  Max Messages Per Sec.: \"30\" \u2192 \"12\"\n"
                           "2 changed, 1 unchanged, 0 refused" +
                           (dry ? " (dry run: nothing was written)\n" : "\n"));
    EXPECT_EQ(Get(Handler(1), "Max Messages Per Sec."), dry ? "\"30\"\n" : "\"12\"\n");
  }
  EXPECT_EQ(ReadAll(Handler(2)), kept);

  const ToolResult json = RunTool({"set", Tree(), "Port=9090", "--json", "--dry-run"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const auto document = nlohmann::json::parse(json.out);
  EXPECT_EQ(document["files"].size(), 3u);
  EXPECT_EQ(document["files"][0]["status"], "changed");
  EXPECT_EQ(document["files"][0]["controls"][0]["label"], "Port");
  EXPECT_EQ(document["totals"]["changed"], 3);
  EXPECT_EQ(document["written"], false);
}

TEST_F(BatchTest, ARefusalInFile37Of50ChangesNone) {
  MakeTree(50);
  std::string refusing = Example("handler.xml");
  const std::string sender = "\"SID\" Type=\"String\">BANK01<";
  ASSERT_NE(refusing.find(sender), std::string::npos);
  refusing.replace(refusing.find(sender), sender.size(), "\"SID\" Type=\"String\"><");
  scratch_.Write(Rel(37), refusing);
  const auto before = Snapshot();
  const ToolResult set = RunTool({"set", Tree(), "Max Messages Per Sec.=20", "Port=3128"});
  EXPECT_EQ(set.exitCode, 1) << set.err;
  EXPECT_NE(set.out.find("h037/handler.xml: refused: SenderCompID can not be empty\n"),
            std::string::npos)
      << set.out;
  EXPECT_NE(set.out.find("49 changed, 0 unchanged, 1 refused; nothing was written\n"),
            std::string::npos)
      << set.out;
  // Nothing replaced, and nothing left beside the files: no temporary, no journal.
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(BatchTest, AFileHeldByAnotherEditOrReadOnlyChangesNone) {
  MakeTree(20);
  const auto before = Snapshot();
  {
    const int held = ::open(Handler(11).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const ToolResult set = RunTool({"set", Tree(), "Max Messages Per Sec.=20"});
    ::close(held);
    EXPECT_EQ(set.exitCode, 3) << set.err;
    EXPECT_NE(set.out.find("h011/handler.xml\": another edit holds it"), std::string::npos)
        << set.out;
  }
  fs::permissions(Handler(5), fs::perms::owner_read);
  const ToolResult set = RunTool({"set", Tree(), "Max Messages Per Sec.=20"});
  fs::permissions(Handler(5), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(set.exitCode, 3) << set.err;
  EXPECT_NE(set.out.find("h005/handler.xml: failed:"), std::string::npos) << set.out;
  EXPECT_EQ(Snapshot(), before);
}

// Each file is locked, and so open, until the last is replaced: a thousand files under
// the usual limit of 1,024 open files must still pass.
TEST_F(BatchTest, HoldsAThousandFilesUnderTheUsualOpenFileLimit) {
  MakeTree(1000);
  ToolLimits limits;
  limits.maxOpenFiles = 1024;
  const ToolResult set = RunTool({"set", Tree(), "Max Messages Per Sec.=20"}, limits);
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.out.find("1000 changed, 0 unchanged, 0 refused\n"), std::string::npos);
  // Under a limit it cannot raise, a run too large is refused before it starts.
  limits.maxOpenFiles = 512;
  const auto before = Snapshot();
  const ToolResult refused = RunTool({"set", Tree(), "Max Messages Per Sec.=21"}, limits);
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_NE(refused.err.find("may open 512 files at once"), std::string::npos) << refused.err;
  EXPECT_EQ(Snapshot(), before);
}

// A dry run holds no file beyond the one it reads, so no limit on open files stops it;
// a real run under a limit too low says the limit and what to allow.
TEST_F(BatchTest, ADryRunHoldsNothingOpenAndALimitTooLowIsNamed) {
  MakeTree(50);
  const auto before = Snapshot();
  ToolLimits limits;
  limits.maxOpenFiles = 60;
  const ToolResult dry = RunTool({"set", Tree(), "Port=9", "--dry-run"}, limits);
  EXPECT_EQ(dry.exitCode, 0) << dry.err;
  EXPECT_NE(dry.out.find("50 changed, 0 unchanged, 0 refused (dry run"), std::string::npos)
      << dry.out;
  const ToolResult real = RunTool({"set", Tree(), "Port=9"}, limits);
  EXPECT_EQ(real.exitCode, 3);
  EXPECT_NE(real.err.find("this process may open 60 files at once (ulimit -n"), std::string::npos)
      << real.err;
  EXPECT_NE(real.err.find("allow at least 74"), std::string::npos) << real.err;
  EXPECT_EQ(Snapshot(), before);
}

// A file named twice, by two PATHs or through a link in the tree, is one file: it is
// changed once and said so; as two kinds at once it is refused, naming both.
TEST_F(BatchTest, AFileNamedTwiceIsChangedOnceAndNamed) {
  MakeTree(3);
  fs::remove(Handler(3));
  fs::create_symlink("../h001/handler.xml", Handler(3));
  const ToolResult set = RunTool({"set", Tree(), Tree() + "/h001", "Port=3333"});
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.err.find(Tree() + "/h001/handler.xml is named more than once by the paths "
                                  "given: it is changed once"),
            std::string::npos)
      << set.err;
  EXPECT_NE(set.err.find(Tree() + "/h003/handler.xml is the same file as " + Tree() +
                         "/h001/handler.xml"),
            std::string::npos)
      << set.err;
  EXPECT_NE(set.out.find("2 changed, 0 unchanged, 0 refused\n"), std::string::npos) << set.out;
  EXPECT_EQ(Get(Handler(1), "Port"), "\"3333\"\n");
  EXPECT_TRUE(fs::is_symlink(Handler(3)));

  // A record set that is a link to a handler configuration: two pages for one file.
  fs::create_directories(scratch_.Path("tree/h002/static"));
  fs::create_symlink("../handler.xml", scratch_.Path("tree/h002/static/eur.xml"));
  const auto before = Snapshot();
  const ToolResult refused = RunTool({"set", Tree() + "/h002", "Port=1", "Party ID=X"});
  EXPECT_EQ(refused.exitCode, 2) << refused.err;
  EXPECT_NE(refused.err.find("is the same file as"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("but of another kind; name it once"), std::string::npos)
      << refused.err;
  EXPECT_EQ(Snapshot(), before);
}

// Output that cannot be written is found before any file is replaced: nothing is, and
// the error says so.
TEST_F(BatchTest, OutputThatCannotBeWrittenIsFoundBeforeAnyFileIsReplaced) {
  MakeTree(3);
  const auto before = Snapshot();
  for (const ToolStdout to : {ToolStdout::DevFull, ToolStdout::ClosedPipe}) {
    for (const bool json : {true, false}) {
      SCOPED_TRACE(std::string(json ? "json" : "text") +
                   (to == ToolStdout::DevFull ? ", /dev/full" : ", a closed pipe"));
      ToolLimits limits;
      limits.stdoutTo = to;
      std::vector<std::string> args = {"set", Tree(), "Port=32"};
      if (json) args.push_back("--json");
      const ToolResult set = RunTool(args, limits);
      EXPECT_EQ(set.exitCode, 3);
      EXPECT_NE(set.err.find("cannot write the output"), std::string::npos) << set.err;
      EXPECT_NE(set.err.find("nothing was written"), std::string::npos) << set.err;
      EXPECT_EQ(Snapshot(), before);
    }
  }
}

// The holiday commands, each through the dialog's own buttons, checked by what show
// then lists and by the review they print.
TEST_F(BatchTest, ChangesTheCalendarThroughTheHolidayDialog) {
  const struct {
    const char* what;
    std::vector<std::string> args;
    const char* review;  // a line the review holds; "" for an unchanged file
    const char* shown;   // a line show lists after, or that it no longer lists ("-...")
  } cases[] = {
      {"a year's rule holidays",
       {"add-holidays", "--currency", "GBP", "--year", "2026"},
       "    + 2026-12-25 Christmas Day\n",
       "  GBP 2026-12-25 Christmas Day\n"},
      {"one date, a new currency",
       {"add-holidays", "--currency", "CHF", "--date", "2026-08-03"},
       "  holidays CHF:\n    + 2026-08-03 Customize\n",
       "  CHF 2026-08-03 Customize\n"},
      {"a date there already",
       {"add-holidays", "--currency", "EUR", "--date", "2025-12-25"},
       "",
       "  EUR 2025-12-25 Customize\n"},
      {"a calendar file",
       {"add-holidays", "--currency", "GBP", "--file",
        std::string(EXAMPLES_DIR) + "/calendars/england-and-wales-2022-2023.ics"},
       "    + 2023-05-08 ",
       "  GBP 2023-05-08 "},
      {"one date removed",
       {"remove-holidays", "--currency", "USD", "--date", "2025-07-04"},
       "    - 2025-07-04 Independence Day\n",
       "-  USD 2025-07-04 Independence Day\n"},
      {"a year removed",
       {"remove-holidays", "--currency", "GBP", "--year", "2025"},
       "    - 2025-12-26 Boxing Day\n",
       "-  GBP 2025-"},
      {"all removed",
       {"remove-holidays", "--currency", "EUR", "--all"},
       "    - 2025-05-01 Labour Day\n",
       "  EUR: no holidays\n"},
      {"a currency the file lacks",
       {"remove-holidays", "--currency", "JPY", "--all"},
       "",
       "  USD 2025-07-04 Independence Day\n"},
      {"three currencies' year and a company day, in one run",
       {"add-holidays", "--currency", "GBP", "--currency", "EUR", "--currency=USD", "--year",
        "2027", "--date", "2027-03-12"},
       "    + 2027-01-18 MLK Day\n",
       "  EUR 2027-03-12 Customize\n"},
      {"a year and a date removed together",
       {"remove-holidays", "--currency", "GBP", "--year", "2025", "--date", "2025-07-04",
        "--currency", "USD"},
       "  holidays USD:\n    - 2025-07-04 Independence Day\n",
       "-  GBP 2025-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    scratch_.Write(Rel(1), Example("handler.xml"));
    std::vector<std::string> args = c.args;
    args.insert(args.begin() + 1, Tree());
    const ToolResult run = RunTool(args);
    ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
    if (*c.review == '\0')
      EXPECT_NE(run.out.find("0 changed, 1 unchanged, 0 refused\n"), std::string::npos) << run.out;
    else
      EXPECT_NE(run.out.find(c.review), std::string::npos) << run.out;
    const std::string shown = RunTool({"show", Handler(1)}).out;
    if (*c.shown == '-')
      EXPECT_EQ(shown.find(c.shown + 1), std::string::npos) << shown;
    else
      EXPECT_NE(shown.find(c.shown), std::string::npos) << shown;
  }
}

// The dialog opens only while "Suppress output during bank holiday" is marked: a box
// found unmarked is said, and stays unmarked unless --mark is given.
TEST_F(BatchTest, AHolidayChangeSaysWhereTheBankHolidayBoxIsUnmarked) {
  const std::string box = "Suppress output during bank holiday";
  MakeTree(2);
  ASSERT_EQ(RunTool({"set", Handler(2), box + "=off"}).exitCode, 0);
  const ToolResult added =
      RunTool({"add-holidays", Tree(), "--currency", "GBP", "--date", "2026-08-03"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_NE(added.out.find("h002/handler.xml: note: \"" + box + "\" is unmarked here"),
            std::string::npos)
      << added.out;
  EXPECT_EQ(added.out.find("h001/handler.xml: note"), std::string::npos) << added.out;
  EXPECT_EQ(Get(Handler(2), box), "[ ]\n");
  EXPECT_NE(RunTool({"show", Handler(2)}).out.find("  GBP 2026-08-03 Customize\n"),
            std::string::npos);

  const ToolResult marked =
      RunTool({"add-holidays", Tree(), "--currency", "GBP", "--date", "2026-08-04", "--mark"});
  ASSERT_EQ(marked.exitCode, 0) << marked.err;
  EXPECT_NE(marked.out.find("marked as asked"), std::string::npos) << marked.out;
  EXPECT_EQ(Get(Handler(2), box), "[x]\n");
}

TEST_F(BatchTest, AppliesAScriptToEveryFileOrToNone) {
  MakeTree(3);
  const std::string script = scratch_.Path("rate.script");
  WriteAll(script, "set \"Max Messages Per Sec.:\" 15\nclick \"Holiday setting\"\nok\nok\n");
  const ToolResult applied = RunTool({"apply", script, Tree()});
  ASSERT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_NE(applied.out.find("3 changed, 0 unchanged, 0 refused\n"), std::string::npos);
  EXPECT_EQ(Get(Handler(3), "Max Messages Per Sec."), "\"15\"\n");

  // A file where the script cannot do what it says refuses, naming the line; none
  // changes.
  ASSERT_EQ(RunTool({"set", Handler(2), "Suppress output during bank holiday=off"}).exitCode, 0);
  WriteAll(script, "set \"Max Messages Per Sec.:\" 16\nclick \"Holiday setting\"\nok\nok\n");
  const auto before = Snapshot();
  const ToolResult refused = RunTool({"apply", script, Tree()});
  EXPECT_EQ(refused.exitCode, 1) << refused.err;
  EXPECT_NE(refused.out.find("h002/handler.xml: refused: script line 2:"), std::string::npos)
      << refused.out;
  EXPECT_EQ(Snapshot(), before);

  WriteAll(script, "set \"unclosed\n");
  const ToolResult bad = RunTool({"apply", script, Tree()});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("rate.script"), std::string::npos) << bad.err;

  // A script with nothing in it, or a pipe nobody wrote into, is no reason to call
  // every file unchanged.
  WriteAll(script, "# only a comment\n");
  const ToolResult empty = RunTool({"apply", script, Tree(), "--dry-run"});
  EXPECT_EQ(empty.exitCode, 2);
  EXPECT_NE(empty.err.find("the script holds no action"), std::string::npos) << empty.err;
}

// Ctrl+C at any moment: all old when the run says it stopped before the replacement;
// all new when it finished, a Ctrl+C during the replacement having waited for its end.
TEST_F(BatchTest, AnInterruptAtAnyMomentLeavesEveryFileOldOrNew) {
  MakeTree(500);
  std::mt19937 random(std::random_device{}());
  int stopped = 0;
  int finished = 0;
  for (int round = 0; round < 8; ++round) {
    const auto previous = Snapshot();
    const std::string value = std::to_string(100 + round);
    ToolLimits limits;
    limits.signal = SIGINT;
    // From the start to past the end of a run of this size (about a third of a second).
    limits.signalAfterUs = std::uniform_int_distribution<std::int64_t>(0, 500000)(random);
    const ToolResult set = RunTool({"set", Tree(), "Max Messages Per Sec.=" + value}, limits);
    SCOPED_TRACE("Ctrl+C after " + std::to_string(limits.signalAfterUs) + " us, exit " +
                 std::to_string(set.exitCode));
    const auto now = Snapshot();
    // Nothing beside the files: no temporary, no journal.
    ASSERT_EQ(now.size(), previous.size());
    if (set.exitCode == 130) {
      ++stopped;
      // Said, unless the signal came before the run watched for it (while the module
      // loads), when nothing had been written yet.
      if (!set.err.empty()) {
        EXPECT_NE(set.err.find("every file is as it was"), std::string::npos) << set.err;
      }
      ASSERT_EQ(now, previous);
      continue;
    }
    ASSERT_EQ(set.exitCode, 0) << set.err;
    ++finished;
    // Every file was the same before; now every one holds the same new content.
    const std::string& first = now.begin()->second;
    ASSERT_NE(first, previous.begin()->second);
    for (const auto& [path, content] : now) ASSERT_EQ(content, first) << path;
    EXPECT_EQ(Get(Handler(500), "Max Messages Per Sec."), "\"" + value + "\"\n");
  }
  // Both outcomes met, or the rounds said little; printed, not required, as the
  // machine's speed decides.
  std::cout << stopped << " rounds stopped before the replacement, " << finished << " finished\n";
}

}  // namespace

namespace {

// --quiet: the change is made, and only what stops it is said, on stderr.
TEST_F(BatchTest, QuietSaysOnlyWhatStopsTheChange) {
  MakeTree(2);
  const ToolResult done = RunTool({"set", "--quiet", Tree(), "Port=3128"});
  EXPECT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(done.out, "");
  EXPECT_EQ(done.err, "");
  EXPECT_EQ(Get(Handler(2), "Port"), "\"3128\"\n");

  const auto before = Snapshot();
  const ToolResult refused = RunTool({"set", Tree(), "TargetCompID=", "--quiet"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "hcdtool: " + Handler(1) + ": refused: TargetCompID can not be empty\n" +
                             "hcdtool: " + Handler(2) +
                             ": refused: TargetCompID can not be empty\n");
  EXPECT_EQ(Snapshot(), before);

  // The review in colour, when asked for: the old value red, the new green.
  const ToolResult painted = RunTool({"set", "--dry-run", "--color=always", Tree(), "Port=8"});
  EXPECT_EQ(painted.exitCode, 0) << painted.err;
  EXPECT_NE(painted.out.find("Port: \x1b[31m\"3128\"\x1b[m \u2192 \x1b[32m\"8\"\x1b[m\n"),
            std::string::npos)
      << painted.out;
  EXPECT_EQ(RunTool({"set", "--quiet", "--json", Tree(), "Port=8"}).exitCode, 2);
}

}  // namespace
