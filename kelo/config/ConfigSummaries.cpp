#include "kelo/config/ConfigSummaries.h"

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"

namespace kelo {
namespace {

int NotConfigured(rr::RRString& out) {
  out = "Not=Configured";
  return 1;
}

}  // namespace

int SummariseHandler(const CPrivateProperty& bag, rr::RRString& out) {
  if (bag.Properties().empty()) return NotConfigured(out);
  // The summary never shows the holiday calendar, so it is not parsed.
  HandlerConfig config;
  config.ReadWithoutHolidays(bag);
  return config.Summarise(out);
}

int SummariseRecordSet(const CPrivateProperty& bag, bool dynamic, rr::RRString& out) {
  if (bag.Properties().empty()) return NotConfigured(out);
  if (dynamic) {
    CKELODynRecSetConfig config;
    config.ReadFromProperty(bag);
    return config.Summarise(out);
  }
  CKELOStaticRecSetConfig config;
  config.ReadFromProperty(bag);
  return config.Summarise(out);
}

}  // namespace kelo
