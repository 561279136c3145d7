#pragma once

#include <iosfwd>
#include <memory>

#include "tool/output/Palette.h"

struct FilePlan;
struct FolderPlan;
struct PlanTotals;

// Renders a plan as the planner works it out: each entry as it is planned, each
// handler folder after its entries, then the end with the totals. One reporter per
// output format, chosen once per run; it only renders what the entries hold, and
// decides nothing.
class PlanReporter {
 public:
  virtual ~PlanReporter();

  virtual void File(const FilePlan& plan) = 0;
  virtual void Folder(const FolderPlan& folder) = 0;
  // Writes out what is left; throws OutputError when the output failed.
  virtual void End(const PlanTotals& totals) = 0;
};

// The text a person reads, written at the end: the entries that matter, a line each,
// those that change the same way together with what their pages show differently
// once below them (when the entries hold that); then the verdict of each handler
// folder where something is to be done, with its lists, folders of the same verdict
// and lists together, the lists once; then, when totals says so, the totals line.
std::unique_ptr<PlanReporter> TextPlanReporter(std::ostream& out, const Palette& palette,
                                               bool totals);
// One JSON document: {"files": [...], "handlers": [...], "totals": {...}}; an entry that
// holds what its pages show differently has it as "controls" and "holidays".
std::unique_ptr<PlanReporter> JsonPlanReporter(std::ostream& out);
// Nothing on stdout: the entries that fail (refused by their page, not planned) each
// as one line on err, "hcdtool: " and what failed, so a quiet run still says which.
std::unique_ptr<PlanReporter> QuietPlanReporter(std::ostream& err);
