#include "tool/DiffReporter.h"

#include <ostream>

#include "props/TextEscape.h"
#include "tool/Plan.h"
#include "tool/ToolOutput.h"
#include "tool/ViewOutput.h"

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

class TextReporter : public DiffReporter {
 public:
  explicit TextReporter(std::ostream& out) : out_(out) {}

  void File(const FilePlan& plan) override {
    const std::optional<ViewDifference> difference = Take(plan);
    PrintFilePlan(plan, out_);
    if (!difference) return;
    for (const ControlChange& change : difference->controls)
      out_ << "  " << ControlLine(change) << '\n';
    const std::string* currency = nullptr;
    for (const HolidayChange& change : difference->holidays) {
      if (currency == nullptr || *currency != change.currency)
        out_ << "  holidays " << ShownToken(change.currency, TextBytes::Latin1) << ":\n";
      currency = &change.currency;
      out_ << "    " << change.change << ' ' << ShownToken(change.date, TextBytes::Latin1) << ' ';
      if (change.change == '~')
        out_ << ShownToken(change.before, TextBytes::Latin1) << kArrow
             << ShownToken(change.after, TextBytes::Latin1);
      else
        out_ << Stored(change.change == '+' ? change.after : change.before);
      out_ << '\n';
    }
  }
  void Folder(const FolderPlan& folder) override { PrintFolderPlan(folder, out_); }
  void End() override { FlushOutput(out_); }

 private:
  std::ostream& out_;
};

class JsonReporter : public DiffReporter {
 public:
  explicit JsonReporter(std::ostream& out) : list_(out) {}

  void File(const FilePlan& plan) override {
    const std::optional<ViewDifference> difference = Take(plan);
    Json entry = FilePlanJson(plan);
    Json controls = Json::array();
    Json holidays = Json::array();
    if (difference) {
      for (const ControlChange& change : difference->controls) {
        const ShownControl& named = change.after ? *change.after : *change.before;
        controls.push_back(
            Json{{"label", JsonLatin1(named.label)},
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
    list_.Add(entry);
  }
  void Folder(const FolderPlan& folder) override { handlers_.push_back(FolderPlanJson(folder)); }
  void End() override { list_.Finish(Json{{"handlers", std::move(handlers_)}}); }

 private:
  JsonFileList list_;
  Json handlers_ = Json::array();
};

}  // namespace

std::optional<ViewDifference> DiffReporter::Take(const FilePlan& plan) {
  differs_ = differs_ || plan.status != FileStatus::Same;
  std::optional<ViewDifference> difference;
  if (pending_ && pending_->first == plan.path) difference = std::move(pending_->second);
  pending_.reset();
  return difference;
}

std::unique_ptr<DiffReporter> TextDiffReporter(std::ostream& out) {
  return std::make_unique<TextReporter>(out);
}

std::unique_ptr<DiffReporter> JsonDiffReporter(std::ostream& out) {
  return std::make_unique<JsonReporter>(out);
}
