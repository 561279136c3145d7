#include "bench/HolidayDialogDriver.h"

#include <stdexcept>

namespace bench {

HolidayDialogDriver::HolidayDialogDriver(std::unique_ptr<UiBackend> backend)
    : backend_(std::move(backend)), backendView_(backend_.get()) {}

HolidayDialogDriver::~HolidayDialogDriver() = default;

void HolidayDialogDriver::Open(const kelo::HolidayTable& table) {
  if (dialog_) throw std::logic_error("the holiday dialog is open already");
  std::unique_ptr<UiBackend> previous = UiBackend::Install(std::move(backend_));
  if (previous) {
    backend_ = UiBackend::Install(std::move(previous));
    throw std::logic_error("another user-interface backend is installed");
  }
  try {
    dialog_ = std::make_unique<kelo::CKELODlgHolidaySetting>(table);
    dialog_->Create();
    Opened();
  } catch (...) {
    dialog_.reset();
    backend_ = UiBackend::Uninstall();
    throw;
  }
}

void HolidayDialogDriver::Close() {
  if (!dialog_) return;
  Closing();
  dialog_.reset();
  backend_ = UiBackend::Uninstall();
}

kelo::CKELODlgHolidaySetting& HolidayDialogDriver::Dialog() const {
  if (!dialog_) throw std::logic_error("the holiday dialog is not open");
  return *dialog_;
}

}  // namespace bench
