#pragma once

#include <iosfwd>
#include <memory>

#include "tool/JsonOutput.h"

struct FilePlan;
struct FolderPlan;

// Renders a plan as the planner works it out: each entry as it is planned, each
// handler folder after its entries, then the end. One reporter per output format,
// chosen once per run; none decides anything the plan holds.
class PlanReporter {
 public:
  virtual ~PlanReporter();

  virtual void File(const FilePlan& plan) = 0;
  virtual void Folder(const FolderPlan& folder) = 0;
  // Writes out what is left; throws OutputError when the output failed.
  virtual void End() = 0;
};

// The text a person reads: the entries that matter, a line each, and each folder's
// verdict with its lists.
std::unique_ptr<PlanReporter> TextPlanReporter(std::ostream& out);
// One JSON document: {"files": [...], "handlers": [...]}.
std::unique_ptr<PlanReporter> JsonPlanReporter(std::ostream& out);

// What both reporters render, for reporters of the same plan with more to say (diff).
// The entry's line, for an entry that matters; its JSON object; the folder's verdict
// with its lists; its JSON object.
void PrintFilePlan(const FilePlan& plan, std::ostream& out);
Json FilePlanJson(const FilePlan& plan);
void PrintFolderPlan(const FolderPlan& folder, std::ostream& out);
Json FolderPlanJson(const FolderPlan& folder);
