#include "kelo/handler/CKELOHandlerClassDef.h"

#include "kelo/config/ConfigChanges.h"
#include "kelo/config/ConfigSummaries.h"
#include "kelo/persist/FieldValidation.h"
#include "kelo/persist/PersistDescription.h"

namespace kelo {

namespace {

IHcdConfigChangesAction::EConfigChangeAction ToHostAction(int action) {
  return static_cast<IHcdConfigChangesAction::EConfigChangeAction>(action);
}

}  // namespace

CKELOHandlerClassDef::CKELOHandlerClassDef() = default;
CKELOHandlerClassDef::~CKELOHandlerClassDef() = default;

const char* CKELOHandlerClassDef::GetHandlerName() { return kName; }
const char* CKELOHandlerClassDef::GetHandlerDescription() { return kDescription; }
std::int32_t CKELOHandlerClassDef::GetHandlerCode() { return kCode; }
EHelpTopicIds CKELOHandlerClassDef::GetHelpID() { return static_cast<EHelpTopicIds>(kHelpTopic); }
long CKELOHandlerClassDef::ReservedQuery(long, void*) { return 0; }
void CKELOHandlerClassDef::ReservedNotify(long, void*) {}

long CKELOHandlerClassDef::GetHandPropertySummary(const CPrivateProperty& bag,
                                                  rr::RRString& summary) {
  return SummariseHandler(bag, summary);
}

int CKELOHandlerClassDef::GetTmplPropertySummary(rr::RRString& summary, long,
                                                 const CPrivateProperty& bag, int dynamic, int) {
  return SummariseRecordSet(bag, dynamic != 0, summary);
}

int CKELOHandlerClassDef::IsFieldValid(rr::RRString field, int, int partyFields,
                                       rr::RRString& error, rr::RRString, const rr::RRString&,
                                       IExtraRecordSetInfo*) {
  return kelo::IsFieldValid(field, partyFields, error);
}

// Every record is acceptable to this handler.
int CKELOHandlerClassDef::IsRecordValid(rr::RRString, int, int, rr::RRString&) { return 1; }

// Not yet: the field chooser dialog. Until it exists the answer is the empty name,
// the same answer a cancelled chooser gives.
void CKELOHandlerClassDef::DoFieldChooserDialog(CWnd*, int, rr::RRString, rr::RRString,
                                                rr::RRString& chosen) {
  chosen = "";
}

IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckHandlerConfigChange(
    std::string& first, std::string& second) {
  return ToHostAction(kelo::CheckHandlerConfigChange(first, second));
}

IHcdConfigChangesAction::EConfigChangeAction CKELOHandlerClassDef::CheckRecordSetConfigChange(
    std::string& first, std::string& second, long, bool dynamic) {
  return ToHostAction(kelo::CheckRecordSetConfigChange(first, second, dynamic));
}

// The remaining change questions concern nothing this handler keeps.
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

std::uint64_t CKELOHandlerClassDef::GetRecordPersistDataDescription(HcdDescription& description,
                                                                    std::uint16_t version,
                                                                    bool flag,
                                                                    const std::uint8_t* data,
                                                                    std::uint64_t size) const {
  return DescribeRecordPersistData(description, version, flag, data, size);
}

std::uint64_t CKELOHandlerClassDef::GetFieldDefPersistDataDescription(HcdDescription& description,
                                                                      std::uint16_t version,
                                                                      bool flag,
                                                                      const std::uint8_t* data,
                                                                      std::uint64_t size) const {
  return DescribeFieldDefPersistData(description, version, flag, data, size);
}

}  // namespace kelo
