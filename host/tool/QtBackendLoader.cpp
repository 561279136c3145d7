#include "tool/QtBackendLoader.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "ui/UiBackend.h"

namespace {

std::string QtBackendPath() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "libhcd_ui_qt.so";
  return (self.parent_path().parent_path() / HCD_LIBDIR / "libhcd_ui_qt.so").string();
}

}  // namespace

std::unique_ptr<UiBackend> LoadQtBackend() {
  const std::string path = QtBackendPath();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    throw std::runtime_error("cannot load the Qt user interface " + path + ": " +
                             (why != nullptr ? why : "unknown reason"));
  }
  auto factory = reinterpret_cast<UiBackendFactory>(dlsym(handle, kUiBackendFactorySymbol));
  if (factory == nullptr)
    throw std::runtime_error(path + " does not export " + kUiBackendFactorySymbol);
  std::unique_ptr<UiBackend> backend(factory());
  if (!backend)
    throw std::runtime_error(
        "the Qt user interface cannot start: no display (set DISPLAY, or "
        "QT_QPA_PLATFORM=offscreen to run without a screen)");
  return backend;
}
