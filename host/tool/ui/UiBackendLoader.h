#pragma once

#include <memory>

class UiBackend;

// The backends that show windows to a person, each in a library of its own that
// only commands which open a window load, so that the others never start Qt or
// curses. A library stays loaded for the rest of the process: Qt cannot be unloaded
// safely once it has run.
enum class UiLibrary {
  Qt,        // libhcd_ui_qt.so, from its own package
  Terminal,  // libhcd_ui_terminal.so, beside the tool
};

// Whether the library is there to be loaded.
bool UiLibraryInstalled(UiLibrary library);

// Loads the library and starts its backend. Throws std::runtime_error in one line
// when it is not installed or cannot start here, saying why ("no window can be
// opened: ...").
std::unique_ptr<UiBackend> LoadUiBackend(UiLibrary library);
