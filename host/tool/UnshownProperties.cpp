#include "tool/UnshownProperties.h"

#include <functional>
#include <optional>

#include "text/TextEscape.h"
#include "tool/Module.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

bool SameView(const ConfigurationView& a, const ConfigurationView& b) {
  if (a.title != b.title || a.controls.size() != b.controls.size()) return false;
  for (std::size_t i = 0; i < a.controls.size(); ++i)
    if (!a.controls[i].ShowsSameAs(b.controls[i])) return false;
  if (a.calendar.has_value() != b.calendar.has_value()) return false;
  if (!a.calendar) return true;
  if (a.calendar->size() != b.calendar->size()) return false;
  for (std::size_t i = 0; i < a.calendar->size(); ++i)
    if ((*a.calendar)[i].currency != (*b.calendar)[i].currency ||
        (*a.calendar)[i].holidays != (*b.calendar)[i].holidays)
      return false;
  return true;
}

bool SameControls(const ConfigurationView& a, const ConfigurationView& b) {
  if (a.title != b.title || a.controls.size() != b.controls.size()) return false;
  for (std::size_t i = 0; i < a.controls.size(); ++i)
    if (!a.controls[i].ShowsSameAs(b.controls[i])) return false;
  return true;
}

// The property with another value of its type; nothing for a group.
std::optional<CPrivateProperty> Changed(const CPrivateProperty& property) {
  CPrivateProperty other = property;
  switch (property.Type()) {
    case CPrivateProperty::EType::String: {
      std::string text = property.StringValue();
      if (text.empty())
        text = "x";
      else
        text[0] = text[0] == 'x' ? 'y' : 'x';
      other.SetValue(std::move(text));
      return other;
    }
    case CPrivateProperty::EType::Bool:
      other.SetValue(!property.BoolValue());
      return other;
    case CPrivateProperty::EType::Int:
      other.SetValue(property.IntValue() == 1 ? std::int32_t{2} : std::int32_t{1});
      return other;
    case CPrivateProperty::EType::None:
      break;
  }
  return std::nullopt;
}

// Whether the page of bag, as `change` leaves it, shows anything otherwise than
// `view`, when only the page (withCalendar false) or also the holiday calendar is
// looked at.
bool ShowsOtherwise(Module& module, ConfigKind kind, const CPrivateProperty& bag,
                    const std::function<void(CPrivateProperty&)>& change,
                    const ConfigurationView& view, bool withCalendar) {
  CPrivateProperty other = bag;
  change(other);
  if (!withCalendar) return !SameControls(ViewConfiguration(module, kind, other, false), view);
  return !SameView(ViewConfiguration(module, kind, other), view);
}

const char* TypeName(CPrivateProperty::EType type) {
  switch (type) {
    case CPrivateProperty::EType::String:
      return "String";
    case CPrivateProperty::EType::Bool:
      return "Bool";
    case CPrivateProperty::EType::Int:
      return "Int";
    case CPrivateProperty::EType::None:
      break;
  }
  return "None";
}

// Each value under its path, a group's children after it.
template <class Visit>
void EachValue(const std::string& name, const CPrivateProperty& property, Visit&& visit) {
  if (property.Type() != CPrivateProperty::EType::None || property.Properties().empty())
    visit(name, property);
  for (const auto& [child, value] : property.Properties())
    EachValue(name + "/" + child, value, visit);
}

}  // namespace

std::vector<UnshownProperty> UnshownProperties(Module& module, ConfigKind kind,
                                               const CPrivateProperty& bag,
                                               const ConfigurationView& view) {
  std::vector<UnshownProperty> unshown;
  for (const auto& [name, property] : bag.Properties()) {
    // Another value, then none at all: a value that happens to be the default looks
    // the same as none, and a group has no value to change. The page first; the
    // calendar, which may be large, only for what the page does not show, and
    // without the property first, which drops a large calendar from the reading.
    const std::optional<CPrivateProperty> changed = Changed(property);
    const auto change = [&](CPrivateProperty& b) { b.Properties()[name] = *changed; };
    const auto remove = [&](CPrivateProperty& b) { b.Properties().erase(name); };
    if (changed && ShowsOtherwise(module, kind, bag, change, view, false)) continue;
    if (ShowsOtherwise(module, kind, bag, remove, view, false)) continue;
    if (view.calendar) {
      if (ShowsOtherwise(module, kind, bag, remove, view, true)) continue;
      if (changed && ShowsOtherwise(module, kind, bag, change, view, true)) continue;
    }
    unshown.push_back({name, property});
  }
  return unshown;
}

std::vector<std::string> UnshownLines(const UnshownProperty& unshown) {
  std::vector<std::string> lines;
  EachValue(unshown.name, unshown.property,
            [&](const std::string& name, const CPrivateProperty& p) {
              std::string value;
              switch (p.Type()) {
                case CPrivateProperty::EType::String:
                  value = QuotedToken(p.StringValue(), TextBytes::Latin1);
                  break;
                case CPrivateProperty::EType::Bool:
                  value = p.BoolValue() ? "true" : "false";
                  break;
                case CPrivateProperty::EType::Int:
                  value = std::to_string(p.IntValue());
                  break;
                case CPrivateProperty::EType::None:
                  value = "(no value)";
                  break;
              }
              lines.push_back(ShownToken(name, TextBytes::Latin1) + ": " + value);
            });
  return lines;
}

Json UnshownJson(const std::vector<UnshownProperty>& unshown) {
  Json list = Json::array();
  for (const UnshownProperty& one : unshown)
    EachValue(one.name, one.property, [&](const std::string& name, const CPrivateProperty& p) {
      Json value = nullptr;
      if (p.Type() == CPrivateProperty::EType::String) value = JsonLatin1(p.StringValue());
      if (p.Type() == CPrivateProperty::EType::Bool) value = p.BoolValue();
      if (p.Type() == CPrivateProperty::EType::Int) value = p.IntValue();
      list.push_back(
          Json{{"name", JsonLatin1(name)}, {"type", TypeName(p.Type())}, {"value", value}});
    });
  return list;
}
