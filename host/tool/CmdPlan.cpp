// plan OLD NEW: what changing one configuration tree into another requires, file by
// file and per handler folder, asked of the module as check-change asks it.
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "files/InputFile.h"
#include "hcd/CHcdWrapper.h"
#include "hcd/IHcdConfigChangesAction.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ConfigTree.h"
#include "tool/JsonOutput.h"
#include "tool/Progress.h"
#include "tool/PropertyDifference.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"

namespace fs = std::filesystem;

namespace {

using Action = IHcdConfigChangesAction;

// One entry of the plan: a file, or a folder that could not be read (its path then
// ends in "/" and its status is "error").
struct FilePlan {
  std::string path;  // relative to the roots
  ConfigKind kind = ConfigKind::Handler;
  const char* status = "same";
  std::optional<int> action;
  std::vector<std::string> changed;
  std::string error;
};

// What a handler folder's files add up to.
struct Verdict {
  std::string folder;
  const char* handler = "unchanged";  // added, removed, restart, no restart, error
  std::vector<std::string> refresh;
  std::vector<std::string> added;
  std::vector<std::string> removed;
  std::size_t unchanged = 0;
  std::size_t errors = 0;        // entries not planned, folders among them
  std::size_t folderErrors = 0;  // folders that could not be read
};

std::string Shown(const std::string& path) { return ShownToken(path, TextBytes::Utf8); }

// The errors of the two sides of a pair, either or both.
std::string BothErrors(const std::string& before, const std::string& after) {
  if (before.empty()) return after;
  if (after.empty()) return before;
  return before + "; " + after;
}

CHandlerPrivateProps Parse(const fs::path& path, const std::string& text) {
  CHandlerPrivateProps bag;
  try {
    bag.fromXML(text);
  } catch (const XmlError& e) {
    throw std::runtime_error(Shown(path.string()) + ": " + e.what());
  }
  return bag;
}

class Planner {
 public:
  Planner(IHcdConfigChangesAction& changes, const ConfigTree& before, const ConfigTree& after,
          bool json, std::size_t total)
      : changes_(changes),
        before_(before),
        after_(after),
        oldRoot_(before.Root()),
        newRoot_(after.Root()),
        json_(json),
        progress_("plan", total) {
    if (json_) list_.emplace(std::cout);
  }

  // Plans one handler folder that is in either tree or both; null for a tree that
  // lacks it. Its record sets are listed only now, and dropped again after, so that
  // what plan holds does not grow with the files of the other folders.
  void PlanFolder(const ConfigTree::HandlerFolder* before, const ConfigTree::HandlerFolder* after) {
    Verdict verdict;
    verdict.folder = (before != nullptr ? before : after)->name;
    // A handler folder that could not be read is one entry: nothing of it is known,
    // so nothing in it is taken for added or removed.
    if (const std::string error = BothErrors(before != nullptr ? before->error : "",
                                             after != nullptr ? after->error : "");
        !error.empty()) {
      Count(FolderError(ConfigKind::Handler, TreeFolderPath(verdict.folder), error), verdict);
      EndFolder(verdict);
      return;
    }
    const bool handlerBefore = before != nullptr && before->hasHandler;
    const bool handlerAfter = after != nullptr && after->hasHandler;
    if (handlerBefore || handlerAfter) {
      const FilePlan plan =
          PlanFile(verdict.folder, ConfigKind::Handler, "", handlerBefore, handlerAfter);
      Count(plan, verdict);
    }
    ConfigTree::HandlerFolder a;
    ConfigTree::HandlerFolder b;
    if (before != nullptr) ConfigTree::ReadRecordSets(before_.PathOf(*before), a, std::cerr);
    if (after != nullptr) ConfigTree::ReadRecordSets(after_.PathOf(*after), b, std::cerr);
    PlanRecordSets(verdict, ConfigKind::Static, a.statics, b.statics);
    PlanRecordSets(verdict, ConfigKind::Dynamic, a.dynamics, b.dynamics);
    EndFolder(verdict);
  }

