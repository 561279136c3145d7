#include "tool/PlanReporter.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "props/TextEscape.h"
#include "tool/JsonOutput.h"
#include "tool/Plan.h"
#include "tool/ToolOutput.h"

namespace {

std::string Shown(const std::string& path) { return ShownToken(path, TextBytes::Utf8); }

std::string Counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

// What each HandlerVerdict reads as, in the order of the enumeration: a folder
// without a handler on either side reads as one whose handler needs no restart.
constexpr std::array<const char*, 6> kHandlerText = {"no restart",          "no restart",
                                                     "RESTART the handler", "new handler",
                                                     "handler removed",     "handler not planned"};
constexpr std::array<const char*, 6> kHandlerJson = {"no restart", "no restart", "restart",
                                                     "added",      "removed",    "error"};

const char* HandlerText(HandlerVerdict verdict) {
  return kHandlerText.at(static_cast<std::size_t>(verdict));
}

const char* HandlerJson(HandlerVerdict verdict) {
  return kHandlerJson.at(static_cast<std::size_t>(verdict));
}

class TextReporter : public PlanReporter {
 public:
  explicit TextReporter(std::ostream& out) : out_(out) {}

  void File(const FilePlan& plan) override {
    // A person reads what differs; files that did not change are counted in the verdict.
    if (!plan.Matters()) return;
    // Each path and name is one token, so no name can pass for another entry.
    out_ << StatusName(plan.status) << ' ' << Shown(plan.path);
    if (plan.action) out_ << " action " << *plan.action;
    if (!plan.changed.empty()) {
      out_ << " changed:";
      for (const std::string& name : plan.changed)
        out_ << ' ' << ShownToken(name, TextBytes::Latin1);
    }
    if (!plan.error.empty()) out_ << ": " << ShownLine(plan.error);
    out_ << '\n';
  }

  void Folder(const FolderPlan& v) override {
    out_ << "handler folder " << Shown(v.folder) << ": " << HandlerText(v.handler) << "; "
         << (v.refresh.empty()
                 ? std::string("no record set to refresh")
                 : "refresh " + Counted(v.refresh.size(), "record set", "record sets"));
    if (!v.added.empty()) out_ << "; " << v.added.size() << " added";
    if (!v.removed.empty()) out_ << "; " << v.removed.size() << " removed";
    if (v.unchanged > 0) out_ << "; " << v.unchanged << " unchanged";
    if (const std::size_t files = v.errors - v.folderErrors; files > 0)
      out_ << "; " << Counted(files, "file", "files") << " not planned";
    if (v.folderErrors > 0)
      out_ << "; " << Counted(v.folderErrors, "folder", "folders") << " not planned";
    out_ << '\n';
    List("refresh", v.refresh);
    List("added", v.added);
    List("removed", v.removed);
  }

  void End() override { FlushOutput(out_); }

 private:
  void List(const char* what, const std::vector<std::string>& names) {
    if (names.empty()) return;
    out_ << "  " << what << ':';
    for (const std::string& name : names) out_ << ' ' << Shown(name);
    out_ << '\n';
  }

  std::ostream& out_;
};

class JsonReporter : public PlanReporter {
 public:
  explicit JsonReporter(std::ostream& out) : list_(out) {}

  void File(const FilePlan& plan) override {
    Json changed = Json::array();
    for (const std::string& name : plan.changed) changed.push_back(JsonLatin1(name));
    list_.Add(Json{{"path", JsonText(plan.path)},
                   {"kind", KindName(plan.kind)},
                   {"status", StatusName(plan.status)},
                   {"action", plan.action ? Json(*plan.action) : Json(nullptr)},
                   {"changed", std::move(changed)},
                   {"error", plan.error.empty() ? Json(nullptr) : JsonText(plan.error)}});
  }

  void Folder(const FolderPlan& v) override {
    const auto names = [](const std::vector<std::string>& list) {
      Json array = Json::array();
      for (const std::string& name : list) array.push_back(JsonText(name));
      return array;
    };
    handlers_.push_back(Json{{"folder", JsonText(v.folder)},
                             {"handler", HandlerJson(v.handler)},
                             {"restart", v.handler == HandlerVerdict::Restart},
                             {"refresh", names(v.refresh)},
                             {"added", names(v.added)},
                             {"removed", names(v.removed)},
                             {"unchanged", v.unchanged},
                             {"errors", v.errors}});
  }

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
