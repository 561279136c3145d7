#pragma once

#include <list>

#include "rrstring/RRString.h"

// What the host tells a handler about the record set whose page it asks for.
// Every operation has a default that does nothing, so a host object overrides
// only what it knows.
class IExtraRecordSetInfo {
 public:
  virtual ~IExtraRecordSetInfo();

  // 1: the names of the record set's fields.
  virtual void GetFieldNames(std::list<rr::RRString>& names);
  // 2 to 10: descriptive queries of the record set.
  virtual rr::RRString GetRecordSetName();
  virtual long GetRecordSetId();
  virtual long GetHandlerId();
  virtual int GetRecordCount();
  virtual int GetFieldCount();
  virtual bool IsDynamic();
  virtual bool IsReadOnly();
  virtual rr::RRString GetServiceName();
  virtual rr::RRString GetDescription();
  // 11: the page mode the handler asks for.
  virtual void SetPageMode(int mode);
};
