// The journals of changes of many files as others may leave them: planted by another
// user, cut short, empty, a FIFO, a link, beside a tree or in it. None of them may make
// the tool remove, or keep quiet about, anything; a cut-off run is found from any path
// over any of its files and told in one paragraph.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
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

constexpr uid_t kAnotherUser = 65534;

std::map<std::string, std::string> Snapshot(const fs::path& tree) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(tree))
    if (entry.is_regular_file() || entry.is_symlink() || entry.is_fifo())
      files[entry.path().lexically_relative(tree).string()] =
          entry.is_regular_file() && !entry.is_symlink() ? ReadAll(entry.path()) : "(special)";
  return files;
}

// A process number no process has: one that has just ended.
pid_t DeadProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

// The replacement of the files (relative to tree) by after, killed at rename dieAt.
void ReplaceKilledAt(const fs::path& tree, const std::vector<std::string>& files,
                     const std::string& after, int dieAt, const std::vector<std::string>& command,
                     const std::vector<std::string>& finishPrefix = {}) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      KilledAtRename ops(dieAt);
      std::vector<PreparedFile> prepared;
      for (const std::string& name : files)
        prepared.push_back(
            {name, PreparedSave((tree / name).string(), after, ops, PreparedSave::Flush::Later)});
      ReplaceAll({command, finishPrefix}, prepared, std::cerr);
    } catch (const std::exception& e) {
      std::cerr << e.what() << '\n';
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
}

std::vector<fs::path> JournalsIn(const fs::path& folder) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".hcdtool-journal-"))
      found.push_back(entry.path());
  return found;
}

// A journal as this tool's first form wrote it: a file to remove, by any path, known
// by its device and inode. What a planted one named.
std::string FirstFormJournal(const fs::path& victim) {
  struct stat status {};
  ::stat(victim.c_str(), &status);
  std::string text = "hcdtool journal 1\n";
  for (const std::string& field :
       {std::string("h1/handler.xml"), (victim.parent_path() / "tree/h1/handler.xml").string(),
        victim.string(), std::to_string(status.st_dev), std::to_string(status.st_ino)}) {
    text += field;
    text += '\0';
  }
  return text;
}

