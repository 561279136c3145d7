#include "tool/ui/QtBackendLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "text/TextEscape.h"
#include "tool/module/ToolPaths.h"
#include "ui/backend/UiBackend.h"

namespace {

std::string QtBackendPath() { return (HostLibraryFolder() / "libhcd_ui_qt.so").string(); }

// Qt wants a private runtime folder and warns on every start without one; give it
// the one it would fall back to, so the warning does not mix with the output.
void EnsureRuntimeFolder() {
  if (std::getenv("XDG_RUNTIME_DIR") != nullptr) return;
  const std::string folder = "/tmp/runtime-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
      (st.st_mode & 0077) == 0)
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 0);
}

}  // namespace

std::unique_ptr<UiBackend> LoadQtBackend() {
  EnsureRuntimeFolder();
  const std::string path = QtBackendPath();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
      throw std::runtime_error("the Qt user interface is not installed (no " +
                               ShownToken(path, TextBytes::Utf8) +
                               "): install the package " HCD_QT_PACKAGE);
    throw std::runtime_error("cannot load the Qt user interface " +
                             ShownToken(path, TextBytes::Utf8) + ": " +
                             (why != nullptr ? why : "unknown reason"));
  }
  auto factory = reinterpret_cast<UiBackendFactory>(dlsym(handle, kUiBackendFactorySymbol));
  if (factory == nullptr)
    throw std::runtime_error(ShownToken(path, TextBytes::Utf8) + " does not export " +
                             kUiBackendFactorySymbol);
  std::unique_ptr<UiBackend> backend(factory());
  if (!backend) {
    auto failure = reinterpret_cast<UiBackendFailure>(dlsym(handle, kUiBackendFailureSymbol));
    const char* why = failure != nullptr ? failure() : nullptr;
    throw std::runtime_error(std::string("no window can be opened: ") +
                             (why != nullptr && *why != '\0' ? why : "Qt cannot start here"));
  }
  return backend;
}
