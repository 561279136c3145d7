// What a user typed or stored is never lost without their say: an edited file is
// held against a second edit and not overwritten when someone else changed it, a
// save goes through links to their target, what would refuse a save is refused
// while the sheet is still open, and an input that is not a regular file is read
// once and bounded.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

const std::string kDynamic =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties>\n"
    "  <Property Name=\"SecurityID\" Type=\"String\">OLD</Property>\n"
    "  <Property Name=\"FullCurveInSub\" Type=\"Bool\">true</Property>\n</Properties>\n";

bool HasOneLine(const std::string& text) { return std::count(text.begin(), text.end(), '\n') == 1; }

// Writes text into a FIFO once a reader opens it, from a thread of its own. The
// descriptor is closed on exec, so no tool run started meanwhile keeps the FIFO
// open for writing.
class FifoWriter {
 public:
  FifoWriter(const fs::path& fifo, std::string text)
      : fifo_(fifo), thread_([fifo, text = std::move(text)] {
          const int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
          if (fd < 0) return;
          for (std::size_t at = 0; at < text.size();) {
            const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
            if (n <= 0) break;
            at += static_cast<std::size_t>(n);
          }
          ::close(fd);
        }) {}
  FifoWriter(const FifoWriter&) = delete;
  FifoWriter& operator=(const FifoWriter&) = delete;
  // A run that never opened the FIFO must not leave the writer waiting.
  ~FifoWriter() {
    const int unblock = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    thread_.join();
    if (unblock >= 0) ::close(unblock);
  }

 private:
  fs::path fifo_;
  std::thread thread_;
};

class ToolNothingLost : public ::testing::Test {
 protected:
  fs::path Script(const std::string& name, const std::string& text) const {
    WriteAll(dir_ / name, text);
    return dir_ / name;
  }

  fs::path Fifo(const std::string& name) const {
    const fs::path path = dir_ / name;
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }

  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  const ScratchFolder scratch_{"nothing-lost", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
};

// The second of two edits of one file meets the first one's lock; a program that
// ignores the lock and changes the file meanwhile is not overwritten silently.
TEST_F(ToolNothingLost, TwoEditsOfOneFileNeverLoseOneSilently) {
  const fs::path file = dir_ / "dynamic.xml";
  WriteAll(file, kDynamic);
  const fs::path second = Script("second.script", "set 12035 SECOND\nok\n");
  // The first edit reads its script from a FIFO, so it waits, holding the file,
  // until the test has done its part. The writer is there before the edit opens the
  // FIFO (the tool never waits for one), and its open returns once the edit has
  // opened its script, after taking the file.
  const fs::path fifo = Fifo("first.script");
  auto opened =
      std::async(std::launch::async, [&] { return ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC); });
  auto first = std::async(std::launch::async, [&] {
    return RunTool({"edit", "--dynamic", file.string(), "--script", fifo.string()});
  });
  if (opened.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    // Unblock the writer's open before failing, so that the test can end.
    const int unblock = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    opened.wait();
    if (unblock >= 0) ::close(unblock);
  }
  const int script = opened.get();
  ASSERT_GE(script, 0) << "the first edit never opened its script";