  // Ends the output; true when every file was planned.
  bool Finish() {
    if (json_) {
      list_->Finish(Json{{"handlers", std::move(verdicts_)}});
    } else {
      FlushOutput(std::cout);
    }
    return !failed_;
  }

 private:
  void EndFolder(const Verdict& verdict) {
    if (json_)
      verdicts_.push_back(VerdictJson(verdict));
    else
      PrintVerdict(verdict);
    failed_ = failed_ || verdict.errors > 0;
  }

  void PlanRecordSets(Verdict& verdict, ConfigKind kind,
                      const ConfigTree::RecordSetFolder& beforeFolder,
                      const ConfigTree::RecordSetFolder& afterFolder) {
    // A folder that could not be read on either side is one entry: its files are
    // neither added nor removed, since what it holds is not known.
    if (const std::string error = BothErrors(beforeFolder.error, afterFolder.error);
        !error.empty()) {
      const char* inside = kind == ConfigKind::Static ? "static" : "dynamic";
      Count(FolderError(kind, TreeFolderPath(verdict.folder, inside), error), verdict);
      return;
    }
    const std::vector<std::string>& before = beforeFolder.names;
    const std::vector<std::string>& after = afterFolder.names;
    // Both lists are in byte order: one merge pairs them.
    auto a = before.begin();
    auto b = after.begin();
    while (a != before.end() || b != after.end()) {
      const bool takeA = b == after.end() || (a != before.end() && *a <= *b);
      const bool takeB = a == before.end() || (b != after.end() && *b <= *a);
      const std::string& name = takeA ? *a : *b;
      Count(PlanFile(verdict.folder, kind, name, takeA, takeB), verdict);
      if (takeA) ++a;
      if (takeB) ++b;
    }
  }

  FilePlan FolderError(ConfigKind kind, std::string path, std::string error) {
    FilePlan plan;
    plan.path = std::move(path);
    plan.kind = kind;
    plan.status = "error";
    plan.error = std::move(error);
    Emit(plan);
    return plan;
  }

  FilePlan PlanFile(const std::string& folder, ConfigKind kind, const std::string& name, bool inOld,
                    bool inNew) {
    FilePlan plan;
    plan.path = TreePath(folder, kind, name);
    plan.kind = kind;
    plan.status = !inOld ? "added" : !inNew ? "removed" : "same";
    try {
      if (inOld && inNew)
        PlanPair(plan);
      else
        Parse(RootOf(inOld) / plan.path, ReadInputFile(RootOf(inOld) / plan.path));
    } catch (const std::exception& e) {
      plan.status = "error";
      plan.action.reset();
      plan.changed.clear();
      plan.error = e.what();
    }
    Emit(plan);
    progress_.Step((inOld ? 1 : 0) + (inNew ? 1 : 0));
    return plan;
  }

  void PlanPair(FilePlan& plan) {
    const fs::path oldPath = oldRoot_ / plan.path;
    const fs::path newPath = newRoot_ / plan.path;
    std::string oldText = ReadInputFile(oldPath);
    std::string newText = ReadInputFile(newPath);
    // The same bytes read as the same bag: only the module is asked, and should it
    // refuse the text, the tool's own reading says where.
    if (oldText == newText) {
      try {
        plan.action = Ask(plan.kind, oldText, newText);
      } catch (const std::exception& e) {
        Parse(oldPath, oldText);
        throw std::runtime_error(Shown(oldPath.string()) + ": " + e.what());
      }
      return;
    }
    {
      // The bags go before the module parses the texts again, so that a large pair
      // is held in memory once at a time.
      const CHandlerPrivateProps before = Parse(oldPath, oldText);
      const CHandlerPrivateProps after = Parse(newPath, newText);
      if (!(before == after)) {
        plan.status = "changed";
        plan.changed = ChangedProperties(before, after);
      }
    }
    try {
      plan.action = Ask(plan.kind, oldText, newText);
    } catch (const std::exception& e) {
      throw std::runtime_error(Shown(oldPath.string()) + " or " + Shown(newPath.string()) + ": " +
                               e.what());
    }
  }

