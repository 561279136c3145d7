#include "tests/host/ui/qt/QtTestBackend.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class QtBackendEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    std::unique_ptr<QtUiBackend> backend = QtUiBackend::Create();
    ASSERT_NE(backend, nullptr) << "Qt cannot start; run with QT_QPA_PLATFORM=offscreen";
    UiBackend::Install(std::move(backend));
  }
  void TearDown() override { UiBackend::Uninstall().reset(); }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtBackendEnvironment);

}  // namespace

QtUiBackend& TestBackend() {
  auto* backend = dynamic_cast<QtUiBackend*>(UiBackend::Installed());
  if (!backend) throw std::logic_error("the Qt test backend is not installed");
  return *backend;
}
