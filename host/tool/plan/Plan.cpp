#include "tool/plan/Plan.h"

#include <array>

#include "hcd/IHcdConfigChangesAction.h"

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
  if (plan.status == FileStatus::Error) ++errors;
  if (plan.status == FileStatus::Refused) ++refused;
  if (plan.status != FileStatus::Same) ++differing;
}
