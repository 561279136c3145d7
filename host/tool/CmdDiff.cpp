// diff OLD NEW: what a reviewer reads of a change, on two files or two trees: plan's
// entries and verdicts, and below each changed entry the values its page shows
// differently and the holidays added, removed and changed.
#include <filesystem>
#include <iostream>

#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/DiffDetails.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/Progress.h"
#include "tool/plan/ConfigTree.h"
#include "tool/plan/FilePlanner.h"
#include "tool/plan/PlanReporter.h"
#include "tool/plan/TreePlanner.h"
#include "tool/review/ConfigurationView.h"
#include "tool/review/ViewDifference.h"

namespace fs = std::filesystem;

namespace {

// Reads what both pages of a changed pair show and keeps the difference for its entry.
FilePlanner::PairWatch WatchValues(Module& module, DiffDetails& details) {
  return [&module, &details](const FilePlan& plan, const CPrivateProperty& before,
                             const CPrivateProperty& after) {
    // The pages only look; they are handed copies, which they leave as they are.
    CPrivateProperty oldBag = before;
    CPrivateProperty newBag = after;
    const ConfigurationView oldView = ViewConfiguration(module, plan.kind, oldBag);
    const ConfigurationView newView = ViewConfiguration(module, plan.kind, newBag);
    details.Expect(plan.path, CompareViews(oldView, newView));
  };
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// The kind of two files: the one given, else OLD's place, else NEW's.
ConfigKind KindOfPair(const std::string& oldPath, const std::string& newPath,
                      const std::optional<ConfigKind>& given) {
  std::optional<ConfigKind> kind = given ? given : KindOfPlaceIfAny(oldPath);
  if (!kind) kind = KindOfPlaceIfAny(newPath);
  if (!kind)
    throw UsageError("neither " + ShownToken(oldPath, TextBytes::Utf8) + " nor " +
                     ShownToken(newPath, TextBytes::Utf8) +
                     " is in a configuration tree: give --handler, --static or --dynamic");
  return *kind;
}

}  // namespace

int RunDiff(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 2, "OLD and NEW");
  const std::string& oldPath = args[0];
  const std::string& newPath = args[1];
  const bool trees = IsFolder(oldPath);
  if (trees != IsFolder(newPath))
    throw UsageError("give two files or two folders, not " + ShownToken(oldPath, TextBytes::Utf8) +
                     " and " + ShownToken(newPath, TextBytes::Utf8));
  if (trees && given) throw UsageError("a tree says the kind of each file: give no kind option");

  std::unique_ptr<ConfigTree> before;
  std::unique_ptr<ConfigTree> after;
  ConfigKind kind = ConfigKind::Handler;
  if (trees) {
    before = std::make_unique<ConfigTree>(ConfigTree::Scan(oldPath, std::cerr, false));
    after = std::make_unique<ConfigTree>(ConfigTree::Scan(newPath, std::cerr, false));
    for (const auto& [tree, path] :
         {std::pair{before.get(), &oldPath}, std::pair{after.get(), &newPath}})
      if (!tree->HoldsAnything()) throw std::runtime_error(NoConfigurationMessage(*path));
  } else {
    kind = KindOfPair(oldPath, newPath, given);
  }
  // A module that cannot answer fails before any output.
  module.ChangeActions();
  module.PropertyPages();

  DiffDetails details;
  const std::unique_ptr<PlanReporter> reporter =
      json ? JsonPlanReporter(
                 std::cout,
                 [&details](const FilePlan& plan, Json& entry) { details.AddMembers(plan, entry); })
           : TextPlanReporter(std::cout, [&details](const FilePlan& plan, std::ostream& out) {
               details.WriteLines(plan, out);
             });
  bool planned = true;
  if (trees) {
    const std::size_t files = Progress::Wanted() ? CountFiles(*before) + CountFiles(*after) : 0;
    TreePlanner planner(module, *before, *after, *reporter, files);
    planner.WatchChangedPairs(WatchValues(module, details));
    planned = planner.Run();
  } else {
    FilePlanner planner(module);
    planner.WatchChangedPairs(WatchValues(module, details));
    const fs::path oldFile = oldPath;
    const fs::path newFile = newPath;
    const FilePlan plan = planner.Plan(newPath, kind, &oldFile, &newFile);
    planned = plan.status != FileStatus::Error;
    reporter->File(plan);
    reporter->End();
  }
  if (!planned) return kExitFailure;
  return details.Differs() ? kExitRefused : kExitOk;
}
