#include "kelo/config/HandlerConfig.h"

#include <string_view>
#include <utility>

#include "kelo/config/HolidayTableText.h"
#include "kelo/config/PasswordScrambling.h"
#include "kelo/config/PropertyValues.h"
#include "kelo/config/RecordFields.h"
#include "kelo/config/SummaryText.h"

namespace kelo {
namespace {

using R = HandlerConfig;
using F = RecordField<R>;

constexpr char kPasswordKey[] = "Password";

// A stored text that does not decode reads as an empty password, and is kept as it
// is stored until a new password replaces it.
void ReadPassword(const CPrivateProperty& bag, HandlerConfig& config) {
  const CPrivateProperty* stored = bag.Properties().find(kPasswordKey);
  if (stored == nullptr) return;
  if (stored->Type() == CPrivateProperty::EType::String &&
      DecodePassword(stored->StringValue(), config.Password))
    return;
  config.UnreadPassword = *stored;
}

void WritePassword(const HandlerConfig& config, CPrivateProperty& bag) {
  if (config.UnreadPassword && config.Password.empty())
    bag.Properties()[kPasswordKey] = *config.UnreadPassword;
  else
    SetText(bag, kPasswordKey, EncodePassword(config.Password));
}

// ReadWithoutHolidays leaves the calendar out; ReadFromProperty reads it first.
void WriteCalendar(const HandlerConfig& config, CPrivateProperty& bag) {
  WriteHolidayTable(config.CurrencyTable, bag);
}

// In the order the fields are stored. The summary has an order of its own, below.
constexpr F kFields[] = {
    {"ConfigurationVersion", F::Number{&R::ConfigurationVersion, 1}},
    {"EnableDefaultURL", F::Flag{&R::EnableDefaultURL, true}},
    {"EnableTestEnv", F::Flag{&R::EnableTestEnv, false}},
    {"UserDefinedHostURL", F::Text{&R::UserDefinedHostURL, ""}},
    {"UrlForTestReq", F::Text{&R::UrlForTestReq, ""}},
    {"UrlForUserReq", F::Text{&R::UrlForUserReq, ""}},
    {"UrlForBnchmkSubReq", F::Text{&R::UrlForBnchmkSubReq, ""}},
    {"UrlForBnchmkRptReq", F::Text{&R::UrlForBnchmkRptReq, ""}},
    {"EnableProxy", F::Flag{&R::EnableProxy, true}},
    {"UseIEProxy", F::Flag{&R::UseIEProxy, true}},
    {"ProxyAddr", F::Text{&R::ProxyAddr, ""}},
    {"ProxyPort", F::Text{&R::ProxyPort, ""}},
    {"SID", F::Text{&R::SID, ""}},
    {"TID", F::Text{&R::TID, ""}},
    {"Username", F::Text{&R::Username, ""}},
    {kPasswordKey, F::Custom{ReadPassword, WritePassword}},
    {"EnableBankHoliday", F::Flag{&R::EnableBankHoliday, false}},
    {"CurrencyTable", F::Custom{nullptr, WriteCalendar}},
    {"MaxMessagePerSec", F::Number{&R::MaxMessagePerSec, 30}},
};

// Which endpoint setting a summary item belongs to: the test-environment choice only
// shows with the default URL, the user's URLs only without it.
enum class Shown { kAlways, kWithDefaultUrl, kWithUserUrl };

struct SummaryItem {
  const char* label;
  const char* key;
  Shown shown = Shown::kAlways;
  // A second text field shown after the first, joined by ":".
  const char* joinedKey = nullptr;
};

constexpr SummaryItem kSummary[] = {
    {"Configuration Version=", "ConfigurationVersion"},
    {"Using Default URL=", "EnableDefaultURL"},
    {"Using Test Environement=", "EnableTestEnv", Shown::kWithDefaultUrl},
    {"User Defined Host URL=", "UserDefinedHostURL", Shown::kWithUserUrl},
    {"URL for TestRequest=", "UrlForTestReq", Shown::kWithUserUrl},
    {"URL for UserRequest=", "UrlForUserReq", Shown::kWithUserUrl},
    {"URL for BnchmkSubReq=", "UrlForBnchmkSubReq", Shown::kWithUserUrl},
    {"URL for BnchmkRptReq=", "UrlForBnchmkRptReq", Shown::kWithUserUrl},
    {"Use Proxy=", "EnableProxy"},
    {"Use IE Proxy Setting=", "UseIEProxy"},
    {"Proxy Address=", "ProxyAddr", Shown::kAlways, "ProxyPort"},
    {"KEL User Account=", "Username"},
    {"SID=", "SID"},
    {"TID=", "TID"},
    {"Enable Bank Holiday=", "EnableBankHoliday"},
    {"Max Message Per Second=", "MaxMessagePerSec"},
};

const F& FieldOf(std::string_view key) {
  for (const F& field : kFields)
    if (key == field.key) return field;
  throw std::logic_error("the handler's summary names no field " + std::string(key));
}

const std::string& TextOf(const HandlerConfig& config, std::string_view key) {
  return config.*std::get<F::Text>(FieldOf(key).slot).member;
}

}  // namespace

HandlerConfig::HandlerConfig() { SetDefaults<R>(kFields, *this); }

void HandlerConfig::ReadWithoutHolidays(const CPrivateProperty& bag) {
  // Read into a fresh record so that every missing key yields the default, and this
  // record stays whole if reading fails for lack of memory.
  HandlerConfig read;
  ReadFields<R>(kFields, bag, read);
  *this = std::move(read);
}

void HandlerConfig::ReadFromProperty(const CPrivateProperty& bag) {
  HolidayTable table;
  ReadHolidayTable(bag, table);
  ReadWithoutHolidays(bag);
  CurrencyTable = std::move(table);
}

void HandlerConfig::WriteToProperty(CPrivateProperty& bag) const {
  WriteFields<R>(kFields, *this, bag);
}

int HandlerConfig::Summarise(rr::RRString& out) const {
  SummaryText text;
  for (const SummaryItem& item : kSummary) {
    if ((item.shown == Shown::kWithDefaultUrl && !EnableDefaultURL) ||
        (item.shown == Shown::kWithUserUrl && EnableDefaultURL))
      continue;
    if (item.joinedKey != nullptr) {
      text.AddText(item.label, TextOf(*this, item.key) + ":" + TextOf(*this, item.joinedKey));
      continue;
    }
    const F field = FieldOf(item.key);
    const F labelled{field.key, field.slot, item.label};
    SummariseFields<R>(std::span(&labelled, 1), *this, text);
  }
  return text.Finish(SummaryText::Ending::kNoSeparator, out);
}

}  // namespace kelo
