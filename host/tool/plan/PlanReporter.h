#pragma once

#include <functional>
#include <iosfwd>
#include <memory>

#include "tool/output/JsonOutput.h"

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

// What another command adds to plan's report of each entry (diff's details): lines
// after the entry's line, members of its JSON object.
using MoreLines = std::function<void(const FilePlan& plan, std::ostream& out)>;
using MoreMembers = std::function<void(const FilePlan& plan, Json& entry)>;

// The text a person reads: the entries that matter, a line each, and each folder's
// verdict with its lists.
std::unique_ptr<PlanReporter> TextPlanReporter(std::ostream& out, MoreLines more = {});
// One JSON document: {"files": [...], "handlers": [...]}.
std::unique_ptr<PlanReporter> JsonPlanReporter(std::ostream& out, MoreMembers more = {});
