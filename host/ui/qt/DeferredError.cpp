#include "ui/qt/DeferredError.h"

#include <QApplication>
#include <QDialog>

#include "ui/WinConstants.h"

void DeferredError::Capture(std::exception_ptr error) {
  if (!error_) error_ = std::move(error);
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
    dialog->done(IDABORT);
  }
}

void DeferredError::RethrowIfAny() {
  if (!error_) return;
  std::exception_ptr error = std::move(error_);
  error_ = nullptr;
  std::rethrow_exception(error);
}
