#include "tool/ControlLabel.h"

#include "ui/DialogTemplate.h"

bool IsInput(const ControlTemplate& control) {
  switch (control.kind) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::DateTimePicker:
      return true;
    default:
      return false;
  }
}

std::string ControlLabel(const DialogTemplate& dialog, const ControlTemplate& control) {
  if (!IsInput(control)) return control.caption;
  const ControlTemplate* label = dialog.LabelFor(control.id);
  return label != nullptr ? label->caption : std::string();
}
