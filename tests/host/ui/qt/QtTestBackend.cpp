#include "tests/host/ui/qt/QtTestBackend.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "tests/ScratchFolder.h"

namespace {

class QtBackendEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // What the backend remembers (the folder a file was last chosen in) goes to a
    // folder of the test's, not to the settings of whoever runs the tests.
    settings_ = std::make_unique<ScratchFolder>("qt-settings", ::testing::TempDir());
    ::setenv("XDG_CONFIG_HOME", settings_->path().c_str(), 1);
    std::unique_ptr<QtUiBackend> backend = QtUiBackend::Create();
    ASSERT_NE(backend, nullptr) << "Qt cannot start; run with QT_QPA_PLATFORM=offscreen";
    UiBackend::Install(std::move(backend));
  }
  void TearDown() override {
    UiBackend::Uninstall().reset();
    settings_.reset();
  }

 private:
  std::unique_ptr<ScratchFolder> settings_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtBackendEnvironment);

}  // namespace

QtUiBackend& TestBackend() {
  auto* backend = dynamic_cast<QtUiBackend*>(UiBackend::Installed());
  if (!backend) throw std::logic_error("the Qt test backend is not installed");
  return *backend;
}
