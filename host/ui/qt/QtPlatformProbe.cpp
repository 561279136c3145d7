#include "ui/qt/QtPlatformProbe.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string_view>

namespace {

// libxcb is what Qt's xcb platform connects with; it is looked up only when needed,
// so the backend links nothing of X itself.
bool XDisplayAnswers() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return false;
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (xcb == nullptr) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool answers = false;
  if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
    void* connection = connect(nullptr, nullptr);
    answers = hasError(connection) == 0;
    disconnect(connection);
  }
  dlclose(xcb);
  return answers;
}

}  // namespace

bool QtPlatformCanStart() {
  const char* named = std::getenv("QT_QPA_PLATFORM");
  if (named != nullptr && *named != '\0') {
    const std::string_view platform(named);
    if (!platform.starts_with("xcb")) return true;
  }
  return XDisplayAnswers();
}
