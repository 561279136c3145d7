#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdAuditing {
 public:
  virtual ~IHcdAuditing();
  virtual void GetHanlderConfigurationPaths(const rr::RRString& config,
                                            std::vector<std::string>& paths) const = 0;
  virtual void GetHandlerConfigurationPaths(const CPrivateProperty& bag,
                                            std::vector<std::string>& paths) const = 0;
  virtual void GetRecordSetConfigurationPaths(const CPrivateProperty& bag,
                                              std::vector<std::string>& paths) const = 0;
  virtual void GetRecordSetConfigurationPaths(const rr::RRString& config,
                                              std::vector<std::string>& paths) const = 0;
};
