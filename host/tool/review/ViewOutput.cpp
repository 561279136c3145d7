#include "tool/review/ViewOutput.h"

#include <ostream>

#include "text/TextEscape.h"

namespace {

std::string Stored(std::string_view text) { return EscapeText(text, TextBytes::Latin1); }

std::string Cell(const ListViewRow& row, std::size_t column) {
  return column < row.size() ? row[column] : std::string();
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
  return ShownToken(currency, TextBytes::Latin1) + ' ' +
         ShownToken(Cell(row, 0), TextBytes::Latin1) + ' ' + Stored(Cell(row, 1));
}

void PrintView(const ConfigurationView& view, std::ostream& out) {
  out << Stored(view.title) << '\n';
  const std::string* group = nullptr;
  for (const ShownControl& control : view.controls) {
    if (!control.group.empty() && (group == nullptr || *group != control.group))
      out << Stored(control.group) << '\n';
    group = &control.group;
    out << (control.group.empty() ? "" : "  ") << Stored(control.label) << ": "
        << ShownValue(control) << '\n';
  }
  if (!view.calendar) return;
  out << "Holiday setting\n";
  for (const ShownCurrency& currency : *view.calendar) {
    if (currency.holidays.empty())
      out << "  " << ShownToken(currency.currency, TextBytes::Latin1) << ": no holidays\n";
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
