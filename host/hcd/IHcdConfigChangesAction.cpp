#include "hcd/IHcdConfigChangesAction.h"

using Action = IHcdConfigChangesAction::EConfigChangeAction;

IHcdConfigChangesAction::IHcdConfigChangesAction() = default;
IHcdConfigChangesAction::~IHcdConfigChangesAction() = default;

// The host's defaults: a change the handler does not judge needs nothing.
Action IHcdConfigChangesAction::CheckHandlerPageFormatChange(const std::string&,
                                                             const std::string&) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckHandlerComponentFailoverChange(const std::string&,
                                                                    const std::string&) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckHandlerFullTickChange(const std::string&,
                                                           const std::string&) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckRecordSetPageFormatChange(const std::string&,
                                                               const std::string&) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckRecordSetPageStripChange(const std::string&,
                                                              const std::string&) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckRecordSetMaxDynRecChange(long, long) const { return ECA_NONE; }
Action IHcdConfigChangesAction::CheckFieldLengthChange(const std::string&, const std::string&, long,
                                                       long) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckFieldCalculatedChange(const std::string&, const std::string&,
                                                           long) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckFieldContributedChange(const std::string&, const std::string&,
                                                            bool) const {
  return ECA_NONE;
}
Action IHcdConfigChangesAction::CheckPageRecordChanged(const std::string&, const std::string&,
                                                       bool) const {
  return ECA_NONE;
}
bool IHcdConfigChangesAction::SupportsUnlimitedDynRecs() const { return false; }
