#pragma once

#include "hcd/HcdFacets.h"

class IHcdOld;

// Presents a classic handler (IHcdOld) as the identity, property-page, generic,
// summary, validation, auditing and paths-validation facets. Holds the handler
// by pointer only; the handler owns this object.
class CHcdTranslate : public IHcdIdentity,
                      public IHcdPropertyPages,
                      public IHcdGeneric,
                      public IHcdSummary,
                      public IHcdValidation,
                      public IHcdAuditing,
                      public IHcdPathsValidation {
 public:
  explicit CHcdTranslate(IHcdOld* handler);
  ~CHcdTranslate() override;
  CHcdTranslate(const CHcdTranslate&) = delete;
  CHcdTranslate& operator=(const CHcdTranslate&) = delete;

  // IHcdIdentity
  const char* GetHandlerName() override;
  const char* GetHandlerDescription() override;
  std::int32_t GetHandlerCode() override;
  EHelpTopicIds GetHelpID() override;
  std::uint64_t GetNumFtolPorts() const override;
  bool IsSupportZdl4CfgIf() override;

  // IHcdPropertyPages
  int GetTmplConfigPropPage(CPropertyPage*& page, long recordSetId, rr::RRString& config,
                            rr::RRString& extra, int dynamic, int reserved,
                            IExtraRecordSetInfo* info) override;
  void EndTmplConfigPropPage(int accepted, CPropertyPage* page, long recordSetId,
                             rr::RRString& config, rr::RRString& extra, int dynamic,
                             int reserved) override;
  int GetTmplPropertyPropPage(CPropertyPage*& page, long recordSetId, const CPrivateProperty& bag,
                              int dynamic, int reserved, IExtraRecordSetInfo* info) override;
  void EndTmplPropertyPropPage(int accepted, CPropertyPage* page, long recordSetId,
                               CPrivateProperty& bag, int dynamic, int reserved) override;
  int GetHandConfigPropPage(CPropertyPage*& page, const rr::RRString& config) override;
  void EndHandConfigPropPage(int accepted, CPropertyPage* page, rr::RRString& config) override;
  int GetHandPropertyPropPage(CPropertyPage*& page, const CPrivateProperty& bag) override;
  void EndHandPropertyPropPage(int accepted, CPropertyPage* page, CPrivateProperty& bag) override;
  void DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString recordSet,
                            rr::RRString current, rr::RRString& chosen) override;
  void DoFieldChooserDialogEx(CWnd* parent, bool fieldChooser, const CPrivateProperty& handlerBag,
                              const CPrivateProperty& recordSetBag, rr::RRString recordSet,
                              rr::RRString current, rr::RRString& chosen, int& fieldType,
                              bool dynamic, IExtraRecordSetInfo* info) override;

  // IHcdGeneric
  long ReservedQuery(long code, void* data) override;
  void ReservedNotify(long code, void* data) override;
  void ReservedNotify2(long code, void* data) override;
  int GetMaxFields(bool dynamic, bool extended) override;
  int GetFieldLength(rr::RRString field, int& length) override;

  // IHcdSummary
  long GetHandConfigSummary(rr::RRString& config, rr::RRString& summary) override;
  int GetTmplConfigSummary(rr::RRString& summary, long recordSetId, rr::RRString config,
                           rr::RRString extra, int dynamic, int reserved) override;
  long GetHandPropertySummary(const CPrivateProperty& bag, rr::RRString& summary) override;
  int GetTmplPropertySummary(rr::RRString& summary, long recordSetId, const CPrivateProperty& bag,
                             int dynamic, int reserved) override;

  // IHcdValidation
  int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                   const CPrivateProperty& bag, const rr::RRString& recordSet,
                   IExtraRecordSetInfo* info) override;
  int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                   rr::RRString config, const rr::RRString& recordSet,
                   IExtraRecordSetInfo* info) override;
  int IsRecordValid(rr::RRString record, int fieldType, int reserved, rr::RRString& error) override;

  // IHcdAuditing
  void GetHanlderConfigurationPaths(const rr::RRString& config,
                                    std::vector<std::string>& paths) const override;
  void GetHandlerConfigurationPaths(const CPrivateProperty& bag,
                                    std::vector<std::string>& paths) const override;
  void GetRecordSetConfigurationPaths(const CPrivateProperty& bag,
                                      std::vector<std::string>& paths) const override;
  void GetRecordSetConfigurationPaths(const rr::RRString& config,
                                      std::vector<std::string>& paths) const override;

  // IHcdPathsValidation
  void StartHandlerRecordSetGrouping(const rr::RRString& config) override;
  bool IsRecordSetGroupingCorrect(const rr::RRString& config,
                                  IHcdRecordSetValidationIf* validation) override;

 private:
  IHcdOld* m_handler;
};
