#include "kelo/handler/CKELOHandlerClassDef.h"

#include <list>
#include <memory>

#include "hcd/IExtraRecordSetInfo.h"
#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/ConfigChanges.h"
#include "kelo/config/ConfigSummaries.h"
#include "kelo/pages/CKELODlgDynRecSetConfig.h"
#include "kelo/pages/CKELODlgFieldChooser.h"
#include "kelo/pages/CKELODlgHandCfg.h"
#include "kelo/pages/CKELODlgStaticRecSetCfg.h"
#include "kelo/persist/FieldValidation.h"
#include "kelo/persist/PersistDescription.h"
#include "props/CPrivateProperty.h"

namespace kelo {

namespace {

IHcdConfigChangesAction::EConfigChangeAction ToHostAction(int action) {
  return static_cast<IHcdConfigChangesAction::EConfigChangeAction>(action);
}

// A record is read from the bag only when the bag holds something: an empty bag is a
// configuration that does not exist yet, shown with the record's defaults.
template <typename Record>
std::unique_ptr<Record> ReadRecord(const CPrivateProperty& bag) {
  auto record = std::make_unique<Record>();
  if (!bag.Properties().empty()) record->ReadFromProperty(bag);
  return record;
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

int CKELOHandlerClassDef::GetHandPropertyPropPage(CPropertyPage*& page,
                                                  const CPrivateProperty& bag) {
  // The page reads the calendar, by far the largest part of the bag, only when it is
  // first needed: most openings of the page never show it.
  auto record = std::make_unique<HandlerConfig>();
  if (bag.Properties().empty()) {
    page = new CKELODlgHandCfg(std::move(record));
    return 1;
  }
  record->ReadWithoutHolidays(bag);
  page = new CKELODlgHandCfg(std::move(record), bag);
  return 1;
}

// The host hands every page back here, accepted or not, and never uses it again: the
// page, and the record it owns, die here whatever happens.
void CKELOHandlerClassDef::EndHandPropertyPropPage(int accepted, CPropertyPage* page,
                                                   CPrivateProperty& bag) {
  const std::unique_ptr<CPropertyPage> owned(page);
  if (accepted == 0) return;
  if (auto* handlerPage = dynamic_cast<CKELODlgHandCfg*>(page))
    handlerPage->GetConfig().WriteToProperty(bag);
}

int CKELOHandlerClassDef::GetTmplPropertyPropPage(CPropertyPage*& page, long,
                                                  const CPrivateProperty& bag, int dynamic, int,
                                                  IExtraRecordSetInfo* info) {
  if (dynamic == 0)
    page = new CKELODlgStaticRecSetCfg(ReadRecord<CKELOStaticRecSetConfig>(bag));
  else
    page = new CKELODlgDynRecSetConfig(ReadRecord<CKELODynRecSetConfig>(bag));
  // The host expects to be asked for the field names and told the page mode; the
  // pages have no use for the names. A host that passes no object is not asked.
  if (info != nullptr) {
    std::list<rr::RRString> fieldNames;
    info->GetFieldNames(fieldNames);
    info->SetPageMode(1);
  }
  return 1;
}

// The flag says which record the page holds; a page of the other kind is destroyed
// without writing anything, since its record does not belong in this bag.
void CKELOHandlerClassDef::EndTmplPropertyPropPage(int accepted, CPropertyPage* page, long,
                                                   CPrivateProperty& bag, int dynamic, int) {
  const std::unique_ptr<CPropertyPage> owned(page);
  if (accepted == 0) return;
  if (dynamic != 0) {
    if (const auto* dynamicPage = dynamic_cast<const CKELODlgDynRecSetConfig*>(page))
      dynamicPage->GetConfig().WriteToProperty(bag);
  } else if (const auto* staticPage = dynamic_cast<const CKELODlgStaticRecSetCfg*>(page)) {
    staticPage->GetConfig().WriteToProperty(bag);
  }
}

// The chosen name is always replaced: the name confirmed with OK, or the empty name
// after Cancel, never what the caller held before.
void CKELOHandlerClassDef::DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString,
                                                rr::RRString, rr::RRString& chosen) {
  chosen = "";
  CKELODlgFieldChooser chooser(parent);
  chooser.SetFieldChooser(fieldChooser != 0);
  chooser.DoModal();
  chosen = rr::RRString(chooser.GetChosenField());
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
