#pragma once

#include "ui/backend/UiBackend.h"

// The library's factory, found with dlsym under kUiBackendFactorySymbol: a new Qt
// backend that the caller owns, or null when Qt cannot start.
extern "C" UiBackend* HcdCreateUiBackend();
// Why the last HcdCreateUiBackend handed over null (kUiBackendFailureSymbol).
extern "C" const char* HcdUiBackendFailure();
