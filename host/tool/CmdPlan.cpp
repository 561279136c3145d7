// plan OLD NEW: what changing one configuration tree into another requires, file by
// file and per handler folder, asked of the module as check-change asks it.
#include <iostream>

#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/Progress.h"
#include "tool/plan/ConfigTree.h"
#include "tool/plan/PlanReporter.h"
#include "tool/plan/TreePlanner.h"

int RunPlan(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 2, "OLD and NEW");

  const ConfigTree before = ConfigTree::Scan(args[0], std::cerr);
  const ConfigTree after = ConfigTree::Scan(args[1], std::cerr);
  // Trees given one folder too high would plan nothing and say all is well.
  for (const auto& [tree, path] : {std::pair{&before, &args[0]}, std::pair{&after, &args[1]}})
    if (!tree->HoldsAnything()) throw std::runtime_error(NoConfigurationMessage(*path));
  // A module that cannot answer fails before any output.
  module.ChangeActions();

  const std::size_t files = Progress::Wanted() ? before.CountFiles() + after.CountFiles() : 0;
  const std::unique_ptr<PlanReporter> reporter =
      json ? JsonPlanReporter(std::cout) : TextPlanReporter(std::cout);
  const PlanTotals totals =
      TreePlanner(module, FilePlanner::Views::None).Run(before, after, *reporter, files);
  return totals.errors > 0 ? kExitFailure : kExitOk;
}
