// plan OLD NEW, or plan --git REV [TREE]: what changing one configuration tree into
// another requires, file by file and per handler folder, asked of the module as
// check-change asks it.
#include <iostream>

#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/Pager.h"
#include "tool/output/Progress.h"
#include "tool/output/ReviewOptions.h"
#include "tool/plan/ConfigTree.h"
#include "tool/plan/GitTree.h"
#include "tool/plan/PlanReporter.h"
#include "tool/plan/TreePlanner.h"

int RunPlan(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  const PlanExit exit =
      TakeFlag(args, "--detailed-exitcode") ? PlanExit::Detailed : PlanExit::Plain;
  const ReviewOptions review = TakeReviewOptions(args, {true, true, true}, json);
  const std::string rev = TakeOption(args, "--git");
  if (!rev.empty() && args.empty()) args.push_back(".");
  ExpectPositional(args, rev.empty() ? 2 : 1, rev.empty() ? "OLD and NEW" : "at most one TREE");

  // With --git, the tree as committed at REV is the old side, the working tree the new.
  const ConfigTree before = rev.empty() ? ConfigTree::Scan(args[0], std::cerr)
                                        : ScanCommittedTree(rev, args[0], std::cerr);
  const std::string& newPath = args[rev.empty() ? 1 : 0];
  const ConfigTree after = ConfigTree::Scan(newPath, std::cerr);
  // Trees given one folder too high would plan nothing and say all is well.
  if (rev.empty() && !before.HoldsAnything())
    throw std::runtime_error(NoConfigurationMessage(args[0]));
  if (!after.HoldsAnything()) throw std::runtime_error(NoConfigurationMessage(newPath));
  // A module that cannot answer fails before any output.
  module.ChangeActions();

  if (review.page) StartPager();
  const std::size_t files = Progress::Wanted() ? before.CountFiles() + after.CountFiles() : 0;
  const std::unique_ptr<PlanReporter> reporter =
      json           ? JsonPlanReporter(std::cout)
      : review.quiet ? QuietPlanReporter(std::cerr)
                     : TextPlanReporter(std::cout, review.palette, true);
  const PlanTotals totals =
      TreePlanner(module, FilePlanner::Views::None).Run(before, after, *reporter, files);
  return PlanExitCode(totals, exit, false);
}
