#include "kelo/handler/CKELOHandlerClassDef.h"

namespace kelo {

CKELOHandlerClassDef::CKELOHandlerClassDef() = default;
CKELOHandlerClassDef::~CKELOHandlerClassDef() = default;

const char* CKELOHandlerClassDef::GetHandlerName() { return kName; }
const char* CKELOHandlerClassDef::GetHandlerDescription() { return kDescription; }
std::int32_t CKELOHandlerClassDef::GetHandlerCode() { return kCode; }
EHelpTopicIds CKELOHandlerClassDef::GetHelpID() { return static_cast<EHelpTopicIds>(kHelpTopic); }
long CKELOHandlerClassDef::ReservedQuery(long, void*) { return 0; }
void CKELOHandlerClassDef::ReservedNotify(long, void*) {}

// Not yet: the field chooser dialog. Until it exists the answer is the empty name,
// the same answer a cancelled chooser gives.
void CKELOHandlerClassDef::DoFieldChooserDialog(CWnd*, int, rr::RRString, rr::RRString,
                                                rr::RRString& chosen) {
  chosen = "";
}

// Not yet: the configuration comparisons. Until they exist every change is
// answered as needing nothing.
IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckHandlerConfigChange(
    std::string&, std::string&) {
  return ECA_NONE;
}
IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckRecordSetConfigChange(
    std::string&, std::string&, long, bool) {
  return ECA_NONE;
}

IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckOtherChange1(
    const std::string&, const std::string&) {
  return ECA_NONE;
}
IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckOtherChange2(
    const std::string&, const std::string&) {
  return ECA_NONE;
}
IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckOtherChange3(
    const std::string&, const std::string&) {
  return ECA_NONE;
}
IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckOtherChange4(
    const std::string&, const std::string&) {
  return ECA_NONE;
}

}  // namespace kelo
