#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdGeneric {
 public:
  virtual ~IHcdGeneric();
  virtual long ReservedQuery(long code, void* data) = 0;
  virtual void ReservedNotify(long code, void* data) = 0;
  virtual void ReservedNotify2(long code, void* data) = 0;
  virtual int GetMaxFields(bool dynamic, bool extended) = 0;
  virtual int GetFieldLength(rr::RRString field, int& length) = 0;
};
