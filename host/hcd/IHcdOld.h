#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

// The classic handler interface. A handler class implements these operations;
// the host never calls them directly but through CHcdTranslate, which presents
// them as the wrapper's facets. The declaration order is the order the host's
// handler objects are built against; do not reorder.
class IHcdOld {
  friend class CHcdTranslate;

 protected:
  IHcdOld();
  ~IHcdOld();
  IHcdOld(const IHcdOld&) = delete;
  IHcdOld& operator=(const IHcdOld&) = delete;

  virtual const char* GetHandlerName() = 0;
  virtual const char* GetHandlerDescription() = 0;
  virtual std::int32_t GetHandlerCode() = 0;
  virtual std::uint64_t GetNumFtolPorts() const;
  virtual bool IsSupportZdl4CfgIf();
  virtual long GetHandConfigSummary(rr::RRString& config, rr::RRString& summary);
  virtual int GetTmplConfigSummary(rr::RRString& summary, long recordSetId, rr::RRString config,
                                   rr::RRString extra, int dynamic, int reserved);
  virtual long GetHandPropertySummary(const CPrivateProperty& bag, rr::RRString& summary);
  virtual int GetTmplPropertySummary(rr::RRString& summary, long recordSetId,
                                     const CPrivateProperty& bag, int dynamic, int reserved);
  virtual int GetTmplConfigPropPage(CPropertyPage*& page, long recordSetId, rr::RRString& config,
                                    rr::RRString& extra, int dynamic, int reserved,
                                    IExtraRecordSetInfo* info);
  virtual void EndTmplConfigPropPage(int accepted, CPropertyPage* page, long recordSetId,
                                     rr::RRString& config, rr::RRString& extra, int dynamic,
                                     int reserved);
  virtual int GetTmplPropertyPropPage(CPropertyPage*& page, long recordSetId,
                                      const CPrivateProperty& bag, int dynamic, int reserved,
                                      IExtraRecordSetInfo* info);
  virtual void EndTmplPropertyPropPage(int accepted, CPropertyPage* page, long recordSetId,
                                       CPrivateProperty& bag, int dynamic, int reserved);
  virtual int GetHandConfigPropPage(CPropertyPage*& page, const rr::RRString& config);
  virtual void EndHandConfigPropPage(int accepted, CPropertyPage* page, rr::RRString& config);
  virtual int GetHandPropertyPropPage(CPropertyPage*& page, const CPrivateProperty& bag);
  virtual void EndHandPropertyPropPage(int accepted, CPropertyPage* page, CPrivateProperty& bag);
  virtual int GetFieldLength(rr::RRString field, int& length);
  virtual int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                           const CPrivateProperty& bag, const rr::RRString& recordSet,
                           IExtraRecordSetInfo* info);
  virtual int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                           rr::RRString config, const rr::RRString& recordSet,
                           IExtraRecordSetInfo* info);
  virtual void GetHanlderConfigurationPaths(const rr::RRString& config,
                                            std::vector<std::string>& paths) const;
  virtual void GetHandlerConfigurationPaths(const CPrivateProperty& bag,
                                            std::vector<std::string>& paths) const;
  virtual void GetRecordSetConfigurationPaths(const CPrivateProperty& bag,
                                              std::vector<std::string>& paths) const;
  virtual void GetRecordSetConfigurationPaths(const rr::RRString& config,
                                              std::vector<std::string>& paths) const;
  virtual void StartHandlerRecordSetGrouping(const rr::RRString& config);
  virtual bool IsRecordSetGroupingCorrect(const rr::RRString& config,
                                          IHcdRecordSetValidationIf* validation);
  virtual bool UpgradeHandConfigPropToPropertyProp(const rr::RRString& config,
                                                   CPrivateProperty& bag);
  virtual bool UpgradeTmplConfigPropToPropertyProp(long recordSetId, int dynamic, int reserved,
                                                   const rr::RRString& config,
                                                   const rr::RRString& extra,
                                                   CPrivateProperty& bag);
  virtual int IsRecordValid(rr::RRString record, int fieldType, int reserved, rr::RRString& error);
  virtual int GetMaxFields(bool dynamic, bool extended);
  virtual long ReservedQuery(long code, void* data) = 0;
  virtual void ReservedNotify(long code, void* data) = 0;
  virtual void DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString recordSet,
                                    rr::RRString current, rr::RRString& chosen) = 0;
  virtual void DoFieldChooserDialogEx(CWnd* parent, bool fieldChooser,
                                      const CPrivateProperty& handlerBag,
                                      const CPrivateProperty& recordSetBag, rr::RRString recordSet,
                                      rr::RRString current, rr::RRString& chosen, int& fieldType,
                                      bool dynamic, IExtraRecordSetInfo* info);
  virtual EHelpTopicIds GetHelpID();
  virtual void ReservedNotify2(long code, void* data) = 0;
};
