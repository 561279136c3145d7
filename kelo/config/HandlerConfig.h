#pragma once

#include <cstdint>
#include <string>

#include "kelo/holiday/HolidayTable.h"
#include "props/CPrivateProperty.h"
#include "rrstring/RRString.h"

namespace kelo {

// The handler-level configuration. Each field is stored in the handler's bag under
// its own name; Password is plain here and scrambled in the bag.
class HandlerConfig {
 public:
  std::int32_t ConfigurationVersion = 1;
  bool EnableDefaultURL = true;
  bool EnableTestEnv = false;
  std::string UserDefinedHostURL;
  std::string UrlForTestReq;
  std::string UrlForUserReq;
  std::string UrlForBnchmkSubReq;
  std::string UrlForBnchmkRptReq;
  bool EnableProxy = true;
  bool UseIEProxy = true;
  std::string ProxyAddr;
  std::string ProxyPort;
  std::string SID;
  std::string TID;
  std::string Username;
  std::string Password;
  std::int32_t MaxMessagePerSec = 30;
  bool EnableBankHoliday = false;
  HolidayTable CurrencyTable;

  // Every field from the bag; a missing key gives the default, not the previous
  // value. A password that does not decode reads as empty.
  void ReadFromProperty(const CPrivateProperty& bag);
  // Every field but CurrencyTable, which is left empty: for readers that never look
  // at the calendar, which is by far the largest part of the bag.
  void ReadWithoutHolidays(const CPrivateProperty& bag);
  // Sets every key; keys already in the bag are overwritten, none is removed.
  void WriteToProperty(CPrivateProperty& bag) const;
  // The one-line summary; returns its number of items (11, or 15 with user URLs).
  int Summarise(rr::RRString& out) const;

  friend bool operator==(const HandlerConfig&, const HandlerConfig&) = default;
};

}  // namespace kelo
