#include "ui/DialogTemplate.h"

#include <algorithm>
#include <cctype>

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
  const ControlTemplate* group = control != nullptr ? GroupBoxAround(*control) : nullptr;
  return group != nullptr ? ShownCaption(group->caption) : std::string();
}

const ControlTemplate* DialogTemplate::GroupBoxAround(const ControlTemplate& control) const {
  for (auto at = controls.begin() + (&control - controls.data()); at != controls.begin();) {
    --at;
    if (at->kind == ControlKind::GroupBox && Inside(control.rect, at->rect)) return &*at;
  }
  return nullptr;
}

const ControlTemplate* DialogTemplate::DescriptionFor(int controlId) const {
  const ControlTemplate* control = FindControl(controlId);
  if (control == nullptr || control->kind == ControlKind::Label ||
      control->kind == ControlKind::GroupBox) {
    return nullptr;
  }
  const std::size_t next = static_cast<std::size_t>(control - controls.data()) + 1;
  if (next >= controls.size()) return nullptr;
  const ControlTemplate& hint = controls[next];
  if (hint.kind != ControlKind::Label || hint.rect.x < control->rect.Right() ||
      !Meet(hint.rect.y, hint.rect.Bottom(), control->rect.y, control->rect.Bottom())) {
    return nullptr;
  }
  // A label in front of the input after it is that input's name ("Port:").
  if (next + 1 < controls.size() && IsInputKind(controls[next + 1].kind) &&
      controls[next + 1].id != IDC_STATIC && LabelFor(controls[next + 1].id) == &hint) {
    return nullptr;
  }
  const bool says = std::any_of(hint.caption.begin(), hint.caption.end(),
                                [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
  return says ? &hint : nullptr;
}

std::vector<std::size_t> DialogTemplate::ButtonRow() const {
  const ControlTemplate* lowest = nullptr;
  for (const ControlTemplate& control : controls) {
    if (control.kind == ControlKind::PushButton &&
        (lowest == nullptr || control.rect.y > lowest->rect.y))
      lowest = &control;
  }
  if (lowest == nullptr) return {};
  std::vector<std::size_t> row;
  int top = lowest->rect.y;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& control = controls[i];
    if (control.kind == ControlKind::PushButton &&
        Meet(control.rect.y, control.rect.Bottom(), lowest->rect.y, lowest->rect.Bottom())) {
      row.push_back(i);
      top = std::min(top, control.rect.y);
    }
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (std::find(row.begin(), row.end(), i) == row.end() && controls[i].rect.Bottom() > top)
      return {};
  }
  return row;
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
