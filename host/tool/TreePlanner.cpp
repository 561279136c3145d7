#include "tool/TreePlanner.h"

#include <iostream>
#include <sstream>
#include <stdexcept>

#include "props/CHandlerPrivateProps.h"
#include "props/TextEscape.h"
#include "props/XmlError.h"
#include "tool/Module.h"
#include "tool/PairByName.h"
#include "tool/PlanReporter.h"
#include "tool/PropertyDifference.h"

namespace fs = std::filesystem;

namespace {

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

}  // namespace

TreePlanner::TreePlanner(Module& module, const ConfigTree& before, const ConfigTree& after,
                         PlanReporter& reporter, std::size_t files)
    : module_(module),
      before_(before),
      after_(after),
      reporter_(reporter),
      progress_("plan", files) {}

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
  FilePlan plan;
  plan.path = TreePath(folder, kind, name);
  plan.kind = kind;
  plan.status = !inOld ? FileStatus::Added : !inNew ? FileStatus::Removed : FileStatus::Same;
  try {
    if (inOld && inNew) {
      PlanPair(plan);
    } else {
      const fs::path path = (inOld ? before_.Root() : after_.Root()) / plan.path;
      Parse(path, ReadTreeFile(path));
    }
  } catch (const std::exception& e) {
    plan.status = FileStatus::Error;
    plan.action.reset();
    plan.changed.clear();
    plan.error = e.what();
  }
  progress_.Step((inOld ? 1 : 0) + (inNew ? 1 : 0));
  return plan;
}

void TreePlanner::PlanPair(FilePlan& plan) {
  const fs::path oldPath = before_.Root() / plan.path;
  const fs::path newPath = after_.Root() / plan.path;
  std::string oldText = ReadTreeFile(oldPath);
  std::string newText = ReadTreeFile(newPath);
  // The same bytes read as the same bag: only the module is asked, and should it
  // refuse the text, the tool's own reading says where.
  if (oldText == newText) {
    try {
      plan.action = module_.ChangeAction(plan.kind, oldText, newText);
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
      plan.status = FileStatus::Changed;
      plan.changed = ChangedProperties(before, after);
      if (watch_) watch_(plan, before, after);
    }
  }
  try {
    plan.action = module_.ChangeAction(plan.kind, oldText, newText);
  } catch (const std::exception& e) {
    throw std::runtime_error(Shown(oldPath.string()) + " or " + Shown(newPath.string()) + ": " +
                             e.what());
  }
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
