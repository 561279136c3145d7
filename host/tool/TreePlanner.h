#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "tool/ConfigTree.h"
#include "tool/Plan.h"
#include "tool/Progress.h"

class CPrivateProperty;
class Module;
class PlanReporter;

// Plans changing one configuration tree into another: pairs the handler folders and
// their files by name, reads each file once, asks the module for each pair's change
// action as check-change asks it, and hands every entry, then each folder's verdict,
// to the reporter. The record sets of a folder are listed only while it is planned,
// and a pair's bags are dropped before the module parses the texts again, so that
// what the planner holds does not grow with the files of the trees.
class TreePlanner {
 public:
  // Sees a pair whose bags differ while both are at hand, before the entry is reported.
  using PairWatch = std::function<void(const FilePlan& plan, const CPrivateProperty& before,
                                       const CPrivateProperty& after)>;

  TreePlanner(Module& module, const ConfigTree& before, const ConfigTree& after,
              PlanReporter& reporter, std::size_t files);

  void WatchChangedPairs(PairWatch watch) { watch_ = std::move(watch); }
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
  void PlanPair(FilePlan& plan);
  void Report(const FilePlan& plan, FolderPlan& folder);

  Module& module_;
  const ConfigTree& before_;
  const ConfigTree& after_;
  PlanReporter& reporter_;
  Progress progress_;
  PairWatch watch_;
  bool failed_ = false;
};

// The files of the tree, counted for the progress shown on a terminal.
std::size_t CountFiles(const ConfigTree& tree);