  // The module's change action, asked as check-change asks it.
  int Ask(ConfigKind kind, std::string& oldText, std::string& newText) {
    return kind == ConfigKind::Handler ? changes_.CheckHandlerConfigChange(oldText, newText)
                                       : changes_.CheckRecordSetConfigChange(
                                             oldText, newText, 0, kind == ConfigKind::Dynamic);
  }

  const fs::path& RootOf(bool old) const { return old ? oldRoot_ : newRoot_; }

  void Count(const FilePlan& plan, Verdict& verdict) const {
    const std::string status = plan.status;
    // Within its handler folder a record set is named by its folder and file.
    const std::string local =
        verdict.folder == "." ? plan.path : plan.path.substr(verdict.folder.size() + 1);
    if (status == "error") {
      ++verdict.errors;
      if (plan.path.ends_with('/')) ++verdict.folderErrors;
      if (plan.kind == ConfigKind::Handler) verdict.handler = "error";
      return;
    }
    if (plan.kind == ConfigKind::Handler) {
      if (status == "added" || status == "removed")
        verdict.handler = plan.status;
      else
        verdict.handler = plan.action == Action::ECA_RESTART_HANDLER ? "restart" : "no restart";
      return;
    }
    if (status == "added") {
      verdict.added.push_back(local);
    } else if (status == "removed") {
      verdict.removed.push_back(local);
    } else if (plan.action == Action::ECA_REFRESH_RECORDSET ||
               plan.action == Action::ECA_RESTART_RECORDSET) {
      verdict.refresh.push_back(local);
    } else {
      ++verdict.unchanged;
    }
  }

  void Emit(const FilePlan& plan) {
    if (json_) {
      Json changed = Json::array();
      for (const std::string& name : plan.changed) changed.push_back(JsonLatin1(name));
      list_->Add(Json{{"path", JsonText(plan.path)},
                      {"kind", KindName(plan.kind)},
                      {"status", plan.status},
                      {"action", plan.action ? Json(*plan.action) : Json(nullptr)},
                      {"changed", std::move(changed)},
                      {"error", plan.error.empty() ? Json(nullptr) : JsonText(plan.error)}});
      return;
    }
    // A person reads what differs; files that did not change are counted in the verdict.
    if (std::string_view(plan.status) == "same" && plan.action == Action::ECA_NONE) return;
    // Each path and name is one token, so no name can pass for another entry.
    std::cout << plan.status << ' ' << Shown(plan.path);
    if (plan.action) std::cout << " action " << *plan.action;
    if (!plan.changed.empty()) {
      std::cout << " changed:";
      for (const std::string& name : plan.changed)
        std::cout << ' ' << ShownToken(name, TextBytes::Latin1);
    }
    if (!plan.error.empty()) std::cout << ": " << ShownLine(plan.error);
    std::cout << '\n';
  }

  static std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
  }

  static void PrintList(const char* what, const std::vector<std::string>& names) {
    if (names.empty()) return;
    std::cout << "  " << what << ':';
    for (const std::string& name : names) std::cout << ' ' << Shown(name);
    std::cout << '\n';
  }

