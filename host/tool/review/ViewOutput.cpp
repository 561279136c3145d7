#include "tool/review/ViewOutput.h"

#include <ostream>

#include "text/TextEscape.h"

namespace {

constexpr const char* kArrow = " \u2192 ";

bool PasswordChanged(const ControlChange& change) {
  return change.before && change.after && change.before->password && change.after->password &&
         change.before->secret != change.after->secret;
}

// A control's change as a line: its two values, or "changed" for a password box that
// holds a password on both sides.
std::string ControlLine(const ControlChange& change, const Palette& palette) {
  const ShownControl& named = change.after ? *change.after : *change.before;
  std::string line = ShownStored(named.label) + ": ";
  if (PasswordChanged(change) && change.before->password == PasswordShown::Set &&
      change.after->password == PasswordShown::Set)
    return line + "changed" + (change.after->enabled ? "" : " (disabled)");
  line += palette.Old(change.before ? ShownValue(*change.before) : std::string("(none)"));
  line += kArrow;
  line += palette.New(change.after ? ShownValue(*change.after) : std::string("(none)"));
  return line;
}

}  // namespace

std::string ShownValue(const ShownControl& control) {
  std::string value;
  if (control.password)
    value = std::string("(") + PasswordWord(*control.password) + ")";
  else if (control.checked)
    value = control.kind == ControlKind::RadioButton ? (*control.checked ? "(o)" : "( )")
                                                     : (*control.checked ? "[x]" : "[ ]");
  else
    value = QuotedToken(control.text.value_or(""), TextBytes::Latin1);
  if (!control.enabled) value += " (disabled)";
  return value;
}

Json ControlJson(const ShownControl& control) {
  return Json{
      {"label", JsonLatin1(control.label)},
      {"group", JsonLatin1(control.group)},
      {"kind", ControlKindName(control.kind)},
      {"enabled", control.enabled},
      {"checked", control.checked ? Json(*control.checked) : Json(nullptr)},
      {"value", control.text ? JsonLatin1(*control.text) : Json(nullptr)},
      {"password", control.password ? Json(PasswordWord(*control.password)) : Json(nullptr)}};
}

std::string HolidayLine(const std::string& currency, const ListViewRow& row) {
  return ShownName(currency) + ' ' + ShownName(Cell(row, 0)) + ' ' + ShownStored(Cell(row, 1));
}

void PrintView(const ConfigurationView& view, std::ostream& out) {
  out << ShownStored(view.title) << '\n';
  const std::string* group = nullptr;
  for (const ShownControl& control : view.controls) {
    if (!control.group.empty() && (group == nullptr || *group != control.group))
      out << ShownStored(control.group) << '\n';
    group = &control.group;
    out << (control.group.empty() ? "" : "  ") << ShownStored(control.label) << ": "
        << ShownValue(control) << '\n';
  }
  if (!view.calendar) return;
  out << "Holiday setting\n";
  for (const ShownCurrency& currency : *view.calendar) {
    if (currency.holidays.empty()) out << "  " << ShownName(currency.currency) << ": no holidays\n";
    for (const ListViewRow& row : currency.holidays)
      out << "  " << HolidayLine(currency.currency, row) << '\n';
  }
}

Json ViewJson(const ConfigurationView& view) {
  Json controls = Json::array();
  for (const ShownControl& control : view.controls) controls.push_back(ControlJson(control));
  Json calendar = nullptr;
  if (view.calendar) {
    calendar = Json::array();
    for (const ShownCurrency& currency : *view.calendar) {
      Json dates = Json::array();
      for (const ListViewRow& row : currency.holidays)
        dates.push_back(
            Json{{"date", JsonLatin1(Cell(row, 0))}, {"remark", JsonLatin1(Cell(row, 1))}});
      calendar.push_back(
          Json{{"currency", JsonLatin1(currency.currency)}, {"holidays", std::move(dates)}});
    }
  }
  return Json{{"title", JsonLatin1(view.title)},
              {"controls", std::move(controls)},
              {"holidays", std::move(calendar)}};
}

void PrintDifference(const ViewDifference& difference, std::ostream& out, const Palette& palette) {
  for (const ControlChange& change : difference.controls)
    out << "  " << ControlLine(change, palette) << '\n';
  const std::string* currency = nullptr;
  for (const HolidayChange& change : difference.holidays) {
    if (currency == nullptr || *currency != change.currency)
      out << "  " << palette.Section("holidays " + ShownName(change.currency) + ":") << '\n';
    currency = &change.currency;
    const std::string dated = std::string(1, change.change) + ' ' + ShownName(change.date) + ' ';
    out << "    ";
    if (change.change == '~')
      out << dated << palette.Old(ShownName(change.before)) << kArrow
          << palette.New(ShownName(change.after));
    else if (change.change == '+')
      out << palette.New(dated + ShownStored(change.after));
    else
      out << palette.Old(dated + ShownStored(change.before));
    out << '\n';
  }
}

void AddDifferenceJson(const ViewDifference& difference, Json& entry) {
  Json controls = Json::array();
  for (const ControlChange& change : difference.controls) {
    const ShownControl& named = change.after ? *change.after : *change.before;
    controls.push_back(Json{{"label", JsonLatin1(named.label)},
                            {"group", JsonLatin1(named.group)},
                            {"old", change.before ? ControlJson(*change.before) : Json(nullptr)},
                            {"new", change.after ? ControlJson(*change.after) : Json(nullptr)},
                            {"password_changed", PasswordChanged(change)}});
  }
  Json holidays = Json::array();
  for (const HolidayChange& change : difference.holidays)
    holidays.push_back(
        Json{{"currency", JsonLatin1(change.currency)},
             {"change", std::string(1, change.change)},
             {"date", JsonLatin1(change.date)},
             {"old", change.change == '+' ? Json(nullptr) : JsonLatin1(change.before)},
             {"new", change.change == '-' ? Json(nullptr) : JsonLatin1(change.after)}});
  entry["controls"] = std::move(controls);
  entry["holidays"] = std::move(holidays);
}