// Runs hcdtool with args and kills it with SIGKILL delayUs after the file watched was
// first replaced (its inode changed): a kill within the replacement, which a timer
// from the start hits seldom. The exit code, 128 + 9 when killed.
int KillOnceReplacing(const std::vector<std::string>& args, const fs::path& watched,
                      std::int64_t delayUs) {
  struct stat first {};
  if (::stat(watched.c_str(), &first) != 0) return -1;
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    for (const int fd : {0, 1, 2}) ::dup2(null, fd);
    std::vector<char*> argv;
    const std::string tool = ToolPath();
    argv.push_back(const_cast<char*>(tool.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(tool.c_str(), argv.data());
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  for (;;) {
    if (::waitpid(child, &status, WNOHANG) == child) break;
    struct stat now {};
    if ((::stat(watched.c_str(), &now) == 0 && now.st_ino != first.st_ino) ||
        std::chrono::steady_clock::now() > deadline) {
      if (delayUs > 0) ::usleep(static_cast<useconds_t>(delayUs));
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      break;
    }
  }
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Two handler folders with the example handler; h1 with a record set too.
struct Tree {
  explicit Tree(const ScratchFolder& scratch) : root(scratch.path() / "tree") {
    scratch.Write("tree/h1/handler.xml", Example("handler.xml"));
    scratch.Write("tree/h1/static/eur.xml", Example("static.xml"));
    scratch.Write("tree/h2/handler.xml", Example("handler.xml"));
    // As git-setup writes it at the top of a repository: no handler folder, and no
    // note on every run either.
    scratch.Write("tree/.gitattributes", "*.xml diff=hcdkelo\n");
  }
  fs::path root;
};

// set over a handler and a record set killed at the second rename: the journal lies in
// the handler folder, below the path given, and is found from the tree, the folder and
// each file; each file is whole.
TEST(BatchJournal, ACutOffRunIsFoundFromAnyPathOverItsFiles) {
  const ScratchFolder scratch("journal", SCRATCH_DIR);
  const Tree tree(scratch);
  const std::string before = ReadAll(tree.root / "h1/handler.xml");
  const std::string after = Example("handler-changed.xml");
  ReplaceKilledAt(tree.root, {"h1/handler.xml", "h1/static/eur.xml"}, after, 2,
                  {"set", "tree", "Max Messages Per Sec.=55", "Party ID=Z"});
  EXPECT_EQ(ReadAll(tree.root / "h1/handler.xml"), after);
  EXPECT_EQ(ReadAll(tree.root / "h1/static/eur.xml"), Example("static.xml"));
  ASSERT_EQ(JournalsIn(tree.root / "h1").size(), 1u);

  for (const fs::path& path : {tree.root, tree.root / "h1", tree.root / "h1/static/eur.xml",
                               tree.root / "h1/handler.xml"}) {
    SCOPED_TRACE(path.string());
    const ToolResult lint = RunTool({"lint", path.string()});
    EXPECT_EQ(lint.exitCode, 1) << lint.err;
    EXPECT_NE(lint.err.find("`hcdtool set tree \"Max Messages Per Sec.=55\" \"Party ID=Z\"`, "
                            "process "),
              std::string::npos)
        << lint.err;
    EXPECT_NE(lint.err.find("was cut off while it replaced its 2 files"), std::string::npos)
        << lint.err;
    EXPECT_NE(lint.err.find("1 has its change (h1/handler.xml), 1 does not (h1/static/eur.xml)"),
              std::string::npos)
        << lint.err;
    // The new content left aside is gone, and with it every note about it.
    EXPECT_EQ(lint.err.find("left out"), std::string::npos) << lint.err;
  }
  // Nothing of another tree is said.
  const ToolResult other = RunTool({"lint", (tree.root / "h2").string()});
  EXPECT_EQ(other.exitCode, 0) << other.err;
  EXPECT_EQ(other.err, "");

  // A dry run says it too and leaves the journal; the change over the tree, which
  // clears it, sees the files the run replaced as replaced, not as changed by another.
  const ToolResult dry = RunTool({"set", tree.root.string(), "Port=1", "--dry-run"});
  EXPECT_NE(dry.err.find("1 has its change"), std::string::npos) << dry.err;
  EXPECT_EQ(JournalsIn(tree.root / "h1").size(), 1u);
  const ToolResult set = RunTool({"set", tree.root.string(), "Max Messages Per Sec.=55"});
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.err.find("1 has its change (h1/handler.xml), 1 does not"), std::string::npos)
      << set.err;
  EXPECT_EQ(set.err.find("changed since"), std::string::npos) << set.err;
  EXPECT_TRUE(JournalsIn(tree.root / "h1").empty());
  EXPECT_NE(ReadAll(tree.root / "h2/handler.xml"), before);
}

// A handler folder linked into the tree keeps its journal in the folder itself: found
// through the link and cleared through it.
TEST(BatchJournal, AHandlerFolderLinkedIntoTheTreeIsClearedThroughTheLink) {
  const ScratchFolder scratch("journal", SCRATCH_DIR);
  const Tree tree(scratch);
  scratch.Write("elsewhere/h3/handler.xml", Example("handler.xml"));
  fs::create_symlink(scratch.path() / "elsewhere/h3", tree.root / "h3");
  ReplaceKilledAt(tree.root, {"h2/handler.xml", "h3/handler.xml"}, Example("handler-changed.xml"),
                  2, {"set", "tree", "Port=1"});
  ASSERT_EQ(JournalsIn(scratch.path() / "elsewhere/h3").size(), 1u);
  const ToolResult set = RunTool({"set", tree.root.string(), "Port=2"});
  EXPECT_EQ(set.exitCode, 0) << set.err;
  EXPECT_NE(set.err.find("1 has its change (h2/handler.xml), 1 does not (h3/handler.xml)"),
            std::string::npos)
      << set.err;
  EXPECT_EQ(set.err.find("cannot remove"), std::string::npos) << set.err;
  EXPECT_TRUE(JournalsIn(scratch.path() / "elsewhere/h3").empty());
  EXPECT_EQ(Snapshot(scratch.path() / "elsewhere").size(), 1u);
}

// A script may not do the same when played twice: the command that finishes an apply
// plays it only on the files that lack its change.
TEST(BatchJournal, AnApplyIsFinishedOverTheFilesThatLackItsChange) {
  const ScratchFolder scratch("journal", SCRATCH_DIR);
  const Tree tree(scratch);
  scratch.Write("tree/h3/handler.xml", Example("handler.xml"));
  ReplaceKilledAt(tree.root, {"h1/handler.xml", "h2/handler.xml", "h3/handler.xml"},
                  Example("handler-changed.xml"), 2, {"apply", "fix script", "tree"},
                  {"apply", "fix script"});
  const ToolResult lint = RunTool({"lint", tree.root.string()});
  EXPECT_NE(lint.err.find("1 has its change (h1/handler.xml), 2 do not (h2/handler.xml, "
                          "h3/handler.xml)"),
            std::string::npos)
      << lint.err;
  EXPECT_NE(lint.err.find("To finish the change, run it over the files that do not have it: "
                          "`hcdtool apply \"fix script\" h2/handler.xml h3/handler.xml`."),
            std::string::npos)
      << lint.err;
}

// The journal names a file as it was and as the run made it, by more than its inode:
// a file since replaced by another program, or one the system gave the same inode
// number, is neither "replaced" nor "not replaced".
TEST(BatchJournal, AFileChangedSinceIsNeverCalledReplacedOrOld) {
  const ScratchFolder scratch("journal", SCRATCH_DIR);
  const Tree tree(scratch);
  const std::string after = Example("handler-changed.xml");
  ReplaceKilledAt(tree.root, {"h1/handler.xml", "h2/handler.xml"}, after, 2,
                  {"set", "tree", "Port=1"});
  // h1 was replaced; then rewritten in place, keeping its inode and size.
  {
    const int fd = ::open((tree.root / "h1/handler.xml").c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, after.data(), 1, 0), 1);
    ::close(fd);
  }
  const ToolResult lint = RunTool({"lint", tree.root.string()});
  EXPECT_NE(lint.err.find("0 have its change, 1 does not (h2/handler.xml), and 1 was changed "
                          "since by another program (h1/handler.xml)"),
            std::string::npos)
      << lint.err;
}

// What a hostile or damaged journal may be, each beside a real cut-off run and a file
// outside the tree that a planted journal names: after lint, a dry run and a change,
// the outside file and every untrusted journal are as they were, each is named, and the
// real run is still told.
TEST(BatchJournal, NoJournalOfAnotherOrOfNoUseRemovesOrHidesAnything) {
  const ScratchFolder scratch("journal", SCRATCH_DIR);
  const Tree tree(scratch);
  const fs::path victim = scratch.path() / "victim.txt";
  WriteAll(victim, "not the tool's\n");
  const pid_t dead = DeadProcess();
  const std::string deadName = ".hcdtool-journal-" + std::to_string(dead);
  // Named as the tool names its journals, so that only what the file is tells it apart.
  const auto plantedName = [&](std::size_t i) {
    return deadName + "-" + std::string(15, '0') + "0123456789abcdef"[i % 16];
  };

  const struct {
    const char* what;
    const char* where;  // relative to the scratch folder
    const char* said;   // what the tool says of it, "" for nothing
    bool needsRoot;
  } cases[] = {
      {"planted above the tree, by another user", "", "", true},
      {"planted in the tree, by another user", "tree", "belongs to user 65534", true},
      {"planted by this user, in its first form", "tree/h2", "no journal this tool can read",
       false},
      {"a FIFO a writer holds open", "tree/h1", "it is a FIFO", false},
      {"a link to the outside file", "tree/h2", "it is a symbolic link", false},
      {"writable by others", "tree/h2", "others may write it", false},
      {"naming a file outside its folder", "tree/h2", "names a file outside its folder", false},
  };
  std::vector<fs::path> planted;
  int writer = -1;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    if (c.needsRoot && ::geteuid() != 0) continue;
    const fs::path path = scratch.path() / c.where / plantedName(i);
    const std::string what = c.what;
    if (what.starts_with("a FIFO")) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
      writer = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
      ASSERT_GE(writer, 0);
    } else if (what.starts_with("a link")) {
      fs::create_symlink(victim, path);
    } else if (what.starts_with("naming a file outside")) {
      std::string text = "hcdtool journal 2\n";
      for (const std::string& field :
           {std::string("abc"), std::to_string(dead), std::string(), std::string(),
            std::string("/"), std::string("1"), std::string("0"), std::string("0"),
            std::string("1"), std::string("x"), std::string("../../victim.txt")}) {
        text += field;
        text += '\0';
      }
      WriteAll(path, text);
      fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    } else {
      WriteAll(path, FirstFormJournal(victim));
      fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
      if (what == "writable by others")
        fs::permissions(path, fs::perms::others_write, fs::perm_options::add);
      if (c.needsRoot) {
        ASSERT_EQ(::lchown(path.c_str(), kAnotherUser, kAnotherUser), 0);
      }
    }
    planted.push_back(path);
  }
  // A real run beside them, cut off at its second rename.
  ReplaceKilledAt(tree.root, {"h1/handler.xml", "h2/handler.xml"}, Example("handler-changed.xml"),
                  2, {"set", "tree", "Port=1"});
  const auto outside = Snapshot(scratch.path());

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"lint", tree.root.string()},
        std::vector<std::string>{"set", tree.root.string(), "Port=2", "--dry-run"},
        std::vector<std::string>{"set", tree.root.string(), "Port=2"}}) {
    SCOPED_TRACE(args.back());
    ToolLimits limits;
    limits.timeoutSeconds = 30;
    const ToolResult run = RunTool(args, limits);
    ASSERT_FALSE(run.timedOut);
    EXPECT_NE(run.err.find("1 has its change (h1/handler.xml), 1 does not (h2/handler.xml)"),
              std::string::npos)
        << run.err;
    for (std::size_t i = 0; i < std::size(cases); ++i)
      if (*cases[i].said != '\0' && (!cases[i].needsRoot || ::geteuid() == 0)) {
        EXPECT_NE(run.err.find(cases[i].said), std::string::npos) << cases[i].what << run.err;
      }
    EXPECT_EQ(ReadAll(victim), "not the tool's\n");
    for (const fs::path& path : planted)
      EXPECT_TRUE(fs::is_symlink(path) || fs::exists(path)) << path;
    if (args.back() != "Port=2") {
      EXPECT_EQ(run.exitCode, args.front() == "lint" ? 1 : 0) << run.err;
    } else {
      EXPECT_EQ(run.exitCode, 0) << run.err;
    }
  }
  if (writer >= 0) ::close(writer);
  // The cut-off run told, its journals are gone; what was planted is there still.
  for (const fs::path& journal : JournalsIn(tree.root / "h1"))
    EXPECT_NE(journal.string().find(deadName), std::string::npos) << journal;
  EXPECT_EQ(Snapshot(scratch.path()).size(), outside.size() - 3);
}

