#pragma once

#include "hcd/CHcdTranslate.h"
#include "hcd/CHcdWrapper.h"
#include "hcd/IHcdConfigChangesAction.h"
#include "hcd/IHcdDataPersistence.h"
#include "hcd/IHcdOld.h"

namespace kelo {

// The frame of a classic handler object: the wrapper the host receives, wired to a
// translator over the object's own IHcdOld part and to its own change-action and
// persistence parts. A concrete handler overrides the operations it implements.
class IHCDClassicDynamic : public CHcdWrapper,
                           protected IHcdOld,
                           protected IHcdConfigChangesAction,
                           protected IHcdDataPersistence {
 public:
  IHCDClassicDynamic();
  ~IHCDClassicDynamic() override;

 protected:
  const char* GetHandlerName() override = 0;
  const char* GetHandlerDescription() override = 0;
  std::int32_t GetHandlerCode() override = 0;
  long ReservedQuery(long code, void* data) override = 0;
  void ReservedNotify(long code, void* data) override = 0;
  void DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString recordSet,
                            rr::RRString current, rr::RRString& chosen) override = 0;
  void ReservedNotify2(long code, void* data) override;

  EConfigChangeAction CheckHandlerConfigChange(std::string& first,
                                               std::string& second) override = 0;
  EConfigChangeAction CheckRecordSetConfigChange(std::string& first, std::string& second,
                                                 long recordSetId, bool dynamic) override = 0;
  EConfigChangeAction CheckOtherChange1(const std::string& first,
                                        const std::string& second) override = 0;
  EConfigChangeAction CheckOtherChange2(const std::string& first,
                                        const std::string& second) override = 0;
  EConfigChangeAction CheckOtherChange3(const std::string& first,
                                        const std::string& second) override = 0;
  EConfigChangeAction CheckOtherChange4(const std::string& first,
                                        const std::string& second) override = 0;

 private:
  // Constructed after the wrapper base, which already holds pointers into it.
  CHcdTranslate m_translate;
};

}  // namespace kelo
