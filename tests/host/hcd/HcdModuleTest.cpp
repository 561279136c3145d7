#include "hcd/HcdModule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hcd/CHcdWrapper.h"
#include "hcd/ModuleVersionInfo.h"

namespace {

struct LoadFailure {
  std::string path;
  std::string expected;  // a fragment of the message
};

TEST(HcdModuleTest, RefusesWhatIsNotAHandlerModuleWithTheFileNamed) {
  const std::string missing = std::string(TEST_SCRATCH_DIR) + "/no-such-module.hcd";
  const LoadFailure cases[] = {
      {missing, "No such file"},
      {TEST_SCRATCH_DIR, "it is a folder"},
      {NO_EXPORT_MODULE, "does not export HCDProc"},
      {NO_ATTACH_MODULE, "attached no handler when HCDProc was called"},
      {REFUSING_MODULE, "attached no handler: its licence does not cover this host"},
      {__FILE__, "cannot load handler module"},
  };
  for (const LoadFailure& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      HcdModule::Open(c.path);
      ADD_FAILURE() << "loaded";
    } catch (const HcdLoadError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(c.path), std::string::npos) << what;
      EXPECT_NE(what.find(c.expected), std::string::npos) << what;
    }
  }
}

TEST(HcdModuleTest, VersionRecordIsRefusedForFilesWithoutOne) {
  EXPECT_THROW(ModuleVersionInfo::ReadFromFile(NO_EXPORT_MODULE), std::runtime_error);
  EXPECT_THROW(ModuleVersionInfo::ReadFromFile(__FILE__), std::runtime_error);
  EXPECT_THROW(ModuleVersionInfo::ReadFromFile(std::string(TEST_SCRATCH_DIR) + "/none"),
               std::runtime_error);
}

}  // namespace
