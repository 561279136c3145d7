#include "tool/FilePlanner.h"
#include "files/InputFile.h"

#include <new>
#include <stdexcept>

#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"
#include "tool/ConfigTree.h"
#include "tool/Module.h"
#include "tool/PropertyDifference.h"

namespace fs = std::filesystem;

namespace {

std::string Shown(const fs::path& path) { return ShownToken(path.string(), TextBytes::Utf8); }

CHandlerPrivateProps Parse(const fs::path& path, const std::string& text) {
  CHandlerPrivateProps bag;
  try {
    bag.fromXML(text);
  } catch (const XmlError& e) {
    throw std::runtime_error(Shown(path) + ": " + e.what());
  }
  return bag;
}

}  // namespace

FilePlan FilePlanner::Plan(std::string path, ConfigKind kind, const fs::path* oldFile,
                           const fs::path* newFile) {
  FilePlan plan;
  plan.path = std::move(path);
  plan.kind = kind;
  plan.status = oldFile == nullptr   ? FileStatus::Added
                : newFile == nullptr ? FileStatus::Removed
                                     : FileStatus::Same;
  try {
    if (oldFile != nullptr && newFile != nullptr) {
      PlanPair(plan, *oldFile, *newFile);
    } else {
      const fs::path& only = oldFile != nullptr ? *oldFile : *newFile;
      Parse(only, ReadInputFile(only));
    }
  } catch (const std::exception& e) {
    plan.status = FileStatus::Error;
    plan.action.reset();
    plan.changed.clear();
    // Never "std::bad_alloc": which file, and that memory ran out reading it.
    plan.error =
        dynamic_cast<const std::bad_alloc*>(&e) == nullptr ? e.what()
        : oldFile != nullptr && newFile != nullptr
            ? "out of memory while reading and comparing " + Shown(*oldFile) + " and " +
                  Shown(*newFile)
            : "out of memory while reading " + Shown(oldFile != nullptr ? *oldFile : *newFile);
  }
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
      Parse(oldFile, oldText);
      throw std::runtime_error(Shown(oldFile) + ": " + e.what());
    }
    return;
  }
  {
    const CHandlerPrivateProps before = Parse(oldFile, oldText);
    const CHandlerPrivateProps after = Parse(newFile, newText);
    if (!(before == after)) {
      plan.status = FileStatus::Changed;
      plan.changed = ChangedProperties(before, after);
      if (watch_) watch_(plan, before, after);
    }
  }
  try {
    plan.action = module_.ChangeAction(plan.kind, oldText, newText);
  } catch (const std::exception& e) {
    throw std::runtime_error(Shown(oldFile) + " or " + Shown(newFile) + ": " + e.what());
  }
}
