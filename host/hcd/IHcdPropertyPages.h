#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdPropertyPages {
 public:
  virtual ~IHcdPropertyPages();
  virtual int GetTmplConfigPropPage(CPropertyPage*& page, long recordSetId, rr::RRString& config,
                                    rr::RRString& extra, int dynamic, int reserved,
                                    IExtraRecordSetInfo* info) = 0;
  virtual void EndTmplConfigPropPage(int accepted, CPropertyPage* page, long recordSetId,
                                     rr::RRString& config, rr::RRString& extra, int dynamic,
                                     int reserved) = 0;
  virtual int GetTmplPropertyPropPage(CPropertyPage*& page, long recordSetId,
                                      const CPrivateProperty& bag, int dynamic, int reserved,
                                      IExtraRecordSetInfo* info) = 0;
  virtual void EndTmplPropertyPropPage(int accepted, CPropertyPage* page, long recordSetId,
                                       CPrivateProperty& bag, int dynamic, int reserved) = 0;
  virtual int GetHandConfigPropPage(CPropertyPage*& page, const rr::RRString& config) = 0;
  virtual void EndHandConfigPropPage(int accepted, CPropertyPage* page, rr::RRString& config) = 0;
  virtual int GetHandPropertyPropPage(CPropertyPage*& page, const CPrivateProperty& bag) = 0;
  virtual void EndHandPropertyPropPage(int accepted, CPropertyPage* page,
                                       CPrivateProperty& bag) = 0;
  virtual void DoFieldChooserDialog(CWnd* parent, int fieldChooser, rr::RRString recordSet,
                                    rr::RRString current, rr::RRString& chosen) = 0;
  virtual void DoFieldChooserDialogEx(CWnd* parent, bool fieldChooser,
                                      const CPrivateProperty& handlerBag,
                                      const CPrivateProperty& recordSetBag, rr::RRString recordSet,
                                      rr::RRString current, rr::RRString& chosen, int& fieldType,
                                      bool dynamic, IExtraRecordSetInfo* info) = 0;
};
