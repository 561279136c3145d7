#include "bench/ScriptedDialogDriver.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "kelo/pages/HolidaySettingIds.h"

namespace bench {
ScriptedDialogDriver::ScriptedDialogDriver()
    : HolidayDialogDriver(std::make_unique<ScriptedBackend>()) {}

ScriptedDialogDriver::~ScriptedDialogDriver() = default;

void ScriptedDialogDriver::Opened() {
  window_ = static_cast<ScriptedBackend&>(Backend()).FindWindow(kelo::IDD_KELO_HOLIDAYSETTING);
  if (window_ == nullptr) throw std::logic_error("the holiday dialog has no scripted window");
}

ScriptedWindow& ScriptedDialogDriver::Window() const {
  if (window_ == nullptr) throw std::logic_error("the holiday dialog is not open");
  return *window_;
}

void ScriptedDialogDriver::SelectCurrency(std::string_view code) {
  const std::vector<std::string> items = Window().Items(kelo::IDC_HOLIDAY_CURRENCY);
  const auto found = std::find(items.begin(), items.end(), code);
  if (found == items.end()) throw std::logic_error("no currency " + std::string(code));
  Window().UserSelectItem(kelo::IDC_HOLIDAY_CURRENCY, static_cast<int>(found - items.begin()));
}

void ScriptedDialogDriver::SelectAllRows() {
  std::vector<int> rows(static_cast<std::size_t>(RowCount()));
  std::iota(rows.begin(), rows.end(), 0);
  Window().UserSelectRows(kelo::IDC_HOLIDAY_LIST, rows);
}

void ScriptedDialogDriver::PickYear(int year) {
  Window().UserPickYear(kelo::IDC_HOLIDAY_YEAR, year);
}

void ScriptedDialogDriver::Click(int controlId) { Window().UserClick(controlId); }

int ScriptedDialogDriver::RowCount() const { return Window().RowCount(kelo::IDC_HOLIDAY_LIST); }

}  // namespace bench
