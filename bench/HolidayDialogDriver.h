#pragma once

#include <memory>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "kelo/pages/CKELODlgHolidaySetting.h"
#include "ui/backend/UiBackend.h"

namespace bench {

// The holiday setting dialog on one user-interface backend, and what a user does to
// it. The backend is installed only while a dialog is open, so drivers of several
// backends can take turns in one process.
class HolidayDialogDriver {
 public:
  explicit HolidayDialogDriver(std::unique_ptr<UiBackend> backend);
  virtual ~HolidayDialogDriver();
  HolidayDialogDriver(const HolidayDialogDriver&) = delete;
  HolidayDialogDriver& operator=(const HolidayDialogDriver&) = delete;

  virtual std::string_view BackendName() const = 0;

  // Opens the dialog over a copy of the table, as the handler page does: it shows
  // the first currency of its list.
  void Open(const kelo::HolidayTable& table);
  void Close();

  // The user's actions; each returns once the dialog has handled it.
  virtual void SelectCurrency(std::string_view code) = 0;
  virtual void SelectAllRows() = 0;
  virtual void PickYear(int year) = 0;
  virtual void Click(int controlId) = 0;
  // The rows the holiday list shows.
  virtual int RowCount() const = 0;

 protected:
  // The window is built and initialised; find it.
  virtual void Opened() = 0;
  // Before the window goes.
  virtual void Closing() {}
  UiBackend& Backend() const { return *backendView_; }
  // The open dialog; std::logic_error when none is open.
  kelo::CKELODlgHolidaySetting& Dialog() const;

 private:
  std::unique_ptr<UiBackend> backend_;  // while no dialog is open
  UiBackend* backendView_;
  std::unique_ptr<kelo::CKELODlgHolidaySetting> dialog_;
};

}  // namespace bench
