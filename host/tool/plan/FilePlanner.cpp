#include "tool/plan/FilePlanner.h"

#include <new>
#include <stdexcept>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/plan/PropertyDifference.h"
#include "tool/review/ConfigurationView.h"

namespace fs = std::filesystem;

namespace {}  // namespace

FilePlan FilePlanner::Plan(std::string path, ConfigKind kind, const fs::path* oldFile,
                           const fs::path* newFile) {
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
      const fs::path& only = oldFile != nullptr ? *oldFile : *newFile;
      ReadConfiguration(only.string(), EmptyIs::Refused);
    }
  } catch (const std::exception& e) {
    plan.status = FileStatus::Error;
    plan.action.reset();
    plan.changed.clear();
    // Never "std::bad_alloc": which file, and that memory ran out reading it.
    plan.error = dynamic_cast<const std::bad_alloc*>(&e) == nullptr ? e.what()
                 : oldFile != nullptr && newFile != nullptr
                     ? "out of memory while reading and comparing " + ShownPath(oldFile->string()) +
                           " and " + ShownPath(newFile->string())
                     : "out of memory while reading " +
                           ShownPath((oldFile != nullptr ? *oldFile : *newFile).string());
  }
  return plan;
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

void FilePlanner::PlanPair(FilePlan& plan, const fs::path& oldFile, const fs::path& newFile) {
  std::string oldText = ReadInputFile(oldFile);
  std::string newText = ReadInputFile(newFile);
  // The same bytes read as the same bag: only the module is asked, and should it
  // refuse the text, the tool's own reading says where.
  if (oldText == newText) {
    try {
      plan.action = module_.ChangeAction(plan.kind, oldText, newText);
    } catch (const std::exception& e) {
      ParseConfiguration(oldFile.string(), oldText, EmptyIs::Refused);
      throw std::runtime_error(ShownPath(oldFile.string()) + ": " + e.what());
    }
    return;
  }
  {
    CHandlerPrivateProps before = ParseConfiguration(oldFile.string(), oldText, EmptyIs::Refused);
    CHandlerPrivateProps after = ParseConfiguration(newFile.string(), newText, EmptyIs::Refused);
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
  try {
    plan.action = module_.ChangeAction(plan.kind, oldText, newText);
  } catch (const std::exception& e) {
    throw std::runtime_error(ShownPath(oldFile.string()) + " or " + ShownPath(newFile.string()) +
                             ": " + e.what());
  }
}
