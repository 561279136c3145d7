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
#include "tests/host/tool/ExampleText.h"
#include "tests/host/tool/KilledAtRename.h"
#include "tests/host/tool/ToolRunner.h"
#include "tool/batch/Journal.h"
#include "tool/batch/Replacement.h"

namespace fs = std::filesystem;

namespace {

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
      for (const std::string& name : files) {
        const std::string path = (tree / name).string();
        prepared.push_back({name, PreparedSave(path, after, ops, PreparedSave::Flush::Later)});
      }
      ReplaceAll({{"set", tree.string(), "Max Messages Per Sec.=44"}, {}}, prepared, std::cerr);
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
  // A journal in each handler folder, and the seven new contents not yet in place.
  EXPECT_EQ(left.size(), files.size() + 10 + 7);

  // lint says it, in one paragraph: the command, which files have its change, and how
  // to finish it; it fails, and removes only the new contents left aside. Said again
  // by the next lint: nothing of it is lost.
  for (int round = 0; round < 2; ++round) {
    const ToolResult lint = RunTool({"lint", tree.string()});
    EXPECT_EQ(lint.exitCode, 1) << lint.err;
    EXPECT_NE(lint.err.find("hcdtool: `hcdtool set " + tree.string() +
                            " \"Max Messages Per Sec.=44\"`, process "),
              std::string::npos)
        << lint.err;
    EXPECT_NE(lint.err.find("was cut off while it replaced its 10 files"), std::string::npos)
        << lint.err;
    EXPECT_NE(lint.err.find("3 have its change (h11/handler.xml, h12/handler.xml, "
                            "h13/handler.xml), 7 do not (h14/handler.xml, h15/handler.xml"),
              std::string::npos)
        << lint.err;
    EXPECT_NE(lint.err.find("To finish the change, run it again"), std::string::npos) << lint.err;
    // The files and journals stay; the new contents that were never put in place go.
    const auto now = Snapshot(tree);
    EXPECT_EQ(now.size(), files.size() + 10);
    for (const auto& [name, content] : now)
      if (name.ends_with("handler.xml")) {
        EXPECT_EQ(content, left.at(name)) << name;
      }
  }

  // The next change over one of its files says it for the files under its path, removes
  // that journal, and goes on with its own change.
  const ToolResult set = RunTool({"set", (tree / "h15").string(), "Max Messages Per Sec.=44"});
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.err.find("Of the 1 file under the paths given, 0 have its change, 1 does not "
                         "(h15/handler.xml)"),
            std::string::npos)
      << set.err;
  EXPECT_NE(set.err.find("removed the journal"), std::string::npos) << set.err;
  EXPECT_EQ(Snapshot(tree).size(), files.size() + 9);
  EXPECT_NE(Snapshot(tree).at("h15/handler.xml"), before);

  // The rest is found from the tree, and cleared by the change over it.
  const ToolResult all = RunTool({"set", tree.string(), "Max Messages Per Sec.=44"});
  EXPECT_EQ(all.exitCode, 0) << all.err;
  EXPECT_NE(all.err.find("Of the 9 files under the paths given, 3 have its change"),
            std::string::npos)
      << all.err;
  // One paragraph and one line for what was removed, however many folders it touched.
  EXPECT_NE(all.err.find("hcdtool: removed the 9 journals of the cut-off run\n"), std::string::npos)
      << all.err;
  EXPECT_EQ(Snapshot(tree).size(), files.size());

  // Said once: the journals are gone.
  const ToolResult clean = RunTool({"lint", tree.string()});
  EXPECT_EQ(clean.exitCode, 0) << clean.err;
  EXPECT_EQ(clean.err.find("cut off"), std::string::npos) << clean.err;
}

}  // namespace
