#pragma once

#include <cstddef>

#include "tool/plan/ConfigTree.h"
#include "tool/plan/FilePlanner.h"
#include "tool/plan/Plan.h"

class Module;
class PlanReporter;

// Plans changing one configuration tree into another: walks both as one
// (WalkTrees), plans each entry (FilePlanner), and hands every entry, then each
// handler folder's verdict, to the reporter.
class TreePlanner {
 public:
  TreePlanner(Module& module, FilePlanner::Views views) : files_(module, views) {}

  // Plans every folder and ends the report; files is the count of files of both
  // trees, for the progress shown on a terminal. What the entries add up to.
  PlanTotals Run(const ConfigTree& before, const ConfigTree& after, PlanReporter& reporter,
                 std::size_t files);

 private:
  FilePlanner files_;
};
