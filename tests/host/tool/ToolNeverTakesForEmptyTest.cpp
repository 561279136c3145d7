// What cannot be read is an error, never an empty or "removed" result: links that
// lead nowhere, a memory limit; and what the tool did not create is never written
// over, nor a file's mode lost on save.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

const std::string kExamples = EXAMPLES_DIR;
// As `ulimit -v 200000` sets it: room for the tool, not for a calendar of every day.
constexpr std::int64_t kMemoryLimit = 200'000LL * 1024;

int CountLines(const std::string& text) {
  int n = 0;
  for (const char c : text) n += c == '\n';
  return n;
}

class Limits : public ::testing::Test {
 protected:
  // A file a test made append-only or immutable must not stop the clean-up.
  void TearDown() override {
    std::system(("chattr -R -a -i '" + dir_.string() + "' >/dev/null 2>&1").c_str());
  }
  std::string Path(const std::string& relative) const { return scratch_.Path(relative); }
  void Write(const std::string& relative, const std::string& text) {
    scratch_.Write(relative, text);
  }
  void Link(const std::string& relative, const std::string& target) {
    fs::create_directories((dir_ / relative).parent_path());
    fs::create_symlink(target, dir_ / relative);
  }
  // A copy of the example trees' gbp-desk as a tree of one handler folder.
  void Desk(const std::string& tree) {
    fs::create_directories(dir_ / tree);
    fs::copy(kExamples + "/trees/before/gbp-desk", dir_ / tree / "gbp-desk",
             fs::copy_options::recursive);
  }