  static void PrintVerdict(const Verdict& v) {
    const std::string handler = v.handler;
    std::cout << "handler folder " << Shown(v.folder) << ": ";
    if (handler == "restart")
      std::cout << "RESTART the handler";
    else if (handler == "no restart" || handler == "unchanged")
      std::cout << "no restart";
    else if (handler == "added")
      std::cout << "new handler";
    else if (handler == "removed")
      std::cout << "handler removed";
    else
      std::cout << "handler not planned";
    std::cout << "; "
              << (v.refresh.empty()
                      ? std::string("no record set to refresh")
                      : "refresh " + Count(v.refresh.size(), "record set", "record sets"));
    if (!v.added.empty()) std::cout << "; " << v.added.size() << " added";
    if (!v.removed.empty()) std::cout << "; " << v.removed.size() << " removed";
    if (v.unchanged > 0) std::cout << "; " << v.unchanged << " unchanged";
    if (const std::size_t files = v.errors - v.folderErrors; files > 0)
      std::cout << "; " << Count(files, "file", "files") << " not planned";
    if (v.folderErrors > 0)
      std::cout << "; " << Count(v.folderErrors, "folder", "folders") << " not planned";
    std::cout << '\n';
    PrintList("refresh", v.refresh);
    PrintList("added", v.added);
    PrintList("removed", v.removed);
  }

  static Json VerdictJson(const Verdict& v) {
    const auto names = [](const std::vector<std::string>& list) {
      Json array = Json::array();
      for (const std::string& name : list) array.push_back(JsonText(name));
      return array;
    };
    const std::string handler = v.handler;
    return Json{{"folder", JsonText(v.folder)},
                {"handler", handler == "unchanged" ? "no restart" : handler},
                {"restart", handler == "restart"},
                {"refresh", names(v.refresh)},
                {"added", names(v.added)},
                {"removed", names(v.removed)},
                {"unchanged", v.unchanged},
                {"errors", v.errors}};
  }

  IHcdConfigChangesAction& changes_;
  const ConfigTree& before_;
  const ConfigTree& after_;
  fs::path oldRoot_;
  fs::path newRoot_;
  bool json_;
  Progress progress_;
  std::optional<JsonFileList> list_;
  Json verdicts_ = Json::array();
  bool failed_ = false;
};

// The files of the tree, counted for the progress shown on a terminal; the record
// sets are listed once more when they are planned.
std::size_t CountFiles(const ConfigTree& tree) {
  std::ostringstream ignored;
  std::size_t count = 0;
  for (const ConfigTree::HandlerFolder& folder : tree.Folders()) {
    ConfigTree::HandlerFolder listed;
    ConfigTree::ReadRecordSets(tree.PathOf(folder), listed, ignored);
    count +=
        (folder.hasHandler ? 1 : 0) + listed.statics.names.size() + listed.dynamics.names.size();
  }
  return count;
}

}  // namespace

int RunPlan(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 2, "OLD and NEW");

  const ConfigTree before = ConfigTree::Scan(args[0], std::cerr, false);
  const ConfigTree after = ConfigTree::Scan(args[1], std::cerr, false);
  // Trees given one folder too high would plan nothing and say all is well.
  for (const auto& [tree, path] : {std::pair{&before, &args[0]}, std::pair{&after, &args[1]}})
    if (!tree->HoldsAnything()) throw std::runtime_error(NoConfigurationMessage(*path));
  IHcdConfigChangesAction* changes = context.Wrapper().ConfigChangesAction();
  if (changes == nullptr) throw std::runtime_error("the module offers no change-action facet");

  Planner planner(*changes, before, after, json,
                  Progress::Wanted() ? CountFiles(before) + CountFiles(after) : 0);
  // Both folder lists are in byte order of their names: one merge pairs them.
  auto a = before.Folders().begin();
  auto b = after.Folders().begin();
  while (a != before.Folders().end() || b != after.Folders().end()) {
    const bool takeA =
        b == after.Folders().end() || (a != before.Folders().end() && a->name <= b->name);
    const bool takeB =
        a == before.Folders().end() || (b != after.Folders().end() && b->name <= a->name);
    planner.PlanFolder(takeA ? &*a : nullptr, takeB ? &*b : nullptr);
    if (takeA) ++a;
    if (takeB) ++b;
  }
  return planner.Finish() ? kExitOk : kExitFailure;
}
