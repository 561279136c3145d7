#include "tests/kelo/pages/HolidaySettingPicture.h"

#include "kelo/pages/CKELODlgHolidaySetting.h"
#include "kelo/pages/HolidaySettingIds.h"
#include "ui/backend/UiBackend.h"

void RenderHolidaySettingPicture(const std::string& path) {
  kelo::HolidayTable holidays;
  holidays.EnsureCurrency("GBP");
  holidays.AddHolidaysOfYear("GBP", 2024);
  kelo::CKELODlgHolidaySetting dialog(holidays);
  dialog.Create();
  UiWindow& window = *dialog.GetUiWindow();
  // The user picks "GBP".
  window.SetSelection(kelo::IDC_HOLIDAY_CURRENCY, 1);
  dialog.OnControlNotify(kelo::IDC_HOLIDAY_CURRENCY, LBN_SELCHANGE);
  // Fixed dates, so that the picture does not change with the day it is made.
  window.SetDateTime(kelo::IDC_HOLIDAY_DATE, DateTimeValue::Date(2024, 6, 15));
  window.SetDateTime(kelo::IDC_HOLIDAY_YEAR, DateTimeValue::Date(2024, 1, 1));
  window.SetRowSelected(kelo::IDC_HOLIDAY_LIST, 0, true);
  window.SetRowSelected(kelo::IDC_HOLIDAY_LIST, 3, true);
  UiBackend::Current().RenderWindowToPng(window, path);
  dialog.DestroyWindow();
}
