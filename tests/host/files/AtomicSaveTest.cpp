#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>

#include "files/AtomicSave.h"
#include "files/FileOps.h"
#include "files/InputFile.h"
#include "tests/ScratchFolder.h"
#include "tests/host/files/PermissionsBind.h"

namespace {

namespace fs = std::filesystem;

class AtomicSaveTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  void Put(const std::string& name, const std::string& content, mode_t mode) {
    std::ofstream(PathOf(name), std::ios::binary) << content;
    ASSERT_EQ(::chmod(PathOf(name).c_str(), mode), 0);
  }

  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  static mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
  }

  // The message of the runtime_error that f throws, or "" when it throws none.
  template <typename F>
  static std::string FailureOf(F f) {
    try {
      f();
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  }

  const ScratchFolder scratch_{"atomic", ::testing::TempDir()};
  const fs::path& folder_ = scratch_.path();
};

// Makes one step of the save fail with the given error.
class FailingOps : public FileOps {
 public:
  enum class Step { Open, Fchmod, Write, Fsync, Close, Link, Rename };

  FailingOps(Step step, int error) : step_(step), error_(error) {}

  int Open(const char* path, int flags, mode_t mode) override {
    return step_ == Step::Open ? Fail() : FileOps::Open(path, flags, mode);
  }
  int Fchmod(int fd, mode_t mode) override {
    return step_ == Step::Fchmod ? Fail() : FileOps::Fchmod(fd, mode);
  }
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    // Half the content reaches the disk before the fault.
    if (step_ == Step::Write && written_ == 0) {
      written_ = FileOps::Write(fd, data, size / 2);
      return written_;
    }
    return step_ == Step::Write ? Fail() : FileOps::Write(fd, data, size);
  }
  int Fsync(int fd) override { return step_ == Step::Fsync ? Fail() : FileOps::Fsync(fd); }
  int Close(int fd) override {
    // The descriptor is released all the same, as close(2) does.
    const int result = FileOps::Close(fd);
    return step_ == Step::Close ? Fail() : result;
  }
  int Rename(const char* from, const char* to) override {
    return step_ == Step::Rename ? Fail() : FileOps::Rename(from, to);
  }
  int Link(const char* from, const char* to) override {
    return step_ == Step::Link ? Fail() : FileOps::Link(from, to);
  }

 private:
  int Fail() const {
    errno = error_;
    return -1;
  }

  Step step_;
  int error_;
  ssize_t written_ = 0;
};

TEST_F(AtomicSaveTest, CreatesAndReplacesKeepingPermissions) {
  const mode_t mask = ::umask(022);
  SaveFileAtomically(PathOf("new.xml"), "fresh");
  ::umask(mask);
  EXPECT_EQ(ReadInputFile(PathOf("new.xml")), "fresh");
  EXPECT_EQ(ModeOf(PathOf("new.xml")), 0644u);

  Put("old.xml", "old content", 0640);
  const std::string content("new\0content\xFF", 12);
  SaveFileAtomically(PathOf("old.xml"), content);
  EXPECT_EQ(ReadInputFile(PathOf("old.xml")), content);
  EXPECT_EQ(ModeOf(PathOf("old.xml")), 0640u);
  EXPECT_EQ(Listing(), (std::set<std::string>{"new.xml", "old.xml"}));

  SaveFileAtomically(PathOf("old.xml"), "");
  EXPECT_EQ(ReadInputFile(PathOf("old.xml")), "");
}

