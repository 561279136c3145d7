#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdPathsValidation {
 public:
  virtual ~IHcdPathsValidation();
  virtual void StartHandlerRecordSetGrouping(const rr::RRString& config) = 0;
  virtual bool IsRecordSetGroupingCorrect(const rr::RRString& config,
                                          IHcdRecordSetValidationIf* validation) = 0;
};
