#include "kelo/config/HandlerConfig.h"

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

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

// In the order the fields are stored. The summary has an order and conditions of its
// own, below.
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
  std::variant<std::string R::*, bool R::*, std::int32_t R::*> member;
  Shown shown = Shown::kAlways;
  // A second text field shown after the first, joined by ":".
  std::string R::*joined = nullptr;
};

constexpr SummaryItem kSummary[] = {
    {"Configuration Version=", &R::ConfigurationVersion},
    {"Using Default URL=", &R::EnableDefaultURL},
    {"Using Test Environement=", &R::EnableTestEnv, Shown::kWithDefaultUrl},
    {"User Defined Host URL=", &R::UserDefinedHostURL, Shown::kWithUserUrl},
    {"URL for TestRequest=", &R::UrlForTestReq, Shown::kWithUserUrl},
    {"URL for UserRequest=", &R::UrlForUserReq, Shown::kWithUserUrl},
    {"URL for BnchmkSubReq=", &R::UrlForBnchmkSubReq, Shown::kWithUserUrl},
    {"URL for BnchmkRptReq=", &R::UrlForBnchmkRptReq, Shown::kWithUserUrl},
    {"Use Proxy=", &R::EnableProxy},
    {"Use IE Proxy Setting=", &R::UseIEProxy},
    {"Proxy Address=", &R::ProxyAddr, Shown::kAlways, &R::ProxyPort},
    {"KEL User Account=", &R::Username},
    {"SID=", &R::SID},
    {"TID=", &R::TID},
    {"Enable Bank Holiday=", &R::EnableBankHoliday},
    {"Max Message Per Second=", &R::MaxMessagePerSec},
};

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
    if (item.joined != nullptr) {
      text.AddText(item.label,
                   this->*std::get<std::string R::*>(item.member) + ":" + this->*item.joined);
      continue;
    }
    std::visit(
        [&](auto member) {
          using T = std::decay_t<decltype(this->*member)>;
          if constexpr (std::is_same_v<T, std::string>)
            text.AddText(item.label, this->*member);
          else if constexpr (std::is_same_v<T, bool>)
            text.AddFlag(item.label, this->*member);
          else
            text.AddNumber(item.label, this->*member);
        },
        item.member);
  }
  return text.Finish(SummaryText::Ending::kNoSeparator, out);
}

}  // namespace kelo
