#include "files/EditedFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include "files/AtomicSave.h"
#include "tests/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

class EditedFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  void Put(const std::string& name, const std::string& content) const {
    std::ofstream(PathOf(name), std::ios::binary) << content;
  }

  const ScratchFolder scratch_{"edited", ::testing::TempDir()};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(EditedFileTest, ASecondEditOfTheSameFileIsRefusedUntilTheFirstEnds) {
  Put("config.xml", "old");
  fs::create_symlink("config.xml", folder_ / "link.xml");
  {
    EditedFile first(PathOf("config.xml"));
    EXPECT_EQ(first.Content(), "old");
    for (const char* name : {"config.xml", "link.xml"}) {
      try {
        EditedFile second(PathOf(name));
        ADD_FAILURE() << name << " was opened twice";
      } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("\"" + PathOf(name) + "\""), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("another edit holds it"), std::string::npos);
      }
    }
    // The new file a save puts in place is held as the old one was.
    first.Save("new");
    EXPECT_THROW(EditedFile{PathOf("config.xml")}, std::runtime_error);
  }
  EditedFile again(PathOf("config.xml"));
  EXPECT_EQ(again.Content(), "new");
}

TEST_F(EditedFileTest, SeesEveryChangeMadeBehindItsBack) {
  const struct {
    const char* what;
    bool existed;
    std::function<void(const std::string&)> change;
    bool changed;
  } cases[] = {
      {"nothing", true, [](const std::string&) {}, false},
      {"the same bytes renamed into place", true,
       [](const std::string& p) { SaveFileAtomically(p, "old"); }, false},
      {"other bytes", true, [](const std::string& p) { SaveFileAtomically(p, "other"); }, true},
      {"a byte more in place", true,
       [](const std::string& p) { std::ofstream(p, std::ios::app) << "x"; }, true},
      {"removed", true, [](const std::string& p) { fs::remove(p); }, true},
      {"created", false, [](const std::string& p) { SaveFileAtomically(p, ""); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(PathOf("config.xml"));
    if (c.existed) Put("config.xml", "old");
    EditedFile file(PathOf("config.xml"));
    EXPECT_EQ(file.Existed(), c.existed);
    c.change(PathOf("config.xml"));
    EXPECT_EQ(file.ChangedSinceRead(), c.changed);
  }
}

}  // namespace