// A journal cut as it was written, inside its second record, or left empty: the run
// replaced nothing, and it is said with the files it names, never as a run of fewer
// files, and never as "cannot be read" ever after: the next change clears it.
TEST(BatchJournal, ACutOrEmptyJournalIsToldWithTheFilesItNamesAndCleared) {
  for (const bool empty : {false, true}) {
    SCOPED_TRACE(empty ? "empty" : "cut inside its second record");
    const ScratchFolder scratch("journal", SCRATCH_DIR);
    const Tree tree(scratch);
    // Killed at the first rename: the journal is whole, nothing replaced.
    ReplaceKilledAt(tree.root, {"h1/handler.xml", "h1/static/eur.xml"},
                    Example("handler-changed.xml"), 1, {"set", "tree", "Port=1"});
    const std::vector<fs::path> journals = JournalsIn(tree.root / "h1");
    ASSERT_EQ(journals.size(), 1u);
    const std::string whole = ReadAll(journals[0]);
    const std::size_t second = whole.find("h1/static/eur.xml");
    ASSERT_NE(second, std::string::npos);
    ASSERT_EQ(::truncate(journals[0].c_str(),
                         // Inside the temporary's name: the file is named, its record is not whole.
                         empty ? 0 : static_cast<off_t>(second + 40)),
              0);
    const auto before = Snapshot(tree.root);

    const ToolResult lint = RunTool({"lint", tree.root.string()});
    EXPECT_EQ(lint.exitCode, 1) << lint.err;
    EXPECT_NE(lint.err.find("was cut off while it wrote its journal, before it replaced any file"),
              std::string::npos)
        << lint.err;
    EXPECT_NE(lint.err.find("): it replaced none of its files"), std::string::npos) << lint.err;
    if (!empty) {
      EXPECT_NE(lint.err.find("`hcdtool set tree Port=1`"), std::string::npos) << lint.err;
      EXPECT_NE(lint.err.find("it had named h1/handler.xml, h1/static/eur.xml"), std::string::npos)
          << lint.err;
    } else {
      EXPECT_NE(lint.err.find("the new contents it left aside are "), std::string::npos)
          << lint.err;
    }
    EXPECT_EQ(lint.err.find("cannot be read"), std::string::npos) << lint.err;
    // What it left aside is gone; the configurations and the journal stay.
    const auto tidied = Snapshot(tree.root);
    EXPECT_EQ(tidied.size(), 5u) << lint.err;
    for (const auto& [name, content] : tidied) EXPECT_EQ(content, before.at(name)) << name;

    const ToolResult set = RunTool({"set", tree.root.string(), "Port=3"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.err.find("removed the journal"), std::string::npos) << set.err;
    const ToolResult after = RunTool({"lint", tree.root.string()});
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(after.err, "");
  }
}

// The kill loop of many-files changes: set over a tree killed by SIGKILL at random
// moments, with untrusted journals planted in and above the tree. After each kill every
// file is its old content or the one new content of the run; a run killed after a
// rename is told by lint with the number of files that have its change; nothing
// planted, and nothing outside the tree, is removed. HCD_BATCH_KILL_ROUNDS and
// HCD_BATCH_KILL_FOLDERS make it longer.
TEST(BatchJournal, KilledAtRandomAmongPlantedJournalsEachFileIsWholeAndEachRunTold) {
  const int rounds = std::getenv("HCD_BATCH_KILL_ROUNDS") != nullptr
                         ? std::atoi(std::getenv("HCD_BATCH_KILL_ROUNDS"))
                         : 12;
  const int folders = std::getenv("HCD_BATCH_KILL_FOLDERS") != nullptr
                          ? std::atoi(std::getenv("HCD_BATCH_KILL_FOLDERS"))
                          : 60;
  const ScratchFolder scratch("journal-kill", SCRATCH_DIR);
  const fs::path tree = scratch.path() / "tree";
  for (int i = 0; i < folders; ++i)
    scratch.Write("tree/h" + std::to_string(100 + i) + "/handler.xml", Example("handler.xml"));
  const fs::path victim = scratch.path() / "victim.txt";
  WriteAll(victim, "not the tool's\n");
  const pid_t dead = DeadProcess();
  const std::string planted = ".hcdtool-journal-" + std::to_string(dead) + "-00000000000000ff";
  WriteAll(scratch.path() / planted, FirstFormJournal(victim));
  WriteAll(tree / planted, FirstFormJournal(victim));
  WriteAll(tree / "h100" / planted, "");
  ASSERT_EQ(::mkfifo((tree / "h101" / planted).c_str(), 0600), 0);
  fs::create_symlink(victim, tree / "h102" / planted);
  // Cut inside its first record, naming the file outside the tree.
  WriteAll(tree / "h103" / planted, std::string("hcdtool journal 2\nabc\0", 22) +
                                        std::to_string(dead) + '\0' +
                                        std::string("\0\0/\0"
                                                    "1\0"
                                                    "0\0"
                                                    "0\0"
                                                    "1\0"
                                                    "x\0",
                                                    14) +
                                        "../../victim.tx");
  // Another user's where this test may make one; else one that others may write.
  for (const fs::path& path : {tree / planted, tree / "h100" / planted, tree / "h103" / planted}) {
    if (::geteuid() == 0) {
      ASSERT_EQ(::lchown(path.c_str(), kAnotherUser, 0), 0);
    } else {
      fs::permissions(path, fs::perms::others_write, fs::perm_options::add);
    }
  }
  const auto plantedThere = [&] {
    return fs::exists(scratch.path() / planted) && fs::exists(tree / planted) &&
           fs::exists(tree / "h100" / planted) && fs::is_fifo(tree / "h101" / planted) &&
           fs::is_symlink(tree / "h102" / planted) && fs::exists(tree / "h103" / planted) &&
           ReadAll(victim) == "not the tool's\n";
  };
  const auto handlers = [&] {
    std::map<std::string, std::string> files;
    for (int i = 0; i < folders; ++i) {
      const std::string name = "h" + std::to_string(100 + i) + "/handler.xml";
      files[name] = ReadAll(tree / name);
    }
    return files;
  };

  // How long a whole run takes, so that the kills fall anywhere from its start to past
  // its end.
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(RunTool({"set", tree.string(), "Max Messages Per Sec.=10"}).exitCode, 0);
  const auto runUs = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now() - started)
                         .count();
  std::mt19937 random(std::random_device{}());
  int told = 0, whole = 0, untouched = 0, allReplaced = 0;
  for (int round = 0; round < rounds; ++round) {
    const auto previous = handlers();
    const std::vector<std::string> args = {"set", tree.string(),
                                           "Max Messages Per Sec.=" + std::to_string(11 + round)};
    // Every other round at a moment from a third of a run's time to past its end; the
    // others within the replacement, which is short.
    int exitCode = 0;
    std::string when;
    if (round % 2 == 0) {
      ToolLimits limits;
      limits.signal = SIGKILL;
      limits.signalAfterUs =
          std::uniform_int_distribution<std::int64_t>(runUs / 3, runUs * 5 / 4)(random);
      limits.timeoutSeconds = 60;
      const ToolResult set = RunTool(args, limits);
      ASSERT_FALSE(set.timedOut);
      exitCode = set.exitCode;
      when = std::to_string(limits.signalAfterUs) + " us after its start";
    } else {
      const std::int64_t delay =
          std::uniform_int_distribution<std::int64_t>(0, folders * 8)(random);
      exitCode = KillOnceReplacing(args, tree / "h100/handler.xml", delay);
      when = std::to_string(delay) + " us after its first rename";
    }
    SCOPED_TRACE("round " + std::to_string(round) + ", killed " + when);
    const auto now = handlers();
    std::set<std::string> fresh;
    std::size_t changed = 0;
    for (const auto& [name, content] : now)
      if (content != previous.at(name)) {
        fresh.insert(content);
        ++changed;
      }
    // Every file changed holds the one new content of the run.
    ASSERT_LE(fresh.size(), 1u);
    ASSERT_TRUE(plantedThere());
    const ToolResult lint = RunTool({"lint", tree.string()});
    ASSERT_FALSE(lint.timedOut);
    // Every file reads and is accepted: lint names no file.
    ASSERT_EQ(lint.out, "") << lint.err;
    if (exitCode == 0) {
      ++whole;
      ASSERT_EQ(changed, now.size());
      ASSERT_EQ(lint.err.find("was cut off"), std::string::npos) << lint.err;
    } else if (changed > 0 && changed < now.size()) {
      ++told;
      ASSERT_EQ(lint.exitCode, 1);
      ASSERT_NE(lint.err.find(std::to_string(changed) + (changed == 1 ? " has" : " have") +
                              " its change"),
                std::string::npos)
          << lint.err;
    } else if (changed == 0) {
      ++untouched;
    } else {
      ++allReplaced;
    }
  }
  // The last run finishes, clears what the cut-off ones left, and leaves nothing of its
  // own: only the files and what was planted.
  ASSERT_EQ(RunTool({"set", tree.string(), "Max Messages Per Sec.=99"}).exitCode, 0);
  ASSERT_TRUE(plantedThere());
  for (const auto& [name, content] : Snapshot(tree))
    EXPECT_TRUE(name.ends_with("handler.xml") || name.ends_with(planted)) << name;
  std::cout << rounds << " kills: " << untouched << " before the first rename; " << told
            << " in the replacement, told by lint; " << allReplaced << " after the last rename; "
            << whole << " after the run ended\n";
}

}  // namespace
