#include "hcd/IHcdOld.h"

// The host's defaults: a handler that overrides nothing supplies no pages, no
// summaries and no fields, and accepts every record.

IHcdOld::IHcdOld() = default;
IHcdOld::~IHcdOld() = default;

std::uint64_t IHcdOld::GetNumFtolPorts() const { return 0; }
bool IHcdOld::IsSupportZdl4CfgIf() { return false; }
long IHcdOld::GetHandConfigSummary(rr::RRString&, rr::RRString&) { return 0; }
int IHcdOld::GetTmplConfigSummary(rr::RRString&, long, rr::RRString, rr::RRString, int, int) {
  return 0;
}
long IHcdOld::GetHandPropertySummary(const CPrivateProperty&, rr::RRString&) { return 0; }
int IHcdOld::GetTmplPropertySummary(rr::RRString&, long, const CPrivateProperty&, int, int) {
  return 0;
}
int IHcdOld::GetTmplConfigPropPage(CPropertyPage*& page, long, rr::RRString&, rr::RRString&, int,
                                   int, IExtraRecordSetInfo*) {
  page = nullptr;
  return 0;
}
void IHcdOld::EndTmplConfigPropPage(int, CPropertyPage*, long, rr::RRString&, rr::RRString&, int,
                                    int) {}
int IHcdOld::GetTmplPropertyPropPage(CPropertyPage*& page, long, const CPrivateProperty&, int, int,
                                     IExtraRecordSetInfo*) {
  page = nullptr;
  return 0;
}
void IHcdOld::EndTmplPropertyPropPage(int, CPropertyPage*, long, CPrivateProperty&, int, int) {}
int IHcdOld::GetHandConfigPropPage(CPropertyPage*& page, const rr::RRString&) {
  page = nullptr;
  return 0;
}
void IHcdOld::EndHandConfigPropPage(int, CPropertyPage*, rr::RRString&) {}
int IHcdOld::GetHandPropertyPropPage(CPropertyPage*& page, const CPrivateProperty&) {
  page = nullptr;
  return 0;
}
void IHcdOld::EndHandPropertyPropPage(int, CPropertyPage*, CPrivateProperty&) {}
int IHcdOld::GetFieldLength(rr::RRString, int&) { return 0; }
int IHcdOld::IsFieldValid(rr::RRString, int, int, rr::RRString&, const CPrivateProperty&,
                          const rr::RRString&, IExtraRecordSetInfo*) {
  return 1;
}
int IHcdOld::IsFieldValid(rr::RRString, int, int, rr::RRString&, rr::RRString, const rr::RRString&,
                          IExtraRecordSetInfo*) {
  return 1;
}
void IHcdOld::GetHanlderConfigurationPaths(const rr::RRString&, std::vector<std::string>&) const {}
void IHcdOld::GetHandlerConfigurationPaths(const CPrivateProperty&,
                                           std::vector<std::string>&) const {}
void IHcdOld::GetRecordSetConfigurationPaths(const CPrivateProperty&,
                                             std::vector<std::string>&) const {}
void IHcdOld::GetRecordSetConfigurationPaths(const rr::RRString&, std::vector<std::string>&) const {
}
void IHcdOld::StartHandlerRecordSetGrouping(const rr::RRString&) {}
bool IHcdOld::IsRecordSetGroupingCorrect(const rr::RRString&, IHcdRecordSetValidationIf*) {
  return true;
}
bool IHcdOld::UpgradeHandConfigPropToPropertyProp(const rr::RRString&, CPrivateProperty&) {
  return false;
}
bool IHcdOld::UpgradeTmplConfigPropToPropertyProp(long, int, int, const rr::RRString&,
                                                  const rr::RRString&, CPrivateProperty&) {
  return false;
}
int IHcdOld::IsRecordValid(rr::RRString, int, int, rr::RRString&) { return 1; }
int IHcdOld::GetMaxFields(bool, bool) { return 0; }
void IHcdOld::DoFieldChooserDialogEx(CWnd*, bool, const CPrivateProperty&, const CPrivateProperty&,
                                     rr::RRString, rr::RRString, rr::RRString& chosen, int&, bool,
                                     IExtraRecordSetInfo*) {
  chosen = "";
}
EHelpTopicIds IHcdOld::GetHelpID() { return HELP_TOPIC_NONE; }
