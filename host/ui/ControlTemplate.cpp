#include "ui/ControlTemplate.h"

const char* ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "label";
    case ControlKind::GroupBox:
      return "group box";
    case ControlKind::PushButton:
      return "push button";
    case ControlKind::CheckBox:
      return "check box";
    case ControlKind::RadioButton:
      return "radio button";
    case ControlKind::Edit:
      return "edit";
    case ControlKind::ComboBox:
      return "combo box";
    case ControlKind::ListBox:
      return "list box";
    case ControlKind::ListView:
      return "list view";
    case ControlKind::DateTimePicker:
      return "date-time picker";
  }
  return "control";
}