  const ToolResult refused =
      RunTool({"edit", "--dynamic", file.string(), "--script", second.string()});
  EXPECT_EQ(refused.exitCode, 3) << refused.err;
  EXPECT_TRUE(HasOneLine(refused.err)) << refused.err;
  EXPECT_NE(refused.err.find(file.string()), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("another edit holds it"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadAll(file), kDynamic);

  // Someone who does not take the lock changes the file; then the script goes on.
  const std::string behind = kDynamic + "<!-- changed behind the edit's back -->\n";
  WriteAll(file, behind);
  const std::string play = "set 12035 FIRST\nok\n";
  EXPECT_EQ(::write(script, play.data(), play.size()), static_cast<ssize_t>(play.size()));
  ::close(script);
  const ToolResult r = first.get();
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_TRUE(HasOneLine(r.err)) << r.err;
  EXPECT_NE(r.err.find(file.string()), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("changed by another program"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(file), behind);

  // Once the first edit has ended, the second goes through.
  const ToolResult last =
      RunTool({"edit", "--dynamic", file.string(), "--script", second.string()});
  EXPECT_EQ(last.exitCode, 0) << last.err;
  EXPECT_NE(ReadAll(file).find("SECOND"), std::string::npos);
}

// A save through a symbolic link writes the target, which keeps its permission
// bits and extended attributes; the link stays a link. A file with another hard
// link is refused, since a replacement would part the names.
TEST_F(ToolNothingLost, SavesGoThroughLinksToTheirTarget) {
  fs::create_directories(dir_ / "real");
  const fs::path target = dir_ / "real" / "dynamic.xml";
  WriteAll(target, kDynamic);
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const bool attributes = ::setxattr(target.c_str(), "user.origin", "kept", 4, 0) == 0;
  // A chain of two links, the first relative, the second absolute.
  fs::create_symlink(target, dir_ / "absolute.xml");
  fs::create_symlink("absolute.xml", dir_ / "relative.xml");
  const fs::path script = Script("accept.script", "set 12035 THROUGH-THE-LINK\nok\n");

  ToolResult r =
      RunTool({"edit", "--dynamic", (dir_ / "relative.xml").string(), "--script", script});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir_ / "relative.xml"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "absolute.xml"));
  EXPECT_NE(ReadAll(target).find("THROUGH-THE-LINK"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (attributes) {
    char value[16] = {};
    EXPECT_EQ(::getxattr(target.c_str(), "user.origin", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  }
  EXPECT_EQ(fs::directory_iterator(dir_ / "real")->path(), target) << "a temporary was left";

  // A link to a file that does not exist yet creates its target.
  fs::create_symlink("real/new.xml", dir_ / "dangling.xml");
  r = RunTool({"edit", "--dynamic", (dir_ / "dangling.xml").string(), "--script", script});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.xml"));
  EXPECT_NE(ReadAll(dir_ / "real" / "new.xml").find("THROUGH-THE-LINK"), std::string::npos);

  fs::create_hard_link(target, dir_ / "hard.xml");
  const std::string before = ReadAll(target);
  r = RunTool({"edit", "--dynamic", (dir_ / "hard.xml").string(), "--script", script});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_TRUE(HasOneLine(r.err)) << r.err;
  EXPECT_NE(r.err.find((dir_ / "hard.xml").string()), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("2 hard links"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(target), before);
  EXPECT_EQ(fs::hard_link_count(target), 2u);
}

// What would refuse the save is found when OK is pressed, while the sheet is still
// open: the message names the file, and the script goes on on the same sheet,
// where the user can mend the value and press OK again, or cancel.
TEST_F(ToolNothingLost, RefusedSavesKeepTheSheetOpen) {
  const std::string clash =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties>\n"
      "  <Property Name=\"SecurityID\" Type=\"String\">OLD</Property>\n"
      "  <Property Name=\"FullCurveInSub\">\n"
      "    <Property Name=\"Nested\" Type=\"Int\">1</Property>\n"
      "  </Property>\n</Properties>\n";
  const struct {
    const char* what;
    std::string content;
    std::string script;
    const char* message;  // in the message box, on stderr
    int exitCode;
    const char* saved;  // in the file afterwards, or nullptr when it is unchanged
  } cases[] = {
      {"a byte XML cannot carry, mended", kDynamic,
       "set 12035 \"BAD\x01"
       "BYTE\"\nok\nset 12035 MENDED\nok\n",
       "holds byte 0x01", 0, "MENDED"},
      {"a byte XML cannot carry, then cancel", kDynamic, "set 12035 \"BAD\x02\"\nok\ncancel\n",
       "holds byte 0x02", 1, nullptr},
      {"a value clashing with a group of the same name", clash, "ok\ncancel\n",
       "both a value and child properties", 1, nullptr},
  };
  const fs::path file = dir_ / "dynamic.xml";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAll(file, c.content);
    const fs::path script = Script("case.script", c.script);
    const ToolResult r = RunTool({"edit", "--dynamic", file.string(), "--script", script});
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    const std::size_t box = r.err.find(c.message);
    ASSERT_NE(box, std::string::npos) << r.err;
    EXPECT_NE(r.err.rfind("\"" + file.string() + "\"", box), std::string::npos) << r.err;
    if (c.saved == nullptr)
      EXPECT_EQ(ReadAll(file), c.content);
    else
      EXPECT_NE(ReadAll(file).find(c.saved), std::string::npos) << ReadAll(file);
  }
  EXPECT_EQ(Listing(), (std::vector<std::string>{"case.script", "dynamic.xml"}));
}

// A file name as long as a name may be leaves no room for a temporary named after
// it in full; the save still goes through.
TEST_F(ToolNothingLost, AFileNameOfFullLengthSaves) {
  const fs::path file = dir_ / (std::string(251, 'n') + ".xml");
  WriteAll(file, kDynamic);
  const fs::path script = Script("accept.script", "set 12035 LONG-NAME\nok\n");
  const ToolResult r = RunTool({"edit", "--dynamic", file.string(), "--script", script});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(ReadAll(file).find("LONG-NAME"), std::string::npos);
  EXPECT_EQ(Listing().size(), 2u);
}

// A FIFO or a pipe is read once, like a file; a device without end is refused at
// the input limit with its name, whatever the input is for.
TEST_F(ToolNothingLost, InputsThatAreNotRegularFiles) {
  const fs::path config = dir_ / "dynamic.xml";
  WriteAll(config, kDynamic);
  const fs::path cancel = Script("cancel.script", "cancel\n");
  const std::string block(200, 'b');

  const struct {
    const char* what;
    std::vector<std::string> args;  // "@fifo" stands for a FIFO that is fed `fed`
    std::string fed;
    int exitCode;
    const char* out;  // a piece of stdout, or of stderr when the run fails
  } cases[] = {
      {"summary of a FIFO", {"summary", "--dynamic", "@fifo"}, kDynamic, 0, "Security ID=OLD"},
      {"check-change of a FIFO",
       {"check-change", "--dynamic", config, "@fifo"},
       kDynamic,
       0,
       "1\n"},
      {"describe-persist of a FIFO",
       {"describe-persist", "--version", "7", "@fifo"},
       block,
       3,
       "200 bytes"},
      {"edit of a FIFO",
       {"edit", "--dynamic", "@fifo", "--script", cancel},
       kDynamic,
       3,
       "not a regular file"},
      {"a script from a FIFO",
       {"edit", "--dynamic", config, "--script", "@fifo"},
       "cancel\n",
       1,
       ""},
      {"summary of /dev/zero", {"summary", "--dynamic", "/dev/zero"}, "", 3, "\"/dev/zero\""},
      {"describe-persist of /dev/zero",
       {"describe-persist", "--version", "1", "/dev/zero"},
       "",
       3,
       "\"/dev/zero\""},
      {"check-change of /dev/zero",
       {"check-change", "--dynamic", config, "/dev/zero"},
       "",
       3,
       "\"/dev/zero\""},
      {"edit of /dev/zero",
       {"edit", "--dynamic", "/dev/zero", "--script", cancel},
       "",
       3,
       "\"/dev/zero\""},
      {"a script of /dev/zero",
       {"edit", "--dynamic", config, "--script", "/dev/zero"},
       "",
       3,
       "\"/dev/zero\""},
      {"info with a module of /dev/zero", {"--module", "/dev/zero", "info"}, "", 3, "/dev/zero"},
      {"a module of /dev/zero",
       {"--module", "/dev/zero", "summary", "--dynamic", config},
       "",
       3,
       "/dev/zero"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args = c.args;
    std::optional<FifoWriter> writer;
    for (std::string& a : args) {
      if (a != "@fifo") continue;
      const fs::path fifo = Fifo("input.fifo");
      a = fifo.string();
      writer.emplace(fifo, c.fed);
    }
    const ToolResult r = RunTool(args, {.workDir = "", .timeoutSeconds = 60, .maxFileSize = -1});
    writer.reset();
    fs::remove(dir_ / "input.fifo");
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    if (c.exitCode >= 2) {
      EXPECT_TRUE(HasOneLine(r.err)) << r.err;
      EXPECT_NE(r.err.find(c.out), std::string::npos) << r.err;
    } else {
      EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    }
    // Bounded: the limit, not the device, decides how much is read.
    EXPECT_LT(r.maxRssKb, 1536 * 1024);
  }
  EXPECT_EQ(ReadAll(config), kDynamic);
}

// <(...) hands the tool a pipe as /dev/fd/N: it reads like a file, and an edit of
// it is refused before the window opens, since nothing can be saved into a pipe.
TEST_F(ToolNothingLost, APipeReadsLikeAFile) {
  int ends[2];
  ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
  // The reading end is inherited by the tool, as a shell's <(...) is.
  ASSERT_EQ(::fcntl(ends[0], F_SETFD, 0), 0);
  ASSERT_EQ(::write(ends[1], kDynamic.data(), kDynamic.size()),
            static_cast<ssize_t>(kDynamic.size()));
  ::close(ends[1]);
  const std::string pipe = "/dev/fd/" + std::to_string(ends[0]);
  const ToolResult summary = RunTool({"summary", "--dynamic", pipe});
  EXPECT_EQ(summary.exitCode, 0) << summary.err;
  EXPECT_NE(summary.out.find("Security ID=OLD"), std::string::npos) << summary.out;
  ::close(ends[0]);

  ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
  ASSERT_EQ(::fcntl(ends[0], F_SETFD, 0), 0);
  ASSERT_EQ(::write(ends[1], kDynamic.data(), kDynamic.size()),
            static_cast<ssize_t>(kDynamic.size()));
  ::close(ends[1]);
  const fs::path cancel = Script("cancel.script", "cancel\n");
  const ToolResult edit = RunTool(
      {"edit", "--dynamic", "/dev/fd/" + std::to_string(ends[0]), "--script", cancel.string()});
  ::close(ends[0]);
  EXPECT_EQ(edit.exitCode, 3) << edit.err;
  EXPECT_NE(edit.err.find("not a regular file"), std::string::npos) << edit.err;
}

}  // namespace
