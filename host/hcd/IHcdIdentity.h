#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdIdentity {
 public:
  virtual ~IHcdIdentity();
  virtual const char* GetHandlerName() = 0;
  virtual const char* GetHandlerDescription() = 0;
  virtual std::int32_t GetHandlerCode() = 0;
  virtual EHelpTopicIds GetHelpID() = 0;
  virtual std::uint64_t GetNumFtolPorts() const = 0;
  virtual bool IsSupportZdl4CfgIf() = 0;
};
