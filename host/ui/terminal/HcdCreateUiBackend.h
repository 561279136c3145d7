#pragma once

#include "ui/backend/UiBackend.h"

// The entry points of the terminal backend's library (see UiBackend).
extern "C" {
UiBackend* HcdCreateUiBackend();
const char* HcdUiBackendFailure();
}
