#pragma once

#include <string>
#include <string_view>

#include "kelo/holiday/HolidayTable.h"
#include "props/CPrivateProperty.h"

namespace kelo {

// The holiday calendar as the handler's bag stores it: "CurrencyTable" lists the
// currency codes, each followed by "|"; "CurrencyTable_<code>" holds that currency's
// holidays as date key "|" remark "|" pairs. Nothing is escaped, and a run of "|"
// reads as one separator.

// Whether the stored calendar can carry the currency code: the reader skips a code
// shorter than two characters, and "|" separates the stored words.
bool CanStoreCurrency(std::string_view currency);

// The holidays of one stored currency text added to the list; a date the list already
// has keeps its remark. Tokens shorter than five characters in a date key position
// are skipped; a date key with no token after it, or only the empty one after the
// final "|", is ignored, so no remark read is ever empty.
void ParseHolidayText(const std::string& text, HolidayList& list);

// One currency's stored text.
std::string FormatHolidayText(const HolidayList& list);

// Replaces the table with the bag's calendar. A currency enters the table only with
// at least one holiday; a list text shorter than three characters is no calendar.
void ReadHolidayTable(const CPrivateProperty& bag, HolidayTable& table);

// The properties of the bag ReadHolidayTable reads, copied as stored: the list and
// each listed currency's text. Reading the copy gives the same table as the bag.
CPrivateProperty StoredHolidayTable(const CPrivateProperty& bag);

// Stores every currency's text, then the list. Keys of currencies no longer in the
// table stay in the bag, unlisted.
void WriteHolidayTable(const HolidayTable& table, CPrivateProperty& bag);

// Whether ReadHolidayTable would give equal tables for the two bags. Only the
// currencies whose stored texts differ are parsed.
bool SameStoredHolidayTables(const CPrivateProperty& first, const CPrivateProperty& second);

}  // namespace kelo
