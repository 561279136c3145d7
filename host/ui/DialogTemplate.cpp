#include "ui/DialogTemplate.h"

namespace {

// Ranges that overlap or touch: rectangles of zero size, as tests draw them, count.
bool Meet(int start, int end, int otherStart, int otherEnd) {
  return start <= otherEnd && otherStart <= end;
}

bool InFront(const DluRect& label, const DluRect& control) {
  const bool atLeft =
      label.x <= control.x && Meet(label.y, label.Bottom(), control.y, control.Bottom());
  const bool above =
      label.y <= control.y && Meet(label.x, label.Right(), control.x, control.Right());
  return atLeft || above;
}

}  // namespace

const ControlTemplate* DialogTemplate::LabelFor(int controlId) const {
  const ControlTemplate* control = FindControl(controlId);
  if (control == nullptr) return nullptr;
  for (auto at = controls.begin() + (control - controls.data()); at != controls.begin();) {
    --at;
    if (at->kind == ControlKind::GroupBox) continue;
    if (at->kind != ControlKind::Label || !InFront(at->rect, control->rect)) return nullptr;
    return &*at;
  }
  return nullptr;
}

std::string DialogTemplate::FieldName(int controlId) const {
  const std::string fallback = "control " + std::to_string(controlId);
  const ControlTemplate* label = LabelFor(controlId);
  if (label == nullptr) return fallback;
  std::string name;
  for (std::size_t i = 0; i < label->caption.size(); ++i) {
    if (label->caption[i] == '&' && i + 1 < label->caption.size()) ++i;
    name += label->caption[i];
  }
  while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
  return name.empty() ? fallback : name;
}

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
  if (controlId == IDC_STATIC) return nullptr;
  for (const ControlTemplate& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}
