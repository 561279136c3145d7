#pragma once

#include <string>

#include "kelo/config/ILocalData.h"
#include "kelo/config/RecordField.h"
#include "props/CPrivateProperty.h"
#include "rrstring/RRString.h"

namespace kelo {

// The configuration of a dynamic record set: only the instrument and the full-curve
// flag. Each field's key, default, summary item and part in the change check are
// listed once, in its row of the field table (Fields()).
class CKELODynRecSetConfig : public ILocalData {
 public:
  // Every field at its default, as the record's field table gives it.
  CKELODynRecSetConfig();

  // The field table, in the order the fields are stored.
  static FieldTable<CKELODynRecSetConfig> Fields();

  std::string SecurityID;
  bool FullCurveInSub;

  // Both fields from the bag; a missing key gives the default, not the previous value.
  void ReadFromProperty(const CPrivateProperty& bag);
  // Sets both keys; keys already in the bag are overwritten, none is removed.
  void WriteToProperty(CPrivateProperty& bag) const;
  // The one-line summary; returns its number of items (2).
  int Summarise(rr::RRString& out) const;
};

}  // namespace kelo
