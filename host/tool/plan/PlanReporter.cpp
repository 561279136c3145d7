#include "tool/plan/PlanReporter.h"

#include <array>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextEscape.h"
#include "tool/output/JsonOutput.h"
#include "tool/output/ToolOutput.h"
#include "tool/plan/Plan.h"
#include "tool/review/ViewOutput.h"

namespace {

std::string Counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

// What each HandlerVerdict reads as, in the order of the enumeration: a folder
// without a handler on either side reads as one whose handler needs no restart.
constexpr std::array<const char*, 7> kHandlerText = {
    "no restart",      "no restart",          "RESTART the handler",        "new handler",
    "handler removed", "handler not planned", "handler REFUSED by its page"};
constexpr std::array<const char*, 7> kHandlerJson = {"no restart", "no restart", "restart", "added",
                                                     "removed",    "error",      "refused"};

const char* HandlerText(HandlerVerdict verdict) {
  return kHandlerText.at(static_cast<std::size_t>(verdict));
}

const char* HandlerJson(HandlerVerdict verdict) {
  return kHandlerJson.at(static_cast<std::size_t>(verdict));
}

std::string Lists(const FolderPlan& folder) {
  std::string lists;
  const auto list = [&lists](const char* what, const std::vector<std::string>& names) {
    if (names.empty()) return;
    lists += std::string("  ") + what + ':';
    for (const std::string& name : names) lists += ' ' + ShownPath(name);
    lists += '\n';
  };
  list("refresh", folder.refresh);
  list("added", folder.added);
  list("removed", folder.removed);
  list("refused", folder.refused);
  return lists;
}

// Lines of many members that share what follows them: each member's line in the order
// first seen, those of one group together, then the group's body once.
class Groups {
 public:
  // line names the member; what members of one group share is shared, then the body.
  void Add(std::string line, const std::string& shared, const std::string& body) {
    // The body is kept once, in the key, however long a review it is.
    auto [at, added] = index_.try_emplace(shared + '\n' + body, groups_.size());
    if (added) groups_.push_back({{}, &at->first, shared.size() + 1});
    groups_[at->second].lines.push_back(std::move(line));
  }
  void Print(std::ostream& out) const {
    for (const Group& group : groups_) {
      for (const std::string& line : group.lines) out << line << '\n';
      out << std::string_view(*group.key).substr(group.bodyAt);
    }
  }

 private:
  struct Group {
    std::vector<std::string> lines;
    const std::string* key;  // in index_, whose nodes stay where they are
    std::size_t bodyAt;
  };
  std::map<std::string, std::size_t> index_;
  std::vector<Group> groups_;
};

// An entry's line without its path, which follows the status word: what entries that
// change the same way share.
std::string EntryRest(const FilePlan& plan) {
  std::string rest;
  if (plan.action) rest += " action " + std::to_string(*plan.action);
  if (!plan.changed.empty()) {
    rest += " changed:";
    for (const std::string& name : plan.changed) rest += ' ' + ShownName(name);
  }
  if (!plan.error.empty()) rest += ": " + ShownLine(plan.error);
  if (!plan.message.empty()) rest += ": " + ShownStored(plan.message);
  return rest;
}

std::string PaintedEntry(const FilePlan& plan, const std::string& line, const Palette& palette) {
  switch (plan.status) {
    case FileStatus::Added:
      return palette.New(line);
    case FileStatus::Removed:
    case FileStatus::Error:
    case FileStatus::Refused:
      return palette.Old(line);
    default:
      return palette.Header(line);
  }
}

// A folder's verdict line without its name, which follows "handler folder ".
std::string FolderRest(const FolderPlan& v) {
  std::string rest =
      std::string(": ") + HandlerText(v.handler) + "; " +
      (v.refresh.empty() ? std::string("no record set to refresh")
                         : "refresh " + Counted(v.refresh.size(), "record set", "record sets"));
  if (!v.added.empty()) rest += "; " + std::to_string(v.added.size()) + " added";
  if (!v.removed.empty()) rest += "; " + std::to_string(v.removed.size()) + " removed";
  if (!v.refused.empty()) rest += "; " + std::to_string(v.refused.size()) + " REFUSED";
  if (v.unchanged > 0) rest += "; " + std::to_string(v.unchanged) + " unchanged";
  if (const std::size_t files = v.errors - v.folderErrors; files > 0)
    rest += "; " + Counted(files, "file", "files") + " not planned";
  if (v.folderErrors > 0)
    rest += "; " + Counted(v.folderErrors, "folder", "folders") + " not planned";
  return rest;
}

std::string TotalsLine(const PlanTotals& t) {
  return std::to_string(t.changed) + " changed, " + std::to_string(t.added) + " added, " +
         std::to_string(t.removed) + " removed, " + std::to_string(t.unchanged) + " unchanged; " +
         Counted(t.restarts, "handler", "handlers") + " to restart, " +
         Counted(t.refreshes, "record set", "record sets") + " to refresh; " +
         std::to_string(t.refused) + " refused, " + std::to_string(t.errors) + " unreadable";
}

Json TotalsJson(const PlanTotals& t) {
  return Json{{"changed", t.changed},     {"added", t.added},       {"removed", t.removed},
              {"unchanged", t.unchanged}, {"restarts", t.restarts}, {"refreshes", t.refreshes},
              {"refused", t.refused},     {"unreadable", t.errors}};
}

Json FilePlanJson(const FilePlan& plan);
Json FolderPlanJson(const FolderPlan& folder);

class TextReporter : public PlanReporter {
 public:
  TextReporter(std::ostream& out, const Palette& palette, bool totals)
      : out_(out), palette_(palette), totals_(totals) {}

