#pragma once

#include <iosfwd>
#include <memory>

struct FilePlan;
struct FolderPlan;

// Renders a plan as the planner works it out: each entry as it is planned, each
// handler folder after its entries, then the end. One reporter per output format,
// chosen once per run; it only renders what the entries hold, and decides nothing.
class PlanReporter {
 public:
  virtual ~PlanReporter();

  virtual void File(const FilePlan& plan) = 0;
  virtual void Folder(const FolderPlan& folder) = 0;
  // Writes out what is left; throws OutputError when the output failed.
  virtual void End() = 0;
};

// The text a person reads: the entries that matter, a line each, with what their
// pages show differently below it when the entry holds that, and each folder's
// verdict with its lists.
std::unique_ptr<PlanReporter> TextPlanReporter(std::ostream& out);
// One JSON document: {"files": [...], "handlers": [...]}; an entry that holds what
// its pages show differently has it as "controls" and "holidays".
std::unique_ptr<PlanReporter> JsonPlanReporter(std::ostream& out);
