#pragma once

#include <cstddef>
#include <string>

#include "tool/output/Progress.h"
#include "tool/plan/ConfigTree.h"
#include "tool/plan/FilePlanner.h"
#include "tool/plan/Plan.h"

class Module;
class PlanReporter;

// Plans changing one configuration tree into another: pairs the handler folders and
// their files by name, plans each entry (FilePlanner), and hands every entry, then
// each folder's verdict, to the reporter. The record sets of a folder are listed only
// while it is planned, so that what the planner holds does not grow with the files of
// the trees.
class TreePlanner {
 public:
  TreePlanner(Module& module, const ConfigTree& before, const ConfigTree& after,
              PlanReporter& reporter, std::size_t files);

  // Sees each pair whose bags differ while both are at hand, before it is reported.
  void WatchChangedPairs(FilePlanner::PairWatch watch) {
    files_.WatchChangedPairs(std::move(watch));
  }
  // Plans every folder and ends the report; true when every entry was planned.
  bool Run();

 private:
  void PlanFolder(const ConfigTree::HandlerFolder* before, const ConfigTree::HandlerFolder* after);
  void PlanRecordSets(FolderPlan& folder, ConfigKind kind,
                      const ConfigTree::RecordSetFolder& before,
                      const ConfigTree::RecordSetFolder& after);
  FilePlan FolderError(ConfigKind kind, std::string path, std::string error);
  FilePlan PlanFile(const std::string& folder, ConfigKind kind, const std::string& name, bool inOld,
                    bool inNew);
  void Report(const FilePlan& plan, FolderPlan& folder);

  const ConfigTree& before_;
  const ConfigTree& after_;
  PlanReporter& reporter_;
  Progress progress_;
  FilePlanner files_;
  bool failed_ = false;
};

// The files of the tree, counted for the progress shown on a terminal.
std::size_t CountFiles(const ConfigTree& tree);
