#pragma once

#include <filesystem>
#include <string>

#include "tool/plan/Plan.h"

class CHandlerPrivateProps;
class Module;
class TreeSource;

// One side's file of an entry: the source it is read from (the disk, or a commit) and
// its path there.
struct SideFile {
  const TreeSource& source;
  std::filesystem::path path;

  // As messages name it, not yet escaped.
  std::string Name() const;
  std::string Read() const;
};

// Plans one entry of a comparison: a pair of configuration files, or a file only one
// side has. Each file is read once; a pair's bags are dropped before the module is
// asked for its change action (the host's call hands it the documents, which it
// parses itself), and the documents before the page of a changed new file is checked
// (the new one parsed once more for it), so that a large pair is held in memory once
// at a time.
class FilePlanner {
 public:
  // What a plan entry holds beyond the plan itself.
  enum class Views {
    None,
    // What the pages of each changed pair show differently (FilePlan::shown): both
    // pages are read while the bags are at hand.
    Compared,
  };

  FilePlanner(Module& module, Views views) : module_(module), views_(views) {}

  // The entry named path (as output names it) of the kind, from the old file, the new
  // file or both (null for a side that lacks it): its status, the module's change
  // action for a pair, the properties that differ and, when asked, what the pages
  // show differently; or what could not be read.
  FilePlan Plan(std::string path, ConfigKind kind, const SideFile* oldFile,
                const SideFile* newFile);

  // The entry of a folder that could not be read: its path ends in "/".
  FilePlan FolderError(std::string path, ConfigKind kind, std::string error) const;

 private:
  void PlanPair(FilePlan& plan, const SideFile& oldFile, const SideFile& newFile);
  // Presses OK on the page of the new side's bag; a refusal makes the entry Refused,
  // with the page's message and no change action.
  void CheckDeployed(FilePlan& plan, CHandlerPrivateProps& bag);

  Module& module_;
  Views views_;
};
