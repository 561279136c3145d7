#include "tool/review/UnshownProperties.h"

#include <functional>
#include <optional>

#include "text/TextEscape.h"
#include "tool/module/Module.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

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

// Whether the page of bag, as `change` leaves it, shows its controls otherwise than
// `view`.
bool ShowsOtherwise(Module& module, ConfigKind kind, const CPrivateProperty& bag,
                    const std::function<void(CPrivateProperty&)>& change,
                    const ConfigurationView& view) {
  CPrivateProperty other = bag;
  change(other);
  return !SameControls(ViewConfiguration(module, kind, other, false), view);
}

bool SameCalendar(const std::vector<ShownCurrency>& a, const std::vector<ShownCurrency>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].currency != b[i].currency || a[i].holidays != b[i].holidays) return false;
  return true;
}

// Whether the holiday calendar of bag, as `change` leaves it, shows otherwise than
// `calendar`.
bool CalendarOtherwise(Module& module, ConfigKind kind, const CPrivateProperty& bag,
                       const std::function<void(CPrivateProperty&)>& change,
                       const std::vector<ShownCurrency>& calendar) {
  CPrivateProperty other = bag;
  change(other);
  return !SameCalendar(*ViewConfiguration(module, kind, other).calendar, calendar);
}

// Texts longer than this are cut to it in the bag the calendar probes look at.
constexpr std::size_t kProbedTextBytes = 4096;

// The bag with every text value longer than kProbedTextBytes cut to its start.
CPrivateProperty Lighter(const CPrivateProperty& bag) {
  CPrivateProperty light = bag;
  for (const auto& [name, property] : bag.Properties())
    if (property.Type() == CPrivateProperty::EType::String &&
        property.StringValue().size() > kProbedTextBytes)
      light.Properties()[name].SetValue(property.StringValue().substr(0, kProbedTextBytes));
  return light;
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
  // The calendar probes look at a lighter bag, whose long texts are cut short: a
  // reading of the calendar costs the module a parse of every holiday, and a
  // property that changes a calendar of some hundred holidays per currency changes
  // the whole one as well. A value that changes only what lies past the cut is
  // listed here, which says more, never less. Without a long text, the bag itself.
  CPrivateProperty light = Lighter(bag);
  std::optional<std::vector<ShownCurrency>> lightCalendar;
  const auto calendarOtherwise = [&](const std::function<void(CPrivateProperty&)>& change) {
    if (!lightCalendar)
      lightCalendar =
          light == bag ? *view.calendar : *ViewConfiguration(module, kind, light).calendar;
    return CalendarOtherwise(module, kind, light, change, *lightCalendar);
  };
  for (const auto& [name, property] : bag.Properties()) {
    // Another value, then none at all: a value that happens to be the default looks
    // the same as none, and a group has no value to change. The page's controls
    // first, on the bag itself: the page reads the calendar only when it opens the
    // holiday setting dialog, so these cost little whatever the calendar's size.
    // Then, for what the controls do not show, the calendar.
    const std::optional<CPrivateProperty> changed = Changed(property);
    const auto change = [&](CPrivateProperty& b) { b.Properties()[name] = *changed; };
    const auto remove = [&](CPrivateProperty& b) { b.Properties().erase(name); };
    if (changed && ShowsOtherwise(module, kind, bag, change, view)) continue;
    if (ShowsOtherwise(module, kind, bag, remove, view)) continue;
    if (view.calendar) {
      if (calendarOtherwise(remove)) continue;
      const std::optional<CPrivateProperty> changedLight = Changed(*light.Properties().find(name));
      if (changedLight &&
          calendarOtherwise([&](CPrivateProperty& b) { b.Properties()[name] = *changedLight; }))
        continue;
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
              lines.push_back(ShownName(name) + ": " + value);
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
