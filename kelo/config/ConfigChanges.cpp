#include "kelo/config/ConfigChanges.h"

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/ConfigChangeAction.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/config/RecordFields.h"
#include "props/CHandlerPrivateProps.h"

namespace kelo {
namespace {

// Reads each document into a record with read, the first in full before the second,
// and compares what the record's field table compares. Each bag goes once its record
// is read, unless a field is compared as stored: then both stay for that comparison.
template <class Record, class Read>
bool SameSettings(const std::string& first, const std::string& second, Read read) {
  const bool keepBags = ComparesAsStored<Record>(Record::Fields());
  CHandlerPrivateProps firstBag;
  firstBag.fromXML(first);
  Record a;
  read(a, firstBag);
  if (!keepBags) firstBag.Properties().clear();
  CHandlerPrivateProps secondBag;
  secondBag.fromXML(second);
  Record b;
  read(b, secondBag);
  if (!keepBags) secondBag.Properties().clear();
  return SameComparedFields<Record>(Record::Fields(), a, firstBag, b, secondBag);
}

template <class Record>
void ReadRecord(Record& record, const CPrivateProperty& bag) {
  ReadFields<Record>(Record::Fields(), bag, record);
}

}  // namespace

int CheckHandlerConfigChange(const std::string& first, const std::string& second) {
  // The calendar, by far the largest part of a handler configuration, is compared as
  // stored, so the records are read without it.
  const auto read = [](HandlerConfig& config, const CPrivateProperty& bag) {
    config.ReadWithoutHolidays(bag);
  };
  return SameSettings<HandlerConfig>(first, second, read) ? kChangeNone : kChangeRestartHandler;
}

int CheckRecordSetConfigChange(const std::string& first, const std::string& second, bool dynamic) {
  const bool same =
      dynamic ? SameSettings<CKELODynRecSetConfig>(first, second, ReadRecord<CKELODynRecSetConfig>)
              : SameSettings<CKELOStaticRecSetConfig>(first, second,
                                                      ReadRecord<CKELOStaticRecSetConfig>);
  return same ? kChangeNone : kChangeRecordSet;
}

}  // namespace kelo
