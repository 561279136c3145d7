#include "tool/plan/TreePlanner.h"

#include <iostream>
#include <sstream>

#include "tool/plan/PairByName.h"
#include "tool/plan/PlanReporter.h"

namespace fs = std::filesystem;

namespace {

// The errors of the two sides of a pair, either or both.
std::string BothErrors(const std::string& before, const std::string& after) {
  if (before.empty()) return after;
  if (after.empty()) return before;
  return before + "; " + after;
}

}  // namespace

TreePlanner::TreePlanner(Module& module, const ConfigTree& before, const ConfigTree& after,
                         PlanReporter& reporter, std::size_t files)
    : before_(before),
      after_(after),
      reporter_(reporter),
      progress_("plan", files),
      files_(module) {}

bool TreePlanner::Run() {
  PairByName(
      before_.Folders(), after_.Folders(),
      [](const ConfigTree::HandlerFolder& folder) -> const std::string& { return folder.name; },
      [this](const ConfigTree::HandlerFolder* a, const ConfigTree::HandlerFolder* b) {
        PlanFolder(a, b);
      });
  reporter_.End();
  return !failed_;
}

void TreePlanner::PlanFolder(const ConfigTree::HandlerFolder* before,
                             const ConfigTree::HandlerFolder* after) {
  FolderPlan folder;
  folder.folder = (before != nullptr ? before : after)->name;
  // A handler folder that could not be read is one entry: nothing of it is known,
  // so nothing in it is taken for added or removed.
  if (std::string error =
          BothErrors(before != nullptr ? before->error : "", after != nullptr ? after->error : "");
      !error.empty()) {
    Report(FolderError(ConfigKind::Handler, TreeFolderPath(folder.folder), std::move(error)),
           folder);
  } else {
    const bool handlerBefore = before != nullptr && before->hasHandler;
    const bool handlerAfter = after != nullptr && after->hasHandler;
    if (handlerBefore || handlerAfter)
      Report(PlanFile(folder.folder, ConfigKind::Handler, "", handlerBefore, handlerAfter), folder);
    // Listed only now, and dropped again after.
    ConfigTree::HandlerFolder a;
    ConfigTree::HandlerFolder b;
    if (before != nullptr) ConfigTree::ReadRecordSets(before_.PathOf(*before), a, std::cerr);
    if (after != nullptr) ConfigTree::ReadRecordSets(after_.PathOf(*after), b, std::cerr);
    PlanRecordSets(folder, ConfigKind::Static, a.statics, b.statics);
    PlanRecordSets(folder, ConfigKind::Dynamic, a.dynamics, b.dynamics);
  }
  reporter_.Folder(folder);
  failed_ = failed_ || folder.errors > 0;
}

void TreePlanner::PlanRecordSets(FolderPlan& folder, ConfigKind kind,
                                 const ConfigTree::RecordSetFolder& before,
                                 const ConfigTree::RecordSetFolder& after) {
  // A folder that could not be read on either side is one entry: its files are
  // neither added nor removed, since what it holds is not known.
  if (std::string error = BothErrors(before.error, after.error); !error.empty()) {
    const char* inside = kind == ConfigKind::Static ? "static" : "dynamic";
    Report(FolderError(kind, TreeFolderPath(folder.folder, inside), std::move(error)), folder);
    return;
  }
  PairByName(
      before.names, after.names, [](const std::string& name) -> const std::string& { return name; },
      [&](const std::string* a, const std::string* b) {
        Report(PlanFile(folder.folder, kind, a != nullptr ? *a : *b, a != nullptr, b != nullptr),
               folder);
      });
}

void TreePlanner::Report(const FilePlan& plan, FolderPlan& folder) {
  reporter_.File(plan);
  folder.Count(plan);
}

FilePlan TreePlanner::FolderError(ConfigKind kind, std::string path, std::string error) {
  FilePlan plan;
  plan.path = std::move(path);
  plan.kind = kind;
  plan.status = FileStatus::Error;
  plan.error = std::move(error);
  return plan;
}

FilePlan TreePlanner::PlanFile(const std::string& folder, ConfigKind kind, const std::string& name,
                               bool inOld, bool inNew) {
  std::string path = TreePath(folder, kind, name);
  const fs::path oldFile = before_.Root() / path;
  const fs::path newFile = after_.Root() / path;
  FilePlan plan =
      files_.Plan(std::move(path), kind, inOld ? &oldFile : nullptr, inNew ? &newFile : nullptr);
  progress_.Step((inOld ? 1 : 0) + (inNew ? 1 : 0));
  return plan;
}

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
