#include "tool/plan/PlanReporter.h"

#include <array>
#include <ostream>
#include <string>
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

void List(const char* what, const std::vector<std::string>& names, std::ostream& out) {
  if (names.empty()) return;
  out << "  " << what << ':';
  for (const std::string& name : names) out << ' ' << ShownPath(name);
  out << '\n';
}

void PrintFilePlan(const FilePlan& plan, std::ostream& out);
Json FilePlanJson(const FilePlan& plan);
void PrintFolderPlan(const FolderPlan& folder, std::ostream& out);
Json FolderPlanJson(const FolderPlan& folder);

class TextReporter : public PlanReporter {
 public:
  explicit TextReporter(std::ostream& out) : out_(out) {}

  void File(const FilePlan& plan) override {
    PrintFilePlan(plan, out_);
    if (plan.shown) PrintDifference(*plan.shown, out_);
  }
  void Folder(const FolderPlan& folder) override { PrintFolderPlan(folder, out_); }
  void End() override { FlushOutput(out_); }

 private:
  std::ostream& out_;
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
  void End() override { list_.Finish(Json{{"handlers", std::move(handlers_)}}); }

 private:
  JsonFileList list_;
  Json handlers_ = Json::array();
};

}  // namespace

PlanReporter::~PlanReporter() = default;

std::unique_ptr<PlanReporter> TextPlanReporter(std::ostream& out) {
  return std::make_unique<TextReporter>(out);
}

std::unique_ptr<PlanReporter> JsonPlanReporter(std::ostream& out) {
  return std::make_unique<JsonReporter>(out);
}

namespace {

void PrintFilePlan(const FilePlan& plan, std::ostream& out) {
  // A person reads what differs; files that did not change are counted in the verdict.
  if (!plan.Matters()) return;
  // Each path and name is one token, so no name can pass for another entry.
  out << StatusName(plan.status) << ' ' << ShownPath(plan.path);
  if (plan.action) out << " action " << *plan.action;
  if (!plan.changed.empty()) {
    out << " changed:";
    for (const std::string& name : plan.changed) out << ' ' << ShownName(name);
  }
  if (!plan.error.empty()) out << ": " << ShownLine(plan.error);
  if (!plan.message.empty()) out << ": " << ShownStored(plan.message);
  out << '\n';
}

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

void PrintFolderPlan(const FolderPlan& v, std::ostream& out) {
  out << "handler folder " << ShownPath(v.folder) << ": " << HandlerText(v.handler) << "; "
      << (v.refresh.empty() ? std::string("no record set to refresh")
                            : "refresh " + Counted(v.refresh.size(), "record set", "record sets"));
  if (!v.added.empty()) out << "; " << v.added.size() << " added";
  if (!v.removed.empty()) out << "; " << v.removed.size() << " removed";
  if (!v.refused.empty()) out << "; " << v.refused.size() << " REFUSED";
  if (v.unchanged > 0) out << "; " << v.unchanged << " unchanged";
  if (const std::size_t files = v.errors - v.folderErrors; files > 0)
    out << "; " << Counted(files, "file", "files") << " not planned";
  if (v.folderErrors > 0)
    out << "; " << Counted(v.folderErrors, "folder", "folders") << " not planned";
  out << '\n';
  List("refresh", v.refresh, out);
  List("added", v.added, out);
  List("removed", v.removed, out);
  List("refused", v.refused, out);
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
