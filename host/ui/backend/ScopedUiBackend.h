#pragma once

#include <memory>

#include "ui/backend/UiBackend.h"

// Installs a backend for a scope and puts the previous one back at its end.
class ScopedUiBackend {
 public:
  explicit ScopedUiBackend(std::unique_ptr<UiBackend> backend);
  ~ScopedUiBackend();
  ScopedUiBackend(const ScopedUiBackend&) = delete;
  ScopedUiBackend& operator=(const ScopedUiBackend&) = delete;

 private:
  std::unique_ptr<UiBackend> previous_;
};
