#include "ui/backend/ScopedUiBackend.h"

ScopedUiBackend::ScopedUiBackend(std::unique_ptr<UiBackend> backend)
    : previous_(UiBackend::Install(std::move(backend))) {}

ScopedUiBackend::~ScopedUiBackend() { UiBackend::Install(std::move(previous_)); }
