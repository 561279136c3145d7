#include "tool/ControlLabel.h"

#include "ui/DialogTemplate.h"

std::string ControlLabel(const DialogTemplate& dialog, const ControlTemplate& control) {
  if (!IsInputKind(control.kind)) return control.caption;
  const ControlTemplate* label = dialog.LabelFor(control.id);
  return label != nullptr ? label->caption : std::string();
}
