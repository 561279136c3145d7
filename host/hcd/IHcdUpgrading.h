#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdUpgrading {
 public:
  virtual ~IHcdUpgrading();
  virtual bool UpgradeHandConfigPropToPropertyProp(const rr::RRString& config,
                                                   CPrivateProperty& bag) = 0;
  virtual bool UpgradeTmplConfigPropToPropertyProp(long recordSetId, int dynamic, int reserved,
                                                   const rr::RRString& config,
                                                   const rr::RRString& extra,
                                                   CPrivateProperty& bag) = 0;
};
