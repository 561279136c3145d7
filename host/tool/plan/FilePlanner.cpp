#include "tool/plan/FilePlanner.h"

#include <new>
#include <stdexcept>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/module/PageCheck.h"
#include "tool/plan/ConfigTree.h"
#include "tool/plan/PropertyDifference.h"
#include "tool/review/ConfigurationView.h"

namespace fs = std::filesystem;

std::string SideFile::Name() const { return source.Name(path); }

std::string SideFile::Read() const { return source.Read(path); }

FilePlan FilePlanner::Plan(std::string path, ConfigKind kind, const SideFile* oldFile,
                           const SideFile* newFile) {
  FilePlan plan;
  plan.path = std::move(path);
  plan.kind = kind;
  plan.status = oldFile == nullptr   ? FileStatus::Added
                : newFile == nullptr ? FileStatus::Removed
                                     : FileStatus::Same;
  if (views_ == Views::Compared) plan.shown.emplace();
  try {
    if (oldFile != nullptr && newFile != nullptr) {
      PlanPair(plan, *oldFile, *newFile);
    } else {
      const SideFile& only = oldFile != nullptr ? *oldFile : *newFile;
      CHandlerPrivateProps bag = ParseConfiguration(only.Name(), only.Read(), EmptyIs::Refused);
      if (newFile != nullptr) CheckDeployed(plan, bag);
    }
  } catch (const std::exception& e) {
    plan.status = FileStatus::Error;
    plan.action.reset();
    plan.changed.clear();
    // Never "std::bad_alloc": which file, and that memory ran out reading it.
    plan.error = dynamic_cast<const std::bad_alloc*>(&e) == nullptr ? e.what()
                 : oldFile != nullptr && newFile != nullptr
                     ? "out of memory while reading and comparing " + ShownPath(oldFile->Name()) +
                           " and " + ShownPath(newFile->Name())
                     : "out of memory while reading " +
                           ShownPath((oldFile != nullptr ? *oldFile : *newFile).Name());
  }
  return plan;
}

void FilePlanner::CheckDeployed(FilePlan& plan, CHandlerPrivateProps& bag) {
  if (const std::optional<PageRefusal> refused = PressOk(module_, plan.kind, bag)) {
    plan.status = FileStatus::Refused;
    plan.action.reset();
    plan.message = refused->message;
  }
}

FilePlan FilePlanner::FolderError(std::string path, ConfigKind kind, std::string error) const {
  FilePlan plan;
  plan.path = std::move(path);
  plan.kind = kind;
  plan.status = FileStatus::Error;
  plan.error = std::move(error);
  if (views_ == Views::Compared) plan.shown.emplace();
  return plan;
}

void FilePlanner::PlanPair(FilePlan& plan, const SideFile& oldFile, const SideFile& newFile) {
  std::string oldText = oldFile.Read();
  std::string newText = newFile.Read();
  // The same bytes read as the same bag: only the module is asked, and should it
  // refuse the text, the tool's own reading says where.
  if (oldText == newText) {
    try {
      plan.action = module_.ChangeAction(plan.kind, oldText, newText);
    } catch (const std::exception& e) {
      ParseConfiguration(oldFile.Name(), oldText, EmptyIs::Refused);
      throw std::runtime_error(ShownPath(oldFile.Name()) + ": " + e.what());
    }
    return;
  }
  {
    CHandlerPrivateProps before = ParseConfiguration(oldFile.Name(), oldText, EmptyIs::Refused);
    CHandlerPrivateProps after = ParseConfiguration(newFile.Name(), newText, EmptyIs::Refused);
    if (!(before == after)) {
      plan.status = FileStatus::Changed;
      plan.changed = ChangedProperties(before, after);
      // The pages only look at the bags, which they leave as they are.
      if (views_ == Views::Compared) {
        const ConfigurationView oldView = ViewConfiguration(module_, plan.kind, before);
        const ConfigurationView newView = ViewConfiguration(module_, plan.kind, after);
        plan.shown = CompareViews(oldView, newView);
      }
    }
  }
  // The module is asked before the page checks what would be deployed, so that the
  // page, which holds a large calendar several times over, never has both documents
  // beside it: they are dropped, and the new one parsed again for the page.
  std::string actionError;
  try {
    plan.action = module_.ChangeAction(plan.kind, oldText, newText);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    actionError = ShownPath(oldFile.Name()) + " or " + ShownPath(newFile.Name()) + ": " + e.what();
  }
  if (plan.status == FileStatus::Changed) {
    std::string().swap(oldText);
    CHandlerPrivateProps after = ParseConfiguration(newFile.Name(), newText, EmptyIs::Refused);
    std::string().swap(newText);
    // What is the same as before was deployed already. A page's refusal is the entry's
    // whole answer, whatever the module said of the change.
    CheckDeployed(plan, after);
    if (plan.status == FileStatus::Refused) return;
  }
  if (!actionError.empty()) throw std::runtime_error(actionError);
}
