#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdSummary {
 public:
  virtual ~IHcdSummary();
  virtual long GetHandConfigSummary(rr::RRString& config, rr::RRString& summary) = 0;
  virtual int GetTmplConfigSummary(rr::RRString& summary, long recordSetId, rr::RRString config,
                                   rr::RRString extra, int dynamic, int reserved) = 0;
  virtual long GetHandPropertySummary(const CPrivateProperty& bag, rr::RRString& summary) = 0;
  virtual int GetTmplPropertySummary(rr::RRString& summary, long recordSetId,
                                     const CPrivateProperty& bag, int dynamic, int reserved) = 0;
};
