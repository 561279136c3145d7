#pragma once

#include "bench/HolidayDialogDriver.h"
#include "ui/scripted/ScriptedBackend.h"

namespace bench {

// The holiday dialog in memory, played through the scripted window's user actions.
class ScriptedDialogDriver : public HolidayDialogDriver {
 public:
  ScriptedDialogDriver();
  ~ScriptedDialogDriver() override;

  std::string_view BackendName() const override { return "scripted"; }
  void SelectCurrency(std::string_view code) override;
  void SelectAllRows() override;
  void PickYear(int year) override;
  void Click(int controlId) override;
  int RowCount() const override;

 protected:
  void Opened() override;
  void Closing() override { window_ = nullptr; }

 private:
  ScriptedWindow& Window() const;

  ScriptedWindow* window_ = nullptr;
};

}  // namespace bench