TEST_F(AtomicSaveTest, AFailingStepLeavesTheOldFileAndNoTemporary) {
  using Step = FailingOps::Step;
  const struct {
    Step step;
    int error;
  } cases[] = {{Step::Open, EACCES}, {Step::Fchmod, EPERM}, {Step::Write, ENOSPC},
               {Step::Fsync, EIO},   {Step::Close, EIO},    {Step::Link, EMLINK},
               {Step::Rename, EXDEV}};
  const std::string old("old\r\ncontent\xE9", 13);
  for (const auto& c : cases) {
    Put("config.xml", old, 0640);
    FailingOps ops(c.step, c.error);
    const std::string message =
        FailureOf([&] { SaveFileAtomically(PathOf("config.xml"), std::string(1000, 'n'), ops); });
    EXPECT_NE(message.find("\"" + PathOf("config.xml") + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(std::strerror(c.error)), std::string::npos) << message;
    EXPECT_EQ(ReadInputFile(PathOf("config.xml")), old) << message;
    EXPECT_EQ(ModeOf(PathOf("config.xml")), 0640u) << message;
    EXPECT_EQ(Listing(), std::set<std::string>{"config.xml"}) << message;
  }
}

// Where the file system has no unnamed temporary files, a named one takes its place,
// and goes as well when the save fails.
TEST_F(AtomicSaveTest, FallsBackToANamedTemporary) {
  class NoUnnamedOps : public FileOps {
   public:
    explicit NoUnnamedOps(bool failRename) : failRename_(failRename) {}
    int Open(const char* path, int flags, mode_t mode) override {
      if ((flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
      }
      return FileOps::Open(path, flags, mode);
    }
    int Rename(const char* from, const char* to) override {
      if (!failRename_) return FileOps::Rename(from, to);
      errno = EXDEV;
      return -1;
    }

   private:
    bool failRename_;
  };
  Put("config.xml", "old", 0640);
  NoUnnamedOps failing(true);
  EXPECT_NE(FailureOf([&] { SaveFileAtomically(PathOf("config.xml"), "new", failing); }), "");
  EXPECT_EQ(Listing(), std::set<std::string>{"config.xml"});
  NoUnnamedOps ops(false);
  SaveFileAtomically(PathOf("config.xml"), "new", ops);
  EXPECT_EQ(ReadInputFile(PathOf("config.xml")), "new");
  EXPECT_EQ(ModeOf(PathOf("config.xml")), 0640u);
  EXPECT_EQ(Listing(), std::set<std::string>{"config.xml"});
}

// A save killed before its rename leaves its temporary; the next save of the same
// file removes the temporaries of processes that are gone, and only those.
TEST_F(AtomicSaveTest, RemovesTheTemporariesOfDeadProcesses) {
  const pid_t dead = fork();
  ASSERT_GE(dead, 0);
  if (dead == 0) _exit(0);
  ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
  const std::string stale = ".config.xml.tmp-" + std::to_string(dead) + "-0";
  const std::string live = ".config.xml.tmp-" + std::to_string(::getppid()) + "-3";
  const std::string other = ".other.xml.tmp-" + std::to_string(dead) + "-0";
  const std::string unlike = ".config.xml.tmp-notapid";
  Put("config.xml", "old", 0644);
  for (const std::string& name : {stale, live, other, unlike}) Put(name, "partial", 0600);
  SaveFileAtomically(PathOf("config.xml"), "new");
  EXPECT_EQ(Listing(), (std::set<std::string>{"config.xml", live, other, unlike}));
}

TEST_F(AtomicSaveTest, AFailedFirstSaveLeavesNoFile) {
  FailingOps ops(FailingOps::Step::Write, ENOSPC);
  EXPECT_NE(FailureOf([&] { SaveFileAtomically(PathOf("new.xml"), "content", ops); }), "");
  EXPECT_TRUE(Listing().empty());
}

TEST_F(AtomicSaveTest, ShortWritesAreCompleted) {
  // Writes at most three bytes per call, as a pipe or a signal may cut a write.
  class TrickleOps : public FileOps {
   public:
    ssize_t Write(int fd, const void* data, std::size_t size) override {
      return FileOps::Write(fd, data, std::min<std::size_t>(size, 3));
    }
  } ops;
  const std::string content = "0123456789abcdefghij";
  SaveFileAtomically(PathOf("slow.xml"), content, ops);
  EXPECT_EQ(ReadInputFile(PathOf("slow.xml")), content);
}

TEST_F(AtomicSaveTest, RefusesFoldersReadOnlyFilesAndMissingFolders) {
  ASSERT_TRUE(fs::create_directory(folder_ / "sub"));
  Put("readonly.xml", "keep", 0444);
  const struct {
    std::string path;
    std::string fragment;
  } cases[] = {
      {PathOf("sub"), "is a folder"},
      {PathOf("readonly.xml"), "read-only"},
      {PathOf("missing/config.xml"), std::strerror(ENOENT)},
  };
  for (const auto& c : cases) {
    const std::string message = FailureOf([&] { SaveFileAtomically(c.path, "new"); });
    EXPECT_NE(message.find("\"" + c.path + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
  }
  EXPECT_TRUE(fs::is_directory(folder_ / "sub"));
  EXPECT_EQ(ReadInputFile(PathOf("readonly.xml")), "keep");
  EXPECT_EQ(Listing(), (std::set<std::string>{"readonly.xml", "sub"}));
}

TEST_F(AtomicSaveTest, RefusesAFileTheCallerMayNotWrite) {
  // Writable by its group only: a write bit is set, but not one the owner has.
  Put("group.xml", "keep", 0464);
  BoundByPermissions([&] {
    const std::string message = FailureOf([&] { SaveFileAtomically(PathOf("group.xml"), "new"); });
    EXPECT_NE(message.find("read-only"), std::string::npos) << message;
  });
  EXPECT_EQ(ReadInputFile(PathOf("group.xml")), "keep");
}

}  // namespace
