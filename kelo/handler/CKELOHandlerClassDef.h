#pragma once

#include "kelo/handler/IHCDClassicDynamic.h"

namespace kelo {

// The KELO handler class. Stateless: every operation works on its arguments and
// on locals that die with the call, so the one static instance serves every call.
class CKELOHandlerClassDef : public IHCDClassicDynamic {
 public:
  CKELOHandlerClassDef();
  ~CKELOHandlerClassDef() override;

  static constexpr const char* kName = "KELO";
  static constexpr const char* kDescription = "KEL Benchmark Administration Output";
  static constexpr std::int32_t kCode = 0x04000AA2;
  static constexpr int kHelpTopic = 223;

 protected:
  // IHcdOld
  const char* GetHandlerName() override;
  const char* GetHandlerDescription() override;
  std::int32_t GetHandlerCode() override;
  long ReservedQuery(long code, void* data) override;
  void ReservedNotify(long code, void* data) override;
  void DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString recordSet,
                            rr::RRString current, rr::RRString& chosen) override;
  EHelpTopicIds GetHelpID() override;
  long GetHandPropertySummary(const CPrivateProperty& bag, rr::RRString& summary) override;
  int GetTmplPropertyPropPage(CPropertyPage*& page, long recordSetId, const CPrivateProperty& bag,
                              int dynamic, int reserved, IExtraRecordSetInfo* info) override;
  void EndTmplPropertyPropPage(int accepted, CPropertyPage* page, long recordSetId,
                               CPrivateProperty& bag, int dynamic, int reserved) override;
  int GetHandPropertyPropPage(CPropertyPage*& page, const CPrivateProperty& bag) override;
  void EndHandPropertyPropPage(int accepted, CPropertyPage* page, CPrivateProperty& bag) override;
  int GetTmplPropertySummary(rr::RRString& summary, long recordSetId, const CPrivateProperty& bag,
                             int dynamic, int reserved) override;
  using IHcdOld::IsFieldValid;
  int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                   rr::RRString config, const rr::RRString& recordSet,
                   IExtraRecordSetInfo* info) override;
  int IsRecordValid(rr::RRString record, int fieldType, int reserved, rr::RRString& error) override;

  // IHcdConfigChangesAction
  EConfigChangeAction CheckHandlerConfigChange(std::string& first, std::string& second) override;
  EConfigChangeAction CheckRecordSetConfigChange(std::string& first, std::string& second,
                                                 long recordSetId, bool dynamic) override;
  EConfigChangeAction CheckOtherChange1(const std::string& first,
                                        const std::string& second) override;
  EConfigChangeAction CheckOtherChange2(const std::string& first,
                                        const std::string& second) override;
  EConfigChangeAction CheckOtherChange3(const std::string& first,
                                        const std::string& second) override;
  EConfigChangeAction CheckOtherChange4(const std::string& first,
                                        const std::string& second) override;

  // IHcdDataPersistence
  std::uint64_t GetRecordPersistDataDescription(HcdDescription& description, std::uint16_t version,
                                                bool flag, const std::uint8_t* data,
                                                std::uint64_t size) const override;
  std::uint64_t GetFieldDefPersistDataDescription(HcdDescription& description,
                                                  std::uint16_t version, bool flag,
                                                  const std::uint8_t* data,
                                                  std::uint64_t size) const override;
};

}  // namespace kelo
