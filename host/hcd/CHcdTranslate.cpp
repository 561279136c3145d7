#include "hcd/CHcdTranslate.h"

#include <utility>

#include "hcd/IHcdOld.h"

CHcdTranslate::CHcdTranslate(IHcdOld* handler) : m_handler(handler) {}
CHcdTranslate::~CHcdTranslate() = default;

const char* CHcdTranslate::GetHandlerName() { return m_handler->GetHandlerName(); }
const char* CHcdTranslate::GetHandlerDescription() { return m_handler->GetHandlerDescription(); }
std::int32_t CHcdTranslate::GetHandlerCode() { return m_handler->GetHandlerCode(); }
EHelpTopicIds CHcdTranslate::GetHelpID() { return m_handler->GetHelpID(); }
std::uint64_t CHcdTranslate::GetNumFtolPorts() const { return m_handler->GetNumFtolPorts(); }
bool CHcdTranslate::IsSupportZdl4CfgIf() { return m_handler->IsSupportZdl4CfgIf(); }

int CHcdTranslate::GetTmplConfigPropPage(CPropertyPage*& page, long recordSetId,
                                         rr::RRString& config, rr::RRString& extra, int dynamic,
                                         int reserved, IExtraRecordSetInfo* info) {
  return m_handler->GetTmplConfigPropPage(page, recordSetId, config, extra, dynamic, reserved,
                                          info);
}
void CHcdTranslate::EndTmplConfigPropPage(int accepted, CPropertyPage* page, long recordSetId,
                                          rr::RRString& config, rr::RRString& extra, int dynamic,
                                          int reserved) {
  m_handler->EndTmplConfigPropPage(accepted, page, recordSetId, config, extra, dynamic, reserved);
}
int CHcdTranslate::GetTmplPropertyPropPage(CPropertyPage*& page, long recordSetId,
                                           const CPrivateProperty& bag, int dynamic, int reserved,
                                           IExtraRecordSetInfo* info) {
  return m_handler->GetTmplPropertyPropPage(page, recordSetId, bag, dynamic, reserved, info);
}
void CHcdTranslate::EndTmplPropertyPropPage(int accepted, CPropertyPage* page, long recordSetId,
                                            CPrivateProperty& bag, int dynamic, int reserved) {
  m_handler->EndTmplPropertyPropPage(accepted, page, recordSetId, bag, dynamic, reserved);
}
int CHcdTranslate::GetHandConfigPropPage(CPropertyPage*& page, const rr::RRString& config) {
  return m_handler->GetHandConfigPropPage(page, config);
}
void CHcdTranslate::EndHandConfigPropPage(int accepted, CPropertyPage* page, rr::RRString& config) {
  m_handler->EndHandConfigPropPage(accepted, page, config);
}
int CHcdTranslate::GetHandPropertyPropPage(CPropertyPage*& page, const CPrivateProperty& bag) {
  return m_handler->GetHandPropertyPropPage(page, bag);
}
void CHcdTranslate::EndHandPropertyPropPage(int accepted, CPropertyPage* page,
                                            CPrivateProperty& bag) {
  m_handler->EndHandPropertyPropPage(accepted, page, bag);
}
void CHcdTranslate::DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString recordSet,
                                         rr::RRString current, rr::RRString& chosen) {
  m_handler->DoFieldChooserDialog(parent, fieldChooser, std::move(recordSet), std::move(current),
                                  chosen);
}
void CHcdTranslate::DoFieldChooserDialogEx(CWnd* parent, bool fieldChooser,
                                           const CPrivateProperty& handlerBag,
                                           const CPrivateProperty& recordSetBag,
                                           rr::RRString recordSet, rr::RRString current,
                                           rr::RRString& chosen, int& fieldType, bool dynamic,
                                           IExtraRecordSetInfo* info) {
  m_handler->DoFieldChooserDialogEx(parent, fieldChooser, handlerBag, recordSetBag,
                                    std::move(recordSet), std::move(current), chosen, fieldType,
                                    dynamic, info);
}

