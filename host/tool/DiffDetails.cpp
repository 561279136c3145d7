#include "tool/DiffDetails.h"

#include <ostream>

#include "text/TextEscape.h"
#include "tool/plan/Plan.h"
#include "tool/review/ViewOutput.h"

namespace {

constexpr const char* kArrow = " \u2192 ";

std::string Stored(std::string_view text) { return EscapeText(text, TextBytes::Latin1); }

bool PasswordChanged(const ControlChange& change) {
  return change.before && change.after && change.before->password && change.after->password &&
         change.before->secret != change.after->secret;
}

// A control's change as a line: its two values, or "changed" for a password box that
// holds a password on both sides.
std::string ControlLine(const ControlChange& change) {
  const ShownControl& named = change.after ? *change.after : *change.before;
  std::string line = Stored(named.label) + ": ";
  if (PasswordChanged(change) && change.before->password == PasswordShown::Set &&
      change.after->password == PasswordShown::Set)
    return line + "changed" + (change.after->enabled ? "" : " (disabled)");
  line += change.before ? ShownValue(*change.before) : std::string("(none)");
  line += kArrow;
  line += change.after ? ShownValue(*change.after) : std::string("(none)");
  return line;
}

}  // namespace

std::optional<ViewDifference> DiffDetails::Take(const FilePlan& plan) {
  differs_ = differs_ || plan.status != FileStatus::Same;
  std::optional<ViewDifference> difference;
  if (pending_ && pending_->first == plan.path) difference = std::move(pending_->second);
  pending_.reset();
  return difference;
}

void DiffDetails::WriteLines(const FilePlan& plan, std::ostream& out) {
  const std::optional<ViewDifference> difference = Take(plan);
  if (!difference) return;
  for (const ControlChange& change : difference->controls)
    out << "  " << ControlLine(change) << '\n';
  const std::string* currency = nullptr;
  for (const HolidayChange& change : difference->holidays) {
    if (currency == nullptr || *currency != change.currency)
      out << "  holidays " << ShownToken(change.currency, TextBytes::Latin1) << ":\n";
    currency = &change.currency;
    out << "    " << change.change << ' ' << ShownToken(change.date, TextBytes::Latin1) << ' ';
    if (change.change == '~')
      out << ShownToken(change.before, TextBytes::Latin1) << kArrow
          << ShownToken(change.after, TextBytes::Latin1);
    else
      out << Stored(change.change == '+' ? change.after : change.before);
    out << '\n';
  }
}

void DiffDetails::AddMembers(const FilePlan& plan, Json& entry) {
  const std::optional<ViewDifference> difference = Take(plan);
  Json controls = Json::array();
  Json holidays = Json::array();
  if (difference) {
    for (const ControlChange& change : difference->controls) {
      const ShownControl& named = change.after ? *change.after : *change.before;
      controls.push_back(Json{{"label", JsonLatin1(named.label)},
                              {"group", JsonLatin1(named.group)},
                              {"old", change.before ? ControlJson(*change.before) : Json(nullptr)},
                              {"new", change.after ? ControlJson(*change.after) : Json(nullptr)},
                              {"password_changed", PasswordChanged(change)}});
    }
    for (const HolidayChange& change : difference->holidays)
      holidays.push_back(
          Json{{"currency", JsonLatin1(change.currency)},
               {"change", std::string(1, change.change)},
               {"date", JsonLatin1(change.date)},
               {"old", change.change == '+' ? Json(nullptr) : JsonLatin1(change.before)},
               {"new", change.change == '-' ? Json(nullptr) : JsonLatin1(change.after)}});
  }
  entry["controls"] = std::move(controls);
  entry["holidays"] = std::move(holidays);
}
