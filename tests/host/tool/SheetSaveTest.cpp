// The save of an edit in the window: whatever refuses or fails it leaves the sheet
// open with the user's edit and a message box naming the file, so OK can be pressed
// again once the cause is gone, or the edit cancelled. The scripted backend plays
// the user of the window; the module is the real one.
#include "tool/module/SheetSave.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "files/EditedFile.h"
#include "props/CHandlerPrivateProps.h"
#include "tests/ScratchFolder.h"
#include "tool/module/Module.h"
#include "tool/module/ModuleSheet.h"
#include "ui/WinConstants.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptedBackend.h"

namespace fs = std::filesystem;

namespace {

const std::string kDynamic =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties>\n"
    "  <Property Name=\"SecurityID\" Type=\"String\">OLD</Property>\n</Properties>\n";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class SheetSaveTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = std::make_unique<Module>(KELO_MODULE_PATH); }
  static void TearDownTestSuite() { module_.reset(); }

  void SetUp() override { scratch_.Write("folder/dynamic.xml", kDynamic); }

  // Edits file_ on the module's record-set page in a sheet that saves on OK, as
  // the window does; `play` queues the user's actions.
  int Edit(const std::function<void(ScriptedBackend&)>& play) {
    auto owned = std::make_unique<ScriptedBackend>();
    backend_ = owned.get();
    ScopedUiBackend scope(std::move(owned));
    EditedFile file(file_.string());
    CHandlerPrivateProps bag;
    bag.fromXML(file.Content());
    ModuleSheet sheet(*module_, ConfigKind::Dynamic, bag);
    SheetSave save(file, bag, sheet.Page(), sheet.Sheet(), false);
    sheet.Sheet().SetApplyHandler([&save] { return save.Apply(); });
    play(*backend_);
    const int result = sheet.Run() ? IDOK : IDCANCEL;
    messages_.clear();
    for (const MessageRecord& m : backend_->Messages()) messages_.push_back(m.request.text);
    output_ = backend_->Output();
    backend_ = nullptr;
    return result;
  }

  static inline std::unique_ptr<Module> module_;
  const ScratchFolder scratch_{"sheet-save", ::testing::TempDir()};
  const fs::path& root_ = scratch_.path();
  const fs::path file_ = root_ / "folder" / "dynamic.xml";
  ScriptedBackend* backend_ = nullptr;  // while Edit runs
  // What the user saw: the message boxes, and what "print" showed.
  std::vector<std::string> messages_;
  std::string output_;
};

// The disk fills up during the write (a file size limit stands for it).
TEST_F(SheetSaveTest, AFailedWriteKeepsTheSheetOpenUntilOkSaves) {
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previous = ::signal(SIGXFSZ, SIG_IGN);
  bool unchangedMeanwhile = false;
  const int result = Edit([&](ScriptedBackend& user) {
    user.Load("set 12035 NEW\n");
    user.Then([] {
      const rlimit tiny{16, RLIM_INFINITY};
      ::setrlimit(RLIMIT_FSIZE, &tiny);
    });
    user.Load("ok\n");
    user.Then([&] {
      ::setrlimit(RLIMIT_FSIZE, &old);
      unchangedMeanwhile = ReadAll(file_) == kDynamic;
    });
    user.Load("print 12035\nok\n");
  });
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previous);
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(unchangedMeanwhile);
  EXPECT_EQ(output_, "NEW\n") << "the edit was not on screen after the failure";
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("\"" + file_.string() + "\""), std::string::npos) << messages_[0];
  EXPECT_NE(messages_[0].find(std::strerror(EFBIG)), std::string::npos) << messages_[0];
  EXPECT_NE(ReadAll(file_).find("NEW"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "folder"), fs::directory_iterator()), 1);
}

TEST_F(SheetSaveTest, AVanishedFolderKeepsTheSheetOpenAndCancelLeavesTheFile) {
  const int result = Edit([&](ScriptedBackend& user) {
    user.Load("set 12035 NEW\n");
    user.Then([&] { fs::rename(root_ / "folder", root_ / "moved"); });
    user.Load("ok\n");
    user.Then([&] { fs::rename(root_ / "moved", root_ / "folder"); });
    user.Load("cancel\n");
  });
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("\"" + file_.string() + "\""), std::string::npos) << messages_[0];
  EXPECT_EQ(ReadAll(file_), kDynamic);
}

// A change made behind the edit's back is overwritten only after a yes.
TEST_F(SheetSaveTest, AFileChangedBehindTheEditIsOverwrittenOnlyWhenTheUserSaysSo) {
  const std::string behind = kDynamic + "<!-- changed -->\n";
  bool keptAfterNo = false;
  const int result = Edit([&](ScriptedBackend& user) {
    user.Load("set 12035 NEW\n");
    user.Then([&] { std::ofstream(file_, std::ios::binary) << behind; });
    user.Load("ok\nanswer no\n");
    user.Then([&] { keptAfterNo = ReadAll(file_) == behind; });
    user.Load("ok\nanswer yes\n");
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(keptAfterNo);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_NE(messages_[0].find("changed by another program"), std::string::npos) << messages_[0];
  EXPECT_NE(messages_[0].find(file_.string()), std::string::npos) << messages_[0];
  EXPECT_NE(ReadAll(file_).find("NEW"), std::string::npos);
}

}  // namespace
