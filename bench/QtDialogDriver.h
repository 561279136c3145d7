#pragma once

#include <memory>

#include "bench/HolidayDialogDriver.h"

class QDateTimeEdit;
class QListWidget;
class QTableView;
class QtUiWindow;

namespace bench {

// The holiday dialog as real Qt widgets, shown (on the offscreen platform when there
// is no screen) and played through the widgets' own operations, which signal the
// dialog as the user's clicks and selections do. Every action returns once Qt has
// also handled what it posted (layout, painting), which the user waits for too.
class QtDialogDriver : public HolidayDialogDriver {
 public:
  // Null when Qt cannot start.
  static std::unique_ptr<QtDialogDriver> Create();
  ~QtDialogDriver() override;

  std::string_view BackendName() const override { return "qt"; }
  void SelectCurrency(std::string_view code) override;
  void SelectAllRows() override;
  void PickYear(int year) override;
  void Click(int controlId) override;
  int RowCount() const override;

 protected:
  void Opened() override;
  void Closing() override;

 private:
  explicit QtDialogDriver(std::unique_ptr<UiBackend> backend);
  QtUiWindow& Window() const;
  // Lets Qt handle the events it has posted.
  static void Settle();

  QtUiWindow* window_ = nullptr;
  QListWidget* currencies_ = nullptr;
  QTableView* holidays_ = nullptr;
  QDateTimeEdit* year_ = nullptr;
};

}  // namespace bench