  const ScratchFolder scratch_{"limits", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
};

// Each kind of place a link can stand for, leading nowhere in the new tree: plan,
// diff and lint name it as an error with exit 3 (lint: 1, a file it could not read),
// and nothing is planned as removed.
TEST_F(Limits, ALinkThatLeadsNowhereIsAnErrorNeverRemoved) {
  struct Case {
    const char* name;
    std::string replaced;  // under new/, made a link to nothing
  };
  const std::vector<Case> cases = {
      {"handler folder", "gbp-desk"},
      {"handler.xml", "gbp-desk/handler.xml"},
      {"record-set folder", "gbp-desk/dynamic"},
      {"record set", "gbp-desk/dynamic/gbp-kelibor-1w.xml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_ / "old");
    fs::remove_all(dir_ / "new");
    Desk("old");
    Desk("new");
    fs::remove_all(dir_ / "new" / c.replaced);
    Link("new/" + c.replaced, Path("gone"));
    for (const char* command : {"plan", "diff"}) {
      const ToolResult r = RunTool({command, Path("old"), Path("new")});
      EXPECT_EQ(r.exitCode, 3) << command << ": " << r.out << r.err;
      // No entry, folder verdict or list counts it removed: the totals say 0.
      std::size_t removed = 0;
      for (std::size_t at = r.out.find("removed"); at != std::string::npos;
           at = r.out.find("removed", at + 1))
        ++removed;
      EXPECT_EQ(removed, 1u) << command << ": " << r.out;
      EXPECT_NE(r.out.find(" 0 removed, "), std::string::npos) << command << ": " << r.out;
      EXPECT_NE(r.out.find("error "), std::string::npos) << command << ": " << r.out;
      EXPECT_NE(r.out.find("does not exist"), std::string::npos) << command << ": " << r.out;
    }
    const ToolResult lint = RunTool({"lint", Path("new")});
    EXPECT_NE(lint.exitCode, 0) << lint.out;
    EXPECT_NE(lint.out.find("does not exist"), std::string::npos) << lint.out << lint.err;
  }
}

// The largest calendar a file can hold, under `ulimit -v`: an error (exit 3) that
// names the file and what was being done, never "no holidays", an empty grid, holidays
// "removed", or a crash. The export streams, so it fits in the limit.
TEST_F(Limits, OutOfMemoryIsAnErrorThatSaysWhereAndExportFits) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  const std::string make = std::string(PROJECT_DIR) + "/scripts/make-big-calendar";
  ASSERT_EQ(std::system(("'" + make + "' '" + Path("big/handler.xml") + "'").c_str()), 0);
  fs::create_directories(dir_ / "old/desk");
  fs::create_directories(dir_ / "new/desk");
  fs::copy_file(kExamples + "/handler.xml", dir_ / "old/desk/handler.xml");
  fs::copy_file(dir_ / "big/handler.xml", dir_ / "new/desk/handler.xml");
  ToolLimits limited;
  limited.maxAddressSpace = kMemoryLimit;

  struct Case {
    std::vector<std::string> args;
    std::string names;
  };
  const std::vector<Case> cases = {
      {{"show", Path("big/handler.xml")}, "big/handler.xml"},
      {{"show", Path("big/handler.xml"), "--year", "2026"}, "big/handler.xml"},
      {{"diff", Path("old"), Path("new")}, "new/desk/handler.xml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    const ToolResult r = RunTool(c.args, limited);
    EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
    const std::string said = r.out + r.err;
    EXPECT_NE(said.find("out of memory while"), std::string::npos) << said;
    EXPECT_NE(said.find(c.names), std::string::npos) << said;
    EXPECT_EQ(said.find("no holidays"), std::string::npos);
    EXPECT_EQ(said.find("- 20"), std::string::npos);
    EXPECT_EQ(said.find("std::bad_alloc"), std::string::npos) << said;
  }

  for (const char* file : {"big.ics", "big.csv"}) {
    SCOPED_TRACE(file);
    const ToolResult r =
        RunTool({"export-holidays", Path("big/handler.xml"), "GBP", Path(file)}, limited);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string("376565 dates of GBP written to ") + file + ".\n");
  }
  const std::string ics = ReadAll(Path("big.ics"));
  EXPECT_EQ(ics.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n", 0), 0u);
  EXPECT_EQ(ics.substr(ics.size() - 15), "END:VCALENDAR\r\n");
  EXPECT_NE(ics.find("DTSTART;VALUE=DATE:30001231\r\n"), std::string::npos);
}

// The tour writes only into a folder of its own; a handler folder given as --out, or
// a copy another edit holds, is left as it was.
TEST_F(Limits, TheTourNeverWritesOverWhatItDidNotCreate) {
  Desk("tree");
  const std::string desk = Path("tree/gbp-desk");
  const std::string before = ReadAll(desk + "/handler.xml");
  const ToolResult refused = RunTool({"tour", "--out", desk});
  EXPECT_EQ(refused.exitCode, 3) << refused.out;
  EXPECT_EQ(CountLines(refused.err), 1) << refused.err;
  EXPECT_EQ(ReadAll(desk + "/handler.xml"), before);
  EXPECT_FALSE(fs::exists(desk + "/handler-page.png"));

  // Its own folder it may write again.
  const std::string own = Path("tour");
  ASSERT_EQ(RunTool({"tour", "--out", own}).exitCode, 0);
  const ToolResult again = RunTool({"tour", "--out", own});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_TRUE(fs::exists(own + "/handler-page.png"));
}

// The mode bits that a change of owner or a write clears come back with the save.
TEST_F(Limits, ASaveKeepsTheSetIdBitsAndRefusesAnAppendOnlyFolderBeforeWriting) {
  Write("desk/handler.xml", ReadAll(kExamples + "/handler.xml"));
  Write("edit.script", "set \"Max Messages Per Sec.:\" 25\nok\n");
  const std::string file = Path("desk/handler.xml");
  for (const mode_t mode : {mode_t{04644}, mode_t{02664}, mode_t{06640}}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    const ToolResult r = RunTool({"edit", file, "--script", Path("edit.script")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    struct stat saved {};
    ASSERT_EQ(::stat(file.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, mode);
  }

  ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
  if (std::system(("chattr +a '" + Path("desk") + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "the file system here keeps no append-only mark";
  const std::string before = ReadAll(file);
  const ToolResult r = RunTool({"edit", file, "--script", Path("edit.script")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(CountLines(r.err), 1) << r.err;
  EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("append-only"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(file), before);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_ / "desk"))
    left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"handler.xml"});
}

}  // namespace
