#include "tool/plan/Plan.h"

#include <array>

#include "hcd/IHcdConfigChangesAction.h"
#include "tool/ToolError.h"

namespace {

using Action = IHcdConfigChangesAction;

}  // namespace

const char* StatusName(FileStatus status) {
  // In the order of the enumeration.
  constexpr std::array<const char*, 6> kNames = {"same",    "changed", "added",
                                                 "removed", "error",   "refused"};
  return kNames.at(static_cast<std::size_t>(status));
}

bool FilePlan::Matters() const { return status != FileStatus::Same || action != Action::ECA_NONE; }

void FolderPlan::Count(const FilePlan& plan) {
  // Within its handler folder a record set is named by its folder and file.
  const std::string local = folder == "." ? plan.path : plan.path.substr(folder.size() + 1);
  if (plan.Matters()) matters = true;
  if (plan.status == FileStatus::Error) {
    ++errors;
    if (plan.IsFolder()) ++folderErrors;
    if (plan.kind == ConfigKind::Handler) handler = HandlerVerdict::Error;
    return;
  }
  if (plan.status == FileStatus::Refused) {
    if (plan.kind == ConfigKind::Handler)
      handler = HandlerVerdict::Refused;
    else
      refused.push_back(local);
    return;
  }
  if (plan.kind == ConfigKind::Handler) {
    if (plan.status == FileStatus::Added)
      handler = HandlerVerdict::Added;
    else if (plan.status == FileStatus::Removed)
      handler = HandlerVerdict::Removed;
    else
      handler = plan.action == Action::ECA_RESTART_HANDLER ? HandlerVerdict::Restart
                                                           : HandlerVerdict::NoRestart;
    return;
  }
  if (plan.status == FileStatus::Added)
    added.push_back(local);
  else if (plan.status == FileStatus::Removed)
    removed.push_back(local);
  else if (plan.action == Action::ECA_REFRESH_RECORDSET ||
           plan.action == Action::ECA_RESTART_RECORDSET)
    refresh.push_back(local);
  else
    ++unchanged;
}

void PlanTotals::Count(const FilePlan& plan) {
  ++entries;
  if (plan.status != FileStatus::Same) ++differing;
  switch (plan.status) {
    case FileStatus::Error:
      ++errors;
      return;
    case FileStatus::Refused:
      ++refused;
      return;
    case FileStatus::Added:
      ++added;
      return;
    case FileStatus::Removed:
      ++removed;
      return;
    case FileStatus::Changed:
      ++changed;
      break;
    case FileStatus::Same:
      ++unchanged;
      break;
  }
  // As the folder verdicts count them.
  if (plan.kind == ConfigKind::Handler) {
    if (plan.action == Action::ECA_RESTART_HANDLER) ++restarts;
  } else if (plan.action == Action::ECA_REFRESH_RECORDSET ||
             plan.action == Action::ECA_RESTART_RECORDSET) {
    ++refreshes;
  }
}

int PlanExitCode(const PlanTotals& totals, PlanExit exit, bool diff) {
  if (totals.errors > 0) return kExitFailure;
  if (totals.refused > 0) return kExitRefused;
  if (exit == PlanExit::Plain) return diff && totals.differing > 0 ? kExitRefused : kExitOk;
  if (totals.restarts > 0) return kExitRestart;
  return totals.AnyChange() ? kExitChanges : kExitOk;
}
