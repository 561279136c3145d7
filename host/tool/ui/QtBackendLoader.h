#pragma once

#include <memory>

class UiBackend;

// The Qt backend lives in a library of its own that only commands which open a
// window load, so the others never start Qt. The library stays loaded for the rest
// of the process: Qt cannot be unloaded safely once it has run.
std::unique_ptr<UiBackend> LoadQtBackend();
