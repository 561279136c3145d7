#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tool/module/ConfigKind.h"
#include "tool/review/ViewDifference.h"

// What changing one configuration tree into another requires, as data: what plan
// (and diff) work out and their reporters render. An entry is the whole record of
// its pair: nothing about it is kept anywhere else.

// What became of one entry of the trees.
enum class FileStatus {
  Same,     // the two property bags are equal
  Changed,  // they are not
  Added,    // only in the new tree
  Removed,  // only in the old tree
  Error,    // a file of the entry could not be read or parsed, or a folder read
  // The new file's page refuses it (OK pressed on it): it cannot be deployed as it is,
  // so it gets no change action and its folder no restart verdict.
  Refused,
};

// "same", "changed", "added", "removed", "error" or "refused".
const char* StatusName(FileStatus status);

// One entry of the plan: a file, or a folder that could not be read (its path then
// ends in "/" and its status is Error).
struct FilePlan {
  std::string path;  // relative to the roots
  ConfigKind kind = ConfigKind::Handler;
  FileStatus status = FileStatus::Same;
  std::optional<int> action;         // the module's change action, for a pair
  std::vector<std::string> changed;  // the properties whose stored values differ
  std::string error;                 // what could not be read, for Error
  std::string message;               // the page's refusal (ISO-8859-1), for Refused
  // What the pages of the pair show differently, when the planner was asked to read
  // them (diff): set on every entry then, and empty but for a changed pair.
  std::optional<ViewDifference> shown;

  bool IsFolder() const { return path.ends_with('/'); }
  // Whether a person reading the plan needs the entry: not one that is the same and
  // asks for nothing.
  bool Matters() const;
};

// What the handler of a handler folder must do.
enum class HandlerVerdict {
  Unchanged,  // the folder holds no handler.xml on either side
  NoRestart,
  Restart,
  Added,
  Removed,
  Error,    // its handler.xml, or the folder, could not be planned
  Refused,  // the page of its new handler.xml refuses it
};

// What a handler folder's entries add up to.
struct FolderPlan {
  std::string folder;  // relative to the roots; "." for the root
  HandlerVerdict handler = HandlerVerdict::Unchanged;
  std::vector<std::string> refresh;  // record sets, relative to the folder
  std::vector<std::string> added;
  std::vector<std::string> removed;
  std::vector<std::string> refused;  // record sets whose page refuses the new file
  std::size_t unchanged = 0;
  std::size_t errors = 0;        // entries not planned, folders among them
  std::size_t folderErrors = 0;  // folders that could not be read
  // Whether any of its entries matters to a person (FilePlan::Matters): a folder where
  // nothing is to be done is only counted.
  bool matters = false;

  // Counts one of the folder's entries in.
  void Count(const FilePlan& plan);
};

// What all the entries of a plan add up to: the totals plan and diff close with, and
// their exit code.
struct PlanTotals {
  std::size_t entries = 0;
  std::size_t errors = 0;     // entries not planned: files unreadable or malformed, folders
  std::size_t refused = 0;    // entries whose new file the page refuses
  std::size_t differing = 0;  // entries not the same on both sides, errors among them
  std::size_t changed = 0;
  std::size_t added = 0;
  std::size_t removed = 0;
  std::size_t unchanged = 0;
  std::size_t restarts = 0;   // handlers whose change action is a restart
  std::size_t refreshes = 0;  // record sets to refresh (or restart)

  void Count(const FilePlan& plan);
  // Whether anything is to be deployed: a file changed, added or removed.
  bool AnyChange() const { return changed + added + removed > 0; }
};

// How plan and diff end.
enum class PlanExit {
  // plan: 1 when a page refused a file, else 0; diff: 1 when anything differs, else 0.
  Plain,
  // What a CI job needs, for both: 0 nothing to deploy, 4 changes that restart no
  // handler, 5 a handler must restart, 1 a page refused a file.
  Detailed,
};

// The exit code of plan (diff false) or diff (diff true): 3 whenever an entry could not
// be planned, else as exit says.
int PlanExitCode(const PlanTotals& totals, PlanExit exit, bool diff);
