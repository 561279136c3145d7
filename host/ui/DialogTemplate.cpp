#include "ui/DialogTemplate.h"

std::string DialogTemplate::FieldName(int controlId) const {
  const std::string fallback = "control " + std::to_string(controlId);
  const ControlTemplate* control = FindControl(controlId);
  if (control == nullptr) return fallback;
  // A label names the next control that is neither a label nor a group box.
  for (auto at = controls.begin() + (control - controls.data()); at != controls.begin();) {
    --at;
    if (at->kind == ControlKind::GroupBox) continue;
    if (at->kind != ControlKind::Label) break;
    std::string name;
    for (std::size_t i = 0; i < at->caption.size(); ++i) {
      if (at->caption[i] == '&' && i + 1 < at->caption.size()) ++i;
      name += at->caption[i];
    }
    while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
    return name.empty() ? fallback : name;
  }
  return fallback;
}

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
  if (controlId == IDC_STATIC) return nullptr;
  for (const ControlTemplate& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}
