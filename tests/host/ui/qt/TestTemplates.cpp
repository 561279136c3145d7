#include "tests/host/ui/qt/TestTemplates.h"

namespace qttest {

DialogTemplate ControlsDialog() {
  using K = ControlKind;
  using S = ControlStyle;
  DialogTemplate dialog;
  dialog.id = kControlsDialog;
  dialog.title = "Controls";
  dialog.width = 320;
  dialog.height = 220;
  dialog.style = DialogStyle::ModalFrame | DialogStyle::Caption | DialogStyle::SysMenu;
  dialog.controls = {
      {IDC_NAME_LABEL, K::Label, "&Name:", {7, 9, 40, 8}},
      {IDC_NAME, K::Edit, "", {50, 7, 100, 14}},
      {IDC_STATIC, K::Label, "Password:", {7, 27, 40, 8}},
      {IDC_SECRET, K::Edit, "", {50, 25, 100, 14}, S::Password},
      {IDC_ENABLE, K::CheckBox, "Enable", {7, 45, 60, 10}},
      {IDC_STATIC, K::GroupBox, "Mode", {7, 60, 150, 44}},
      {IDC_AUTO_A, K::RadioButton, "Auto A", {14, 72, 60, 10}, S::AutoRadio | S::Group},
      {IDC_AUTO_B, K::RadioButton, "Auto B", {14, 86, 60, 10}, S::AutoRadio},
      {IDC_PLAIN_C, K::RadioButton, "Plain C", {84, 72, 60, 10}, S::Group},
      {IDC_PLAIN_D, K::RadioButton, "Plain D", {84, 86, 60, 10}},
      {IDC_EDIT_COMBO, K::ComboBox, "", {7, 112, 100, 60}, S::DropDown | S::Sorted},
      {IDC_LIST_COMBO, K::ComboBox, "", {7, 134, 100, 60}},
      {IDC_LIST_BOX, K::ListBox, "", {170, 7, 140, 60}, S::Sorted | S::Notify | S::VScroll},
      {IDC_LIST_VIEW, K::ListView, "", {170, 72, 140, 80}, S::SortAscending | S::ShowSelAlways},
      {IDC_DATE, K::DateTimePicker, "", {170, 158, 70, 14}},
      {IDC_YEAR, K::DateTimePicker, "", {245, 158, 65, 14}, S::UpDown},
      {IDOK, K::PushButton, "OK", {150, 198, 50, 14}, S::DefaultButton},
      {IDCANCEL, K::PushButton, "Cancel", {205, 198, 50, 14}},
      {IDC_APPLY, K::PushButton, "&Apply", {260, 198, 50, 14}},
  };
  return dialog;
}

DialogTemplate PageTemplate(int id, std::string title) {
  DialogTemplate page;
  page.id = id;
  page.title = std::move(title);
  page.width = 200;
  page.height = 80;
  page.style = DialogStyle::Child;
  page.controls = {
      {IDC_STATIC, ControlKind::Label, "Value:", {7, 9, 40, 8}},
      {IDC_PAGE_EDIT, ControlKind::Edit, "", {50, 7, 140, 14}},
  };
  return page;
}

}  // namespace qttest
