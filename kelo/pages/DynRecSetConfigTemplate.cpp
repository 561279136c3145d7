#include "kelo/pages/PageTemplates.h"
#include "kelo/pages/ResourceIds.h"

namespace kelo {

DialogTemplate DynRecSetConfigTemplate() {
  DialogTemplate t;
  t.id = IDD_KELO_DYNRECSET;
  t.title = "KELO Dynamic Recordset Configuration";
  t.width = 320;
  t.height = 50;
  t.style = DialogStyle::Child;
  t.controls = {
      {IDC_STATIC, ControlKind::GroupBox, "Instrument", {7, 7, 306, 36}},
      {IDC_STATIC, ControlKind::Label, "Security ID:", {15, 23, 76, 8}},
      {IDC_SECURITY_ID, ControlKind::Edit, "", {94, 20, 211, 14}},
  };
  return t;
}

}  // namespace kelo
