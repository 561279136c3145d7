// Command lines that are almost right, and names that would break a line or a
// terminal: one error line that names what is wrong, and every name escaped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

const std::string kExamples = EXAMPLES_DIR;
// U+202E RIGHT-TO-LEFT OVERRIDE, which shows the rest of its line backwards.
const std::string kOverride = "\xE2\x80\xAE";

int CountLines(const std::string& text) {
  int n = 0;
  for (const char c : text) n += c == '\n';
  return n;
}

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::path(SCRATCH_DIR) / ("args-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string Path(const std::string& relative) const { return (dir_ / relative).string(); }
  void Write(const std::string& relative, const std::string& text) {
    fs::create_directories((dir_ / relative).parent_path());
    WriteAll(dir_ / relative, text);
  }
  std::string Handler() const { return kExamples + "/handler.xml"; }

  fs::path dir_;
};

// Each is one stderr line with the words that say what is wrong, and the exit code a
// script can rely on.
TEST_F(Scratch, AlmostRightCommandLinesSayWhatIsWrongOnOneLine) {
  Write("good.xml", ReadAll(Handler()));
  Write("broken.xml", ReadAll(Handler()).substr(0, 300));
  // A stored currency with a carriage return in its code.
  std::string odd = ReadAll(Handler());
  odd.replace(odd.find("EUR|GBP|USD|"), 12, "EUR|GBP|USD|Q&#13;R|");
  odd.replace(odd.find("<Property Name=\"CurrencyTable\""), 0,
              "<Property Name=\"CurrencyTable_Q&#13;R\" Type=\"String\">2026-03-02|Odd|"
              "</Property>\n  ");
  Write("odd/handler.xml", odd);

  struct Case {
    std::vector<std::string> args;
    int exit;
    std::string said;  // in the one stderr line
  };
  const std::vector<Case> cases = {
      {{"show", Handler(), "--year", ""}, 2, "--year needs a value"},
      {{"show", Handler(), "--year="}, 2, "--year needs a value"},
      {{"show", Handler(), "--year", "2026", "--currency", ""}, 2, "--currency needs a value"},
      {{"show", Handler(), "--year", "2026", "--year", "2027"}, 2, "--year given twice"},
      {{"check-change", "--handler", Path("good.xml"), Path("broken.xml")},
       3,
       Path("broken.xml") + ": line "},
      {{"check-change", "--handler", Path("broken.xml"), Path("good.xml")},
       3,
       Path("broken.xml") + ": line "},
      {{"holidays", "G|P", "2024"}, 2, "CURRENCY G|P is refused by the holiday setting dialog"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    const ToolResult r = RunTool(c.args);
    EXPECT_EQ(r.exitCode, c.exit) << r.err;
    EXPECT_EQ(CountLines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(" or "), std::string::npos) << r.err;
  }

  // A stored currency the user never gave is no fault of the command line: the
  // grid is drawn, with one note that its rule holidays are not known.
  const ToolResult year = RunTool({"show", Path("odd/handler.xml"), "--year", "2026"});
  EXPECT_EQ(year.exitCode, 0) << year.err;
  EXPECT_EQ(CountLines(year.err), 1) << year.err;
  EXPECT_NE(year.err.find("Q\\rR"), std::string::npos) << year.err;
  EXPECT_NE(year.out.find("<2026-03-02> Odd"), std::string::npos) << year.out;
  EXPECT_NE(year.out.find("GBP 2026"), std::string::npos) << year.out;
}

// A name with a bidirectional control or a C1 control reaches no terminal raw: text
// output writes its bytes \xNN, JSON writes \uXXXX.
TEST_F(Scratch, BidirectionalAndC1ControlsAreEscapedEverywhere) {
  const std::string folder = "desk" + kOverride + "lmx.xml";
  for (const char* tree : {"old", "new"})
    Write(std::string(tree) + "/" + folder + "/handler.xml", ReadAll(Handler()));
  std::string changed = ReadAll(Handler());
  changed.replace(changed.find("BANK01"), 6,
                  "BANK\x9B"
                  "1");
  Write("new/" + folder + "/handler.xml", changed);
  Write("new/" + folder + "/static/x" + kOverride + ".xml", "<Properties>");

  const std::string shown = "desk\\xE2\\x80\\xAElmx.xml";
  for (const char* command : {"plan", "diff"}) {
    SCOPED_TRACE(command);
    const ToolResult r = RunTool({command, Path("old"), Path("new")});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(r.out.find(kOverride), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(shown + "/handler.xml"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("static/x\\xE2\\x80\\xAE.xml"), std::string::npos) << r.out;
    const ToolResult json = RunTool({command, Path("old"), Path("new"), "--json"});
    EXPECT_EQ(json.out.find(kOverride), std::string::npos) << json.out;
    EXPECT_EQ(json.out.find("\xC2\x9B"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("desk\\u202elmx.xml"), std::string::npos) << json.out;
    EXPECT_TRUE(nlohmann::json::accept(json.out)) << json.out;
  }
  const ToolResult diff = RunTool({"diff", Path("old"), Path("new"), "--json"});
  EXPECT_NE(diff.out.find("BANK\\u009b1"), std::string::npos) << diff.out;

  const ToolResult lint = RunTool({"lint", Path("new")});
  EXPECT_EQ(lint.exitCode, 1) << lint.err;
  EXPECT_EQ(lint.out.find(kOverride), std::string::npos) << lint.out;
  EXPECT_NE(lint.out.find(shown), std::string::npos) << lint.out;

  // In an error line, and in git's own words passed through.
  const ToolResult missing = RunTool({"show", "--handler", Path("no" + kOverride + ".xml")});
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(missing.err.find(kOverride), std::string::npos) << missing.err;
  const ToolResult git = RunTool({"git-setup", Path("not-a-repo" + kOverride)});
  EXPECT_EQ(git.exitCode, 3);
  EXPECT_EQ(CountLines(git.err), 1) << git.err;
  EXPECT_EQ(git.err.find(kOverride), std::string::npos) << git.err;
}

}  // namespace
