#include "kelo/config/ConfigChanges.h"

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/ConfigChangeAction.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/config/HolidayTableText.h"
#include "props/CHandlerPrivateProps.h"

namespace kelo {
namespace {

bool SameHandlerSettings(const HandlerConfig& a, const HandlerConfig& b) {
  if (a.ConfigurationVersion != b.ConfigurationVersion) return false;
  if (a.EnableDefaultURL != b.EnableDefaultURL) return false;
  if (a.EnableProxy != b.EnableProxy) return false;
  if (a.SID != b.SID || a.TID != b.TID || a.Username != b.Username || a.Password != b.Password)
    return false;
  if (a.EnableBankHoliday != b.EnableBankHoliday) return false;
  if (a.MaxMessagePerSec != b.MaxMessagePerSec) return false;
  if (!a.EnableDefaultURL) {
    if (a.UserDefinedHostURL != b.UserDefinedHostURL || a.UrlForTestReq != b.UrlForTestReq ||
        a.UrlForUserReq != b.UrlForUserReq || a.UrlForBnchmkSubReq != b.UrlForBnchmkSubReq ||
        a.UrlForBnchmkRptReq != b.UrlForBnchmkRptReq)
      return false;
  } else if (a.EnableTestEnv != b.EnableTestEnv) {
    return false;
  }
  if (a.EnableProxy) {
    if (a.UseIEProxy != b.UseIEProxy) return false;
    if (!a.UseIEProxy && (a.ProxyAddr != b.ProxyAddr || a.ProxyPort != b.ProxyPort)) return false;
  }
  return true;
}

}  // namespace

int CheckHandlerConfigChange(const std::string& first, const std::string& second) {
  // The bags stay alive so that the holiday calendars, by far the largest part of a
  // handler configuration, can be compared as stored instead of copied and parsed.
  CHandlerPrivateProps firstBag;
  firstBag.fromXML(first);
  HandlerConfig a;
  a.ReadWithoutHolidays(firstBag);
  CHandlerPrivateProps secondBag;
  secondBag.fromXML(second);
  HandlerConfig b;
  b.ReadWithoutHolidays(secondBag);

  if (!SameHandlerSettings(a, b)) return kChangeRestartHandler;
  if (a.EnableBankHoliday && !SameStoredHolidayTables(firstBag, secondBag))
    return kChangeRestartHandler;
  return kChangeNone;
}

int CheckRecordSetConfigChange(const std::string& first, const std::string& second, bool dynamic) {
  CHandlerPrivateProps firstBag;
  firstBag.fromXML(first);
  CHandlerPrivateProps secondBag;
  secondBag.fromXML(second);

  if (dynamic) {
    CKELODynRecSetConfig a;
    a.ReadFromProperty(firstBag);
    CKELODynRecSetConfig b;
    b.ReadFromProperty(secondBag);
    return a.SecurityID != b.SecurityID ? kChangeRecordSet : kChangeNone;
  }
  CKELOStaticRecSetConfig a;
  a.ReadFromProperty(firstBag);
  CKELOStaticRecSetConfig b;
  b.ReadFromProperty(secondBag);
  const bool same = a.PartyID == b.PartyID && a.PartyIDSource == b.PartyIDSource &&
                    a.PartyRole == b.PartyRole && a.Currency == b.Currency &&
                    a.SecurityID == b.SecurityID && a.SecurityIDSource == b.SecurityIDSource;
  return same ? kChangeNone : kChangeRecordSet;
}

}  // namespace kelo
