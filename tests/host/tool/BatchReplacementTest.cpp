// A change of many files killed outright in the middle of its replacement, at a
// chosen rename rather than at a moment a timer happens to hit: each file is whole,
// and the next run in the tree, and lint, say which were replaced.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "files/AtomicSave.h"
#include "files/FileOps.h"
#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"
#include "tool/batch/Journal.h"
#include "tool/batch/Replacement.h"

namespace fs = std::filesystem;

namespace {

// The system's calls, but the process dies by SIGKILL at the rename numbered dieAt (from 1).
class KilledAtRename : public FileOps {
 public:
  explicit KilledAtRename(int dieAt) : dieAt_(dieAt) {}
  int Rename(const char* from, const char* to) override {
    if (++renames_ == dieAt_) ::raise(SIGKILL);
    return FileOps::Rename(from, to);
  }

 private:
  int dieAt_;
  int renames_ = 0;
};

std::string Example(const std::string& name) { return ReadAll(fs::path(EXAMPLES_DIR) / name); }

std::map<std::string, std::string> Snapshot(const fs::path& tree) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(tree))
    if (entry.is_regular_file())
      files[entry.path().lexically_relative(tree).string()] = ReadAll(entry.path());
  return files;
}

TEST(BatchReplacement, KilledInTheMiddleLeavesEachFileWholeAndTheNextRunSaysWhich) {
  const ScratchFolder scratch("killed", SCRATCH_DIR);
  const fs::path tree = scratch.path() / "tree";
  const std::string before = Example("handler.xml");
  const std::string after = Example("handler-changed.xml");
  std::vector<std::string> files;
  for (int i = 1; i <= 10; ++i) {
    const std::string name = "h" + std::to_string(10 + i) + "/handler.xml";
    scratch.Write("tree/" + name, before);
    files.push_back(name);
  }

  // The replacement of all ten, killed at the fourth rename: three replaced.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      KilledAtRename ops(4);
      std::vector<PreparedFile> prepared;
      std::vector<fs::path> paths;
      for (const std::string& name : files) {
        const std::string path = (tree / name).string();
        prepared.push_back({name, PreparedSave(path, after, ops, PreparedSave::Flush::Later)});
        paths.emplace_back(path);
      }
      ReplaceAll(SharedFolder(paths), prepared, std::cerr);
    } catch (const std::exception& e) {
      std::cerr << e.what() << '\n';
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

  const auto left = Snapshot(tree);
  for (std::size_t i = 0; i < files.size(); ++i)
    EXPECT_EQ(left.at(files[i]), i < 3 ? after : before) << files[i];
  // The journal, and the seven new contents not yet in place.
  EXPECT_EQ(left.size(), files.size() + 1 + 7);

  // lint says it and leaves everything as it is.
  const ToolResult lint = RunTool({"lint", tree.string()});
  EXPECT_NE(lint.err.find("a change of 10 files was cut off while it replaced them"),
            std::string::npos)
      << lint.err;
  EXPECT_NE(lint.err.find("3 replaced, 7 not"), std::string::npos) << lint.err;
  EXPECT_NE(lint.err.find("hcdtool:   replaced: h13/handler.xml\n"), std::string::npos) << lint.err;
  EXPECT_NE(lint.err.find("hcdtool:   not replaced: h14/handler.xml\n"), std::string::npos)
      << lint.err;
  EXPECT_EQ(Snapshot(tree), left);

  // The next change in the tree says it too, from a folder inside it, then clears what
  // the cut-off run left, and goes on with its own change.
  const ToolResult set = RunTool({"set", (tree / "h15").string(), "Max Messages Per Sec.=44"});
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.err.find("3 replaced, 7 not"), std::string::npos) << set.err;
  EXPECT_NE(set.err.find("removed the journal"), std::string::npos) << set.err;
  const auto cleared = Snapshot(tree);
  EXPECT_EQ(cleared.size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i)
    if (i != 4) {
      EXPECT_EQ(cleared.at(files[i]), left.at(files[i])) << files[i];
    }
  EXPECT_NE(cleared.at("h15/handler.xml"), before);

  // Said once: the journal is gone.
  EXPECT_EQ(RunTool({"lint", tree.string()}).err.find("cut off"), std::string::npos);
}

}  // namespace
