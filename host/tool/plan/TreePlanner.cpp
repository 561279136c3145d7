#include "tool/plan/TreePlanner.h"

#include <iostream>

#include "tool/output/Progress.h"
#include "tool/plan/PlanReporter.h"

namespace fs = std::filesystem;

PlanTotals TreePlanner::Run(const ConfigTree& before, const ConfigTree& after,
                            PlanReporter& reporter, std::size_t files) {
  Progress progress("plan", files);
  PlanTotals totals;
  FolderPlan folder;
  const TreeVisitor visit{
      .beginFolder =
          [&folder](const std::string& name) {
            folder = FolderPlan();
            folder.folder = name;
          },
      .entry =
          [&](const TreeEntry& entry) {
            FilePlan plan;
            if (!entry.error.empty()) {
              plan = files_.FolderError(entry.path, entry.kind, entry.error);
            } else {
              const SideFile oldFile{before.Source(), before.Root() / entry.path};
              const SideFile newFile{after.Source(), after.Root() / entry.path};
              plan = files_.Plan(entry.path, entry.kind, entry.inFirst ? &oldFile : nullptr,
                                 entry.inSecond ? &newFile : nullptr);
              progress.Step((entry.inFirst ? 1 : 0) + (entry.inSecond ? 1 : 0));
            }
            reporter.File(plan);
            folder.Count(plan);
            totals.Count(plan);
            return true;
          },
      .endFolder = [&](const std::string&) { reporter.Folder(folder); },
  };
  WalkTrees(before, after, visit, std::cerr);
  reporter.End(totals);
  return totals;
}
