#include "kelo/config/HolidayTableText.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/range/iterator_range.hpp>

#include "kelo/config/PropertyValues.h"
#include "rrstring/RRString.h"

namespace kelo {
namespace {

constexpr char kListKey[] = "CurrencyTable";
constexpr std::size_t kMinListSize = 3;
constexpr std::size_t kMinCurrencySize = 2;
constexpr std::size_t kMinDateKeySize = 5;

using Token = boost::iterator_range<std::string::const_iterator>;

// Tokens point into the text, so splitting a large calendar allocates no strings.
std::vector<Token> SplitStored(const std::string& text) {
  std::vector<Token> tokens;
  boost::split(tokens, text, boost::is_any_of("|"), boost::token_compress_on);
  return tokens;
}

std::string HolidayKey(std::string_view currency) {
  std::string key(kListKey);
  key.push_back('_');
  key.append(currency);
  return key;
}

// The listed codes long enough to be read, in list order, repeats included.
std::vector<std::string_view> ListedCurrencies(const std::string& listText) {
  std::vector<std::string_view> codes;
  if (listText.size() < kMinListSize) return codes;
  for (const Token& token : SplitStored(listText)) {
    if (token.size() >= kMinCurrencySize)
      codes.emplace_back(&*token.begin(), static_cast<std::size_t>(token.size()));
  }
  return codes;
}

// Whether the text is exactly what FormatHolidayText writes for the list it reads
// as: date keys of five characters or more in strictly ascending order, each followed
// by "|", a remark that is not empty, and "|". Two texts of this form read as equal
// lists only when they are equal texts.
bool IsWrittenForm(std::string_view text) {
  std::string_view previous;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t keyEnd = text.find('|', at);
    if (keyEnd == std::string_view::npos) return false;
    const std::string_view key = text.substr(at, keyEnd - at);
    if (key.size() < kMinDateKeySize || (at > 0 && key <= previous)) return false;
    const std::size_t remarkEnd = text.find('|', keyEnd + 1);
    if (remarkEnd == std::string_view::npos || remarkEnd == keyEnd + 1) return false;
    previous = key;
    at = remarkEnd + 1;
  }
  return true;
}

std::vector<std::string_view> SortedUnique(std::vector<std::string_view> codes) {
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  return codes;
}

}  // namespace

bool CanStoreCurrency(std::string_view currency) {
  return currency.size() >= kMinCurrencySize && currency.find('|') == std::string_view::npos;
}

void ParseHolidayText(const std::string& text, HolidayList& list) {
  const std::vector<Token> tokens = SplitStored(text);
  std::size_t i = 0;
  while (i < tokens.size()) {
    if (tokens[i].size() < kMinDateKeySize) {
      ++i;
      continue;
    }
    // The empty token after the final "|" only closes the last pair; taken as a
    // remark it would be written back as "key||", which pairs the key with the next
    // holiday's date and so loses that holiday.
    if (i + 1 >= tokens.size() || tokens[i + 1].empty()) break;
    // Stored keys come sorted, so the end is the right place nearly always.
    list.try_emplace(list.end(), std::string(tokens[i].begin(), tokens[i].end()),
                     tokens[i + 1].begin(), tokens[i + 1].end());
    i += 2;
  }
}

std::string FormatHolidayText(const HolidayList& list) {
  std::size_t size = 0;
  for (const auto& [date, remark] : list) size += date.size() + remark.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& [date, remark] : list) {
    text.append(date);
    text.push_back('|');
    text.append(remark);
    text.push_back('|');
  }
  return text;
}

void ReadHolidayTable(const CPrivateProperty& bag, HolidayTable& table) {
  table.clear();
  for (std::string_view code : ListedCurrencies(TextValue(bag, kListKey))) {
    HolidayList found;
    ParseHolidayText(TextValue(bag, HolidayKey(code)), found);
    if (found.empty()) continue;
    HolidayList& list = table.EnsureCurrency(code);
    if (list.empty())
      list.swap(found);
    else
      list.merge(found);  // a repeated code: entries already there stay
  }
}

CPrivateProperty StoredHolidayTable(const CPrivateProperty& bag) {
  CPrivateProperty stored;
  const auto copy = [&](std::string_view key) {
    if (const CPrivateProperty* found = bag.Properties().find(key))
      stored.Properties()[key] = *found;
  };
  copy(kListKey);
  for (std::string_view code : ListedCurrencies(TextValue(bag, kListKey))) copy(HolidayKey(code));
  return stored;
}

void WriteHolidayTable(const HolidayTable& table, CPrivateProperty& bag) {
  std::string listText;
  for (const auto& [code, list] : table) {
    listText.append(code);
    listText.push_back('|');
    bag.SetValueToProperty(HolidayKey(code).c_str(), rr::RRString(FormatHolidayText(list)));
  }
  bag.SetValueToProperty(kListKey, rr::RRString(std::move(listText)));
}

bool SameStoredHolidayTables(const CPrivateProperty& first, const CPrivateProperty& second) {
  // A currency's list depends only on its stored text, and an unlisted currency reads
  // like one whose text is empty. So equal texts give equal lists, and only the
  // currencies whose texts differ need parsing.
  const std::vector<std::string_view> firstCodes =
      SortedUnique(ListedCurrencies(TextValue(first, kListKey)));
  const std::vector<std::string_view> secondCodes =
      SortedUnique(ListedCurrencies(TextValue(second, kListKey)));
  std::vector<std::string_view> allCodes;
  std::set_union(firstCodes.begin(), firstCodes.end(), secondCodes.begin(), secondCodes.end(),
                 std::back_inserter(allCodes));

  static const std::string kUnlisted;
  auto storedText = [&](const CPrivateProperty& bag, const std::vector<std::string_view>& codes,
                        std::string_view code) -> const std::string& {
    if (!std::binary_search(codes.begin(), codes.end(), code)) return kUnlisted;
    return TextValue(bag, HolidayKey(code));
  };

  for (std::string_view code : allCodes) {
    const std::string& firstText = storedText(first, firstCodes, code);
    const std::string& secondText = storedText(second, secondCodes, code);
    if (firstText == secondText) continue;
    // What this module writes needs no parsing to tell that it differs.
    if (IsWrittenForm(firstText) && IsWrittenForm(secondText)) return false;
    HolidayList firstList;
    HolidayList secondList;
    ParseHolidayText(firstText, firstList);
    ParseHolidayText(secondText, secondList);
    if (firstList != secondList) return false;
  }
  return true;
}

}  // namespace kelo
