#include "ui/qt/HcdCreateUiBackend.h"

#include <type_traits>

#include "ui/qt/QtUiBackend.h"

static_assert(std::is_same_v<decltype(&HcdCreateUiBackend), UiBackendFactory>);

extern "C" __attribute__((visibility("default"))) UiBackend* HcdCreateUiBackend() {
  try {
    return QtUiBackend::Create().release();
  } catch (...) {
    return nullptr;
  }
}
