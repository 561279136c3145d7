#include "ui/terminal/HcdCreateUiBackend.h"

#include <exception>
#include <string>
#include <type_traits>

#include "ui/terminal/TerminalUiBackend.h"

static_assert(std::is_same_v<decltype(&HcdCreateUiBackend), UiBackendFactory>);
static_assert(std::is_same_v<decltype(&HcdUiBackendFailure), UiBackendFailure>);

namespace {

std::string& LastFailure() {
  static std::string failure;
  return failure;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) UiBackend* HcdCreateUiBackend() {
  try {
    std::unique_ptr<TerminalUiBackend> backend = TerminalUiBackend::Create(&LastFailure());
    return backend.release();
  } catch (const std::exception& e) {
    LastFailure() = e.what();
  } catch (...) {
    LastFailure() = "the terminal user interface failed to start";
  }
  return nullptr;
}

extern "C" __attribute__((visibility("default"))) const char* HcdUiBackendFailure() {
  return LastFailure().c_str();
}
