#include "tool/ui/UiBackendLoader.h"

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

std::string LibraryPath(UiLibrary library) {
  return (HostLibraryFolder() /
          (library == UiLibrary::Qt ? "libhcd_ui_qt.so" : "libhcd_ui_terminal.so"))
      .string();
}

const char* LibraryName(UiLibrary library) {
  return library == UiLibrary::Qt ? "the Qt user interface" : "the terminal user interface";
}

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

bool UiLibraryInstalled(UiLibrary library) {
  std::error_code ec;
  return std::filesystem::exists(LibraryPath(library), ec);
}

std::unique_ptr<UiBackend> LoadUiBackend(UiLibrary library) {
  if (library == UiLibrary::Qt) EnsureRuntimeFolder();
  const std::string path = LibraryPath(library);
  const std::string shown = ShownToken(path, TextBytes::Utf8);
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    if (!UiLibraryInstalled(library)) {
      if (library == UiLibrary::Qt)
        throw std::runtime_error("the Qt user interface is not installed (no " + shown +
                                 "): install the package " HCD_QT_PACKAGE);
      throw std::runtime_error("the terminal user interface is not installed (no " + shown +
                               "): reinstall the package " HCD_PACKAGE);
    }
    throw std::runtime_error(std::string("cannot load ") + LibraryName(library) + " " + shown +
                             ": " + (why != nullptr ? why : "unknown reason"));
  }
  auto factory = reinterpret_cast<UiBackendFactory>(dlsym(handle, kUiBackendFactorySymbol));
  if (factory == nullptr)
    throw std::runtime_error(shown + " does not export " + kUiBackendFactorySymbol);
  std::unique_ptr<UiBackend> backend(factory());
  if (!backend) {
    auto failure = reinterpret_cast<UiBackendFailure>(dlsym(handle, kUiBackendFailureSymbol));
    const char* why = failure != nullptr ? failure() : nullptr;
    const bool said = why != nullptr && *why != '\0';
    if (library == UiLibrary::Qt)
      throw std::runtime_error(std::string("no window can be opened: ") +
                               (said ? why : "Qt cannot start here"));
    throw std::runtime_error(std::string("the pages cannot be shown in this terminal: ") +
                             (said ? why : "curses cannot start here"));
  }
  return backend;
}
