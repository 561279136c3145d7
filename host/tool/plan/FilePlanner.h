#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "tool/plan/Plan.h"

class CPrivateProperty;
class Module;

// Plans one entry of a comparison: a pair of configuration files, or a file only one
// side has. Each file is read once; a pair's bags are dropped before the module parses
// the texts again, so that a large pair is held in memory once at a time.
class FilePlanner {
 public:
  // Sees a pair whose bags differ while both are at hand, before the module is asked.
  using PairWatch = std::function<void(const FilePlan& plan, const CPrivateProperty& before,
                                       const CPrivateProperty& after)>;

  explicit FilePlanner(Module& module) : module_(module) {}

  void WatchChangedPairs(PairWatch watch) { watch_ = std::move(watch); }

  // The entry named path (as output names it) of the kind, from the old file, the new
  // file or both (null for a side that lacks it): its status, the module's change
  // action for a pair, the properties that differ, or what could not be read.
  FilePlan Plan(std::string path, ConfigKind kind, const std::filesystem::path* oldFile,
                const std::filesystem::path* newFile);

 private:
  void PlanPair(FilePlan& plan, const std::filesystem::path& oldFile,
                const std::filesystem::path& newFile);

  Module& module_;
  PairWatch watch_;
};
