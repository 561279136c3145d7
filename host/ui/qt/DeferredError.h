#pragma once

#include <exception>

// An exception raised by framework code that Qt called, on its way to the code that
// started the modal loop. Nothing may unwind through Qt's event handling, so the
// exception is kept, the innermost modal loop is ended, and whoever ran that loop
// rethrows it once the loop has returned.
class DeferredError {
 public:
  // Keeps the first exception until it is rethrown and ends the innermost modal
  // dialog, if one runs.
  void Capture(std::exception_ptr error);
  // Throws the kept exception, once.
  void RethrowIfAny();
  bool HasError() const { return static_cast<bool>(error_); }

 private:
  std::exception_ptr error_;
};