long CHcdTranslate::ReservedQuery(long code, void* data) {
  return m_handler->ReservedQuery(code, data);
}
void CHcdTranslate::ReservedNotify(long code, void* data) { m_handler->ReservedNotify(code, data); }
void CHcdTranslate::ReservedNotify2(long code, void* data) {
  m_handler->ReservedNotify2(code, data);
}
int CHcdTranslate::GetMaxFields(bool dynamic, bool extended) {
  return m_handler->GetMaxFields(dynamic, extended);
}
int CHcdTranslate::GetFieldLength(rr::RRString field, int& length) {
  return m_handler->GetFieldLength(std::move(field), length);
}

long CHcdTranslate::GetHandConfigSummary(rr::RRString& config, rr::RRString& summary) {
  return m_handler->GetHandConfigSummary(config, summary);
}
int CHcdTranslate::GetTmplConfigSummary(rr::RRString& summary, long recordSetId,
                                        rr::RRString config, rr::RRString extra, int dynamic,
                                        int reserved) {
  return m_handler->GetTmplConfigSummary(summary, recordSetId, std::move(config), std::move(extra),
                                         dynamic, reserved);
}
long CHcdTranslate::GetHandPropertySummary(const CPrivateProperty& bag, rr::RRString& summary) {
  return m_handler->GetHandPropertySummary(bag, summary);
}
int CHcdTranslate::GetTmplPropertySummary(rr::RRString& summary, long recordSetId,
                                          const CPrivateProperty& bag, int dynamic, int reserved) {
  return m_handler->GetTmplPropertySummary(summary, recordSetId, bag, dynamic, reserved);
}

int CHcdTranslate::IsFieldValid(rr::RRString field, int fieldType, int partyFields,
                                rr::RRString& error, const CPrivateProperty& bag,
                                const rr::RRString& recordSet, IExtraRecordSetInfo* info) {
  return m_handler->IsFieldValid(std::move(field), fieldType, partyFields, error, bag, recordSet,
                                 info);
}
int CHcdTranslate::IsFieldValid(rr::RRString field, int fieldType, int partyFields,
                                rr::RRString& error, rr::RRString config,
                                const rr::RRString& recordSet, IExtraRecordSetInfo* info) {
  return m_handler->IsFieldValid(std::move(field), fieldType, partyFields, error, std::move(config),
                                 recordSet, info);
}
int CHcdTranslate::IsRecordValid(rr::RRString record, int fieldType, int reserved,
                                 rr::RRString& error) {
  return m_handler->IsRecordValid(std::move(record), fieldType, reserved, error);
}

void CHcdTranslate::GetHanlderConfigurationPaths(const rr::RRString& config,
                                                 std::vector<std::string>& paths) const {
  m_handler->GetHanlderConfigurationPaths(config, paths);
}
void CHcdTranslate::GetHandlerConfigurationPaths(const CPrivateProperty& bag,
                                                 std::vector<std::string>& paths) const {
  m_handler->GetHandlerConfigurationPaths(bag, paths);
}
void CHcdTranslate::GetRecordSetConfigurationPaths(const CPrivateProperty& bag,
                                                   std::vector<std::string>& paths) const {
  m_handler->GetRecordSetConfigurationPaths(bag, paths);
}
void CHcdTranslate::GetRecordSetConfigurationPaths(const rr::RRString& config,
                                                   std::vector<std::string>& paths) const {
  m_handler->GetRecordSetConfigurationPaths(config, paths);
}

void CHcdTranslate::StartHandlerRecordSetGrouping(const rr::RRString& config) {
  m_handler->StartHandlerRecordSetGrouping(config);
}
bool CHcdTranslate::IsRecordSetGroupingCorrect(const rr::RRString& config,
                                               IHcdRecordSetValidationIf* validation) {
  return m_handler->IsRecordSetGroupingCorrect(config, validation);
}
