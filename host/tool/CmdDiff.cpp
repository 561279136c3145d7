// diff OLD NEW, or diff --git REV [TREE]: what a reviewer reads of a change, on two
// files or two trees (the tree as committed and as it is): plan's
// entries and verdicts, and below each changed entry the values its page shows
// differently and the holidays added, removed and changed.
#include <filesystem>
#include <iostream>

#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/Pager.h"
#include "tool/output/Progress.h"
#include "tool/output/ReviewOptions.h"
#include "tool/plan/ConfigTree.h"
#include "tool/plan/FilePlanner.h"
#include "tool/plan/GitTree.h"
#include "tool/plan/PlanReporter.h"
#include "tool/plan/TreePlanner.h"

namespace fs = std::filesystem;

namespace {

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
    throw UsageError("neither " + ShownPath(oldPath) + " nor " + ShownPath(newPath) +
                     " is in a configuration tree: give --handler, --static or --dynamic");
  return *kind;
}

}  // namespace

int RunDiff(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  const PlanExit exit =
      TakeFlag(args, "--detailed-exitcode") ? PlanExit::Detailed : PlanExit::Plain;
  const ReviewOptions review = TakeReviewOptions(args, {true, true, true}, json);
  const std::string rev = TakeOption(args, "--git");
  if (!rev.empty() && args.empty()) args.push_back(".");
  ExpectPositional(args, rev.empty() ? 2 : 1, rev.empty() ? "OLD and NEW" : "at most one TREE");
  // With --git, the tree as committed at REV is the old side, the working tree the new.
  const std::string& oldPath = args[0];
  const std::string& newPath = args[rev.empty() ? 1 : 0];
  const bool trees = !rev.empty() || IsFolder(oldPath);
  if (rev.empty() && trees != IsFolder(newPath))
    throw UsageError("give two files or two folders, not " + ShownPath(oldPath) + " and " +
                     ShownPath(newPath));
  if (trees && given) throw UsageError("a tree says the kind of each file: give no kind option");
  std::optional<ConfigTree> before;
  std::optional<ConfigTree> after;
  ConfigKind kind = ConfigKind::Handler;
  if (trees) {
    before = rev.empty() ? ConfigTree::Scan(oldPath, std::cerr)
                         : ScanCommittedTree(rev, newPath, std::cerr);
    after = ConfigTree::Scan(newPath, std::cerr);
    if (rev.empty() && !before->HoldsAnything())
      throw std::runtime_error(NoConfigurationMessage(oldPath));
    if (!after->HoldsAnything()) throw std::runtime_error(NoConfigurationMessage(newPath));
  } else {
    kind = KindOfPair(oldPath, newPath, given);
  }
  // A module that cannot answer fails before any output.
  module.ChangeActions();
  module.PropertyPages();

  if (review.page) StartPager();
  // Two files are one entry, which says all the totals would.
  const std::unique_ptr<PlanReporter> reporter =
      json           ? JsonPlanReporter(std::cout)
      : review.quiet ? QuietPlanReporter(std::cerr)
                     : TextPlanReporter(std::cout, review.palette, trees);
  PlanTotals totals;
  if (trees) {
    const std::size_t files = Progress::Wanted() ? before->CountFiles() + after->CountFiles() : 0;
    totals =
        TreePlanner(module, FilePlanner::Views::Compared).Run(*before, *after, *reporter, files);
  } else {
    const SideFile oldFile{DiskSource(), oldPath};
    const SideFile newFile{DiskSource(), newPath};
    const FilePlan plan =
        FilePlanner(module, FilePlanner::Views::Compared).Plan(newPath, kind, &oldFile, &newFile);
    totals.Count(plan);
    reporter->File(plan);
    reporter->End(totals);
  }
  return PlanExitCode(totals, exit, true);
}
