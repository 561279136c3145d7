#include "files/InputFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/ScratchFolder.h"
#include "tests/host/files/PermissionsBind.h"

namespace {

namespace fs = std::filesystem;

class InputFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  void Put(const std::string& name, const std::string& content, mode_t mode = 0600) const {
    std::ofstream(PathOf(name), std::ios::binary) << content;
    ASSERT_EQ(::chmod(PathOf(name).c_str(), mode), 0);
  }

  // The InputError that f throws; fails the test when it throws none.
  template <typename F>
  static InputError FailureOf(F f) {
    try {
      f();
    } catch (const InputError& error) {
      return error;
    }
    ADD_FAILURE() << "read";
    return InputError("", "", "");
  }

  const ScratchFolder scratch_{"input", ::testing::TempDir()};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(InputFileTest, ReadsWholeFilesAndNamesWhatIsWrong) {
  std::string big(300000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  Put("big.bin", big);
  EXPECT_EQ(ReadInputFile(PathOf("big.bin")), big);
  Put("empty.bin", "");
  EXPECT_EQ(ReadInputFile(PathOf("empty.bin")), "");

  const InputError missing = FailureOf([&] { ReadInputFile(PathOf("missing.xml")); });
  EXPECT_EQ(std::string(missing.what()),
            "cannot read \"" + PathOf("missing.xml") + "\": " + std::strerror(ENOENT));
  EXPECT_EQ(missing.Path(), PathOf("missing.xml"));
  EXPECT_EQ(missing.Reason(), std::strerror(ENOENT));
  EXPECT_EQ(FailureOf([&] { ReadInputFile(folder_.string()); }).Reason(), "it is a folder");
}

TEST_F(InputFileTest, NamesAnUnreadableFile) {
  Put("secret.xml", "x", 0);
  BoundByPermissions([&] {
    EXPECT_EQ(FailureOf([&] { ReadInputFile(PathOf("secret.xml")); }).Reason(),
              std::strerror(EACCES));
  });
}

TEST_F(InputFileTest, InputsBeyondTheLimitAreRefusedByName) {
  const std::uint64_t limit = 1 << 20;
  Put("full", std::string(limit, 'x'));
  EXPECT_EQ(ReadInputFile(PathOf("full"), {.limit = limit}).size(), limit);
  Put("beyond", std::string(limit + 1, 'x'));
  const InputError beyond = FailureOf([&] { ReadInputFile(PathOf("beyond"), {.limit = limit}); });
  EXPECT_EQ(beyond.Path(), PathOf("beyond"));
  EXPECT_EQ(beyond.Reason(), "it is larger than 1 MiB");
  EXPECT_EQ(std::string(beyond.what()),
            "cannot read \"" + PathOf("beyond") +
                "\": it is larger than 1 MiB, the most an input may hold");
  // A device without end stops at the limit too.
  EXPECT_EQ(FailureOf([] { ReadInputFile("/dev/zero", {.limit = limit}); }).Reason(),
            "it is larger than 1 MiB");
}

// A FIFO nobody writes to reads as empty at once, or is refused at once: never a wait.
TEST_F(InputFileTest, WhatIsNoRegularFileIsReadOrRefusedAsAsked) {
  ASSERT_EQ(::mkfifo(PathOf("feed").c_str(), 0600), 0);
  Put("plain", "text");
  const InputOptions refuse{.nonRegular = NonRegularInput::Refuse};
  for (const std::string& path : {PathOf("feed"), std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ReadInputFile(path), "");
    const InputError refused = FailureOf([&] { ReadInputFile(path, refuse); });
    EXPECT_EQ(refused.Reason(), "it is not a regular file");
    EXPECT_EQ(std::string(refused.what()),
              "cannot read \"" + path + "\": it is not a regular file");
  }
  EXPECT_EQ(ReadInputFile(PathOf("plain"), refuse), "text");
  EXPECT_EQ(FailureOf([&] { ReadInputFile(folder_.string(), refuse); }).Reason(), "it is a folder");
}

}  // namespace
