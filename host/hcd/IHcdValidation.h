#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hcd/EHelpTopicIds.h"
#include "hcd/HcdTypes.h"
#include "rrstring/RRString.h"

class IHcdValidation {
 public:
  virtual ~IHcdValidation();
  virtual int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                           const CPrivateProperty& bag, const rr::RRString& recordSet,
                           IExtraRecordSetInfo* info) = 0;
  virtual int IsFieldValid(rr::RRString field, int fieldType, int partyFields, rr::RRString& error,
                           rr::RRString config, const rr::RRString& recordSet,
                           IExtraRecordSetInfo* info) = 0;
  virtual int IsRecordValid(rr::RRString record, int fieldType, int reserved,
                            rr::RRString& error) = 0;
};