  void File(const FilePlan& plan) override {
    // A person reads what differs; files that did not change are counted in the totals.
    if (!plan.Matters()) return;
    const std::string rest = EntryRest(plan);
    std::string body;
    if (plan.shown) {
      std::ostringstream lines;
      PrintDifference(*plan.shown, lines, palette_);
      body = lines.str();
    }
    // Each path and name is one token, so no name can pass for another entry.
    const std::string line =
        std::string(StatusName(plan.status)) + ' ' + ShownPath(plan.path) + rest;
    entries_.Add(PaintedEntry(plan, line, palette_), StatusName(plan.status) + rest, body);
  }
  void Folder(const FolderPlan& folder) override {
    // A folder where nothing is to be done is counted in the totals only.
    if (!folder.matters) return;
    const std::string rest = FolderRest(folder);
    folders_.Add("handler folder " + ShownPath(folder.folder) + rest, rest, Lists(folder));
  }
  void End(const PlanTotals& totals) override {
    entries_.Print(out_);
    folders_.Print(out_);
    if (totals_) out_ << TotalsLine(totals) << '\n';
    FlushOutput(out_);
  }

 private:
  std::ostream& out_;
  Palette palette_;
  bool totals_;
  Groups entries_;
  Groups folders_;
};

class JsonReporter : public PlanReporter {
 public:
  explicit JsonReporter(std::ostream& out) : list_(out) {}

  void File(const FilePlan& plan) override {
    Json entry = FilePlanJson(plan);
    if (plan.shown) AddDifferenceJson(*plan.shown, entry);
    list_.Add(entry);
  }
  void Folder(const FolderPlan& folder) override { handlers_.push_back(FolderPlanJson(folder)); }
  void End(const PlanTotals& totals) override {
    list_.Finish(Json{{"handlers", std::move(handlers_)}, {"totals", TotalsJson(totals)}});
  }

 private:
  JsonFileList list_;
  Json handlers_ = Json::array();
};

class QuietReporter : public PlanReporter {
 public:
  explicit QuietReporter(std::ostream& err) : err_(err) {}

  void File(const FilePlan& plan) override {
    if (plan.status == FileStatus::Refused)
      err_ << "hcdtool: " << ShownPath(plan.path)
           << ": refused by its page: " << ShownStored(plan.message) << '\n';
    else if (plan.status == FileStatus::Error)
      err_ << "hcdtool: " << ShownPath(plan.path) << ": not planned: " << ShownLine(plan.error)
           << '\n';
  }
  void Folder(const FolderPlan&) override {}
  void End(const PlanTotals&) override {}

 private:
  std::ostream& err_;
};

}  // namespace

PlanReporter::~PlanReporter() = default;

std::unique_ptr<PlanReporter> TextPlanReporter(std::ostream& out, const Palette& palette,
                                               bool totals) {
  return std::make_unique<TextReporter>(out, palette, totals);
}

std::unique_ptr<PlanReporter> JsonPlanReporter(std::ostream& out) {
  return std::make_unique<JsonReporter>(out);
}

std::unique_ptr<PlanReporter> QuietPlanReporter(std::ostream& err) {
  return std::make_unique<QuietReporter>(err);
}

namespace {

Json FilePlanJson(const FilePlan& plan) {
  Json changed = Json::array();
  for (const std::string& name : plan.changed) changed.push_back(JsonLatin1(name));
  return Json{{"path", JsonText(plan.path)},
              {"kind", KindName(plan.kind)},
              {"status", StatusName(plan.status)},
              {"action", plan.action ? Json(*plan.action) : Json(nullptr)},
              {"changed", std::move(changed)},
              {"error", plan.error.empty() ? Json(nullptr) : JsonText(plan.error)},
              {"message", plan.message.empty() ? Json(nullptr) : JsonLatin1(plan.message)}};
}

Json FolderPlanJson(const FolderPlan& v) {
  const auto names = [](const std::vector<std::string>& list) {
    Json array = Json::array();
    for (const std::string& name : list) array.push_back(JsonText(name));
    return array;
  };
  return Json{{"folder", JsonText(v.folder)},
              {"handler", HandlerJson(v.handler)},
              {"restart", v.handler == HandlerVerdict::Restart},
              {"refresh", names(v.refresh)},
              {"added", names(v.added)},
              {"removed", names(v.removed)},
              {"refused", names(v.refused)},
              {"unchanged", v.unchanged},
              {"errors", v.errors}};
}

}  // namespace
