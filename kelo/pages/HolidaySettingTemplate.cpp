#include "kelo/pages/HolidaySettingTemplate.h"

#include "kelo/pages/HolidaySettingIds.h"

namespace kelo {

// Three columns: the currencies at the left, the two pickers with their buttons in
// the middle and the file and currency buttons under them, the holidays of the shown currency at
// the right with their remove buttons below, OK and Cancel at the bottom right.
DialogTemplate HolidaySettingTemplate() {
  using K = ControlKind;
  using S = ControlStyle;
  DialogTemplate dialog;
  dialog.id = IDD_KELO_HOLIDAYSETTING;
  dialog.title = "Holiday setting";
  dialog.width = 350;
  dialog.height = 251;
  dialog.style = DialogStyle::ModalFrame | DialogStyle::Caption | DialogStyle::SysMenu;
  dialog.controls = {
      {IDC_STATIC, K::Label, "Currency:", {7, 7, 56, 8}},
      {IDC_HOLIDAY_CURRENCY,
       K::ListBox,
       "",
       {7, 17, 56, 206},
       S::Sorted | S::Notify | S::VScroll | S::Group},
      {IDC_HOLIDAY_DATE, K::DateTimePicker, "", {70, 17, 86, 14}, S::Group},
      {IDC_HOLIDAY_ADD, K::PushButton, "Add", {70, 35, 86, 14}},
      {IDC_STATIC, K::Label, "==>", {160, 38, 16, 8}},
      {IDC_HOLIDAY_YEAR, K::DateTimePicker, "", {70, 70, 86, 14}, S::UpDown | S::Group},
      {IDC_HOLIDAY_ADD_YEAR, K::PushButton, "Add holiday of year", {70, 88, 86, 14}},
      {IDC_STATIC, K::Label, "==>", {160, 91, 16, 8}},
      {IDC_HOLIDAY_IMPORT, K::PushButton, "Import...", {70, 120, 86, 14}, S::Group},
      {IDC_HOLIDAY_EXPORT, K::PushButton, "Export...", {70, 138, 86, 14}},
      // Its own mnemonic leaves every other control of the dialog the one it had.
      {IDC_HOLIDAY_NEW_CURRENCY, K::PushButton, "Ne&w currency...", {70, 156, 86, 14}},
      {IDC_STATIC, K::Label, "Holiday:", {180, 7, 60, 8}},
      {IDC_HOLIDAY_LIST,
       K::ListView,
       "",
       {180, 17, 163, 186},
       S::SortAscending | S::ShowSelAlways | S::VScroll | S::Group},
      {IDC_HOLIDAY_REMOVE, K::PushButton, "Remove", {180, 207, 50, 14}},
      {IDC_HOLIDAY_REMOVE_ALL, K::PushButton, "Remove All", {234, 207, 50, 14}},
      {IDOK, K::PushButton, "OK", {239, 230, 50, 14}, S::DefaultButton | S::Group},
      {IDCANCEL, K::PushButton, "Cancel", {293, 230, 50, 14}},
  };
  return dialog;
}

DialogTemplate NewCurrencyTemplate() {
  using K = ControlKind;
  using S = ControlStyle;
  DialogTemplate dialog;
  dialog.id = IDD_KELO_NEWCURRENCY;
  dialog.title = "New currency";
  dialog.width = 170;
  dialog.height = 50;
  dialog.style = DialogStyle::ModalFrame | DialogStyle::Caption | DialogStyle::SysMenu;
  dialog.controls = {
      {IDC_STATIC, K::Label, "Currency:", {7, 9, 36, 8}},
      {IDC_NEW_CURRENCY_CODE, K::Edit, "", {46, 7, 117, 14}},
      {IDOK, K::PushButton, "OK", {59, 29, 50, 14}, S::DefaultButton | S::Group},
      {IDCANCEL, K::PushButton, "Cancel", {113, 29, 50, 14}},
  };
  return dialog;
}

}  // namespace kelo
