#pragma once

#include <string>
#include <string_view>

#include "props/CPrivateProperty.h"
#include "rrstring/RRString.h"

// The one place where hcdtool mirrors what the loaded module stores: the holiday
// setting dialog lists only the standard currencies and those the handler's stored
// calendar holds, so `holidays` can put another currency in front of the dialog only
// by handing the page a bag whose calendar lists it (`holidays`, and
// `import-holidays` for a currency the configuration does not hold yet). Everything here copies the
// module's stored holiday table (the "CurrencyTable" list and one
// "CurrencyTable_<code>" text of "DATEKEY|REMARK|" pairs per currency); the module's
// tests check the copy against the module's own reader, so a drift fails there.
namespace holiday_store_mirror {

// A code shorter than this is skipped by the module's reader, and "|" separates the
// stored words, so no code can carry it.
inline constexpr std::size_t kMinCurrencySize = 2;
inline constexpr char kSeparator = '|';

// Whether the stored calendar can carry the currency code at all.
inline bool CanStoreCurrency(std::string_view currency) {
  return currency.size() >= kMinCurrencySize && currency.find(kSeparator) == std::string_view::npos;
}

// Adds the currency, holding the single holiday DATEKEY with REMARK, to the bag's
// calendar; the currencies the calendar lists already keep what they hold.
inline void AddCurrencyWithHoliday(CPrivateProperty& bag, const std::string& currency,
                                   const std::string& dateKey, const std::string& remark) {
  rr::RRString listed;
  bag.GetValueFromProperty("CurrencyTable", listed, rr::RRString());
  std::string list = listed.str();
  if (!list.empty() && list.back() != kSeparator) list += kSeparator;
  bag.SetValueToProperty("CurrencyTable", (list + currency + kSeparator).c_str());
  bag.SetValueToProperty(("CurrencyTable_" + currency).c_str(),
                         (dateKey + kSeparator + remark + kSeparator).c_str());
}

}  // namespace holiday_store_mirror
