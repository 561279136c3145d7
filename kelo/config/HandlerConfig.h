#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "kelo/config/RecordField.h"
#include "kelo/holiday/HolidayTable.h"
#include "props/CPrivateProperty.h"
#include "rrstring/RRString.h"

namespace kelo {

// The handler-level configuration. Each field is stored in the handler's bag under
// its own name; Password is plain here and scrambled in the bag. Each field's key,
// default, summary item and part in the change check are listed once, in its row of
// the field table (Fields()).
class HandlerConfig {
 public:
  // Every field at its default, as the record's field table gives it.
  HandlerConfig();

  // The field table, in the order the fields are stored.
  static FieldTable<HandlerConfig> Fields();

  std::int32_t ConfigurationVersion;
  bool EnableDefaultURL;
  bool EnableTestEnv;
  std::string UserDefinedHostURL;
  std::string UrlForTestReq;
  std::string UrlForUserReq;
  std::string UrlForBnchmkSubReq;
  std::string UrlForBnchmkRptReq;
  bool EnableProxy;
  bool UseIEProxy;
  std::string ProxyAddr;
  std::string ProxyPort;
  std::string SID;
  std::string TID;
  std::string Username;
  std::string Password;
  // The stored Password when it did not decode (capital digits, clear text, another
  // type): Password then reads as empty, and a write stores this back unchanged
  // while Password stays empty; a password set since is written in its place.
  std::optional<CPrivateProperty> UnreadPassword;
  std::int32_t MaxMessagePerSec;
  bool EnableBankHoliday;
  HolidayTable CurrencyTable;

  // Every field from the bag; a missing key gives the default, not the previous
  // value. A password that does not decode reads as empty and is kept unread.
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
