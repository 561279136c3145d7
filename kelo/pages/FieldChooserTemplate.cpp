#include "kelo/pages/PageTemplates.h"
#include "kelo/pages/ResourceIds.h"

namespace kelo {

DialogTemplate FieldChooserTemplate() {
  using S = ControlStyle;
  DialogTemplate t;
  t.id = IDD_KELO_FIELDCHOOSER;
  t.title = "Select Field";
  t.width = 190;
  t.height = 135;
  t.style = DialogStyle::ModalFrame | DialogStyle::Caption | DialogStyle::SysMenu;
  t.controls = {
      {IDC_FIELD_LIST,
       ControlKind::ListBox,
       "",
       {7, 7, 176, 100},
       S::Sorted | S::Notify | S::VScroll},
      {IDOK, ControlKind::PushButton, "OK", {80, 114, 50, 14}, S::DefaultButton},
      {IDCANCEL, ControlKind::PushButton, "Cancel", {133, 114, 50, 14}},
  };
  return t;
}

}  // namespace kelo
