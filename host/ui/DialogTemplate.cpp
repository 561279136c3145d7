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

bool Inside(const DluRect& inner, const DluRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
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

std::string DialogTemplate::ShownCaption(std::string_view caption) {
  std::string name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    name += caption[i];
  }
  while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.pop_back();
  return name;
}

const ControlTemplate* DialogTemplate::NamedBy(int controlId) const {
  const ControlTemplate* control = FindControl(controlId);
  if (control == nullptr) return nullptr;
  return IsInputKind(control->kind) ? LabelFor(controlId) : control;
}

std::string DialogTemplate::FieldName(int controlId) const {
  const ControlTemplate* named = NamedBy(controlId);
  const std::string name = named != nullptr ? ShownCaption(named->caption) : std::string();
  return name.empty() ? "control " + std::to_string(controlId) : name;
}

std::string DialogTemplate::GroupName(int controlId) const {
  const ControlTemplate* control = FindControl(controlId);
  if (control == nullptr) return {};
  for (auto at = controls.begin() + (control - controls.data()); at != controls.begin();) {
    --at;
    if (at->kind == ControlKind::GroupBox && Inside(control->rect, at->rect))
      return ShownCaption(at->caption);
  }
  return {};
}

bool DialogTemplate::IsNamed(int controlId, std::string_view caption) const {
  const ControlTemplate* named = NamedBy(controlId);
  if (named == nullptr) return false;
  if (named->caption == caption) return true;
  // Two captions that are nothing but marks and colons name nothing alike.
  const std::string shown = ShownCaption(caption);
  return !shown.empty() && ShownCaption(named->caption) == shown;
}

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
  if (controlId == IDC_STATIC) return nullptr;
  for (const ControlTemplate& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}
