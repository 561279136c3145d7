#pragma once

#include <string>

#include "kelo/config/ILocalData.h"
#include "kelo/config/RecordField.h"
#include "props/CPrivateProperty.h"
#include "rrstring/RRString.h"

namespace kelo {

// The configuration of a static record set: one complete submission stream. Each
// field is stored in the record set's bag under its own name; its key, default,
// summary item and part in the change check are listed once, in its row of the field
// table (Fields()).
class CKELOStaticRecSetConfig : public ILocalData {
 public:
  // Every field at its default, as the record's field table gives it.
  CKELOStaticRecSetConfig();

  // The field table, in the order the fields are stored.
  static FieldTable<CKELOStaticRecSetConfig> Fields();

  std::string PartyID;
  std::string PartyIDSource;
  std::string PartyRole;
  std::string Currency;
  std::string SecurityID;
  std::string SecurityIDSource;
  std::string FileLocation;
  bool FullCurveInSub;
  bool WriteResponseToFile;
  bool DisableOptimisation;
  bool OptimiseInitialImage;
  bool SuppressInitOutput;

  // Every field from the bag; a missing key gives the default, not the previous value.
  void ReadFromProperty(const CPrivateProperty& bag);
  // Sets every key; keys already in the bag are overwritten, none is removed.
  void WriteToProperty(CPrivateProperty& bag) const;
  // The one-line summary, ending in "|"; returns its number of items (12).
  int Summarise(rr::RRString& out) const;
};

}  // namespace kelo
