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

bool IsInputKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::DateTimePicker:
      return true;
    case ControlKind::Label:
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return false;
  }
  return false;
}
