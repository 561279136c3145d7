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
};

}  // namespace kelo
