#include "kelo/config/HandlerConfig.h"

#include <string>
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

// The password is plain in the record and scrambled in the bag; the change check
// compares the plain passwords.
constexpr F::Storage kScrambled{ReadPassword, WritePassword, nullptr};
// The calendar is by far the largest part of the bag: the change check compares it as
// stored rather than parse both.
constexpr F::Storage kCalendar{nullptr, WriteCalendar, SameStoredHolidayTables};

// The test-environment choice matters only with the built-in endpoints, the user's
// endpoints only without them, the proxy settings only with a proxy, its address only
// when it is not the system's, and the calendar only when holidays suppress output.
bool WithDefaultUrl(const R& r) { return r.EnableDefaultURL; }
bool WithUserUrls(const R& r) { return !r.EnableDefaultURL; }
bool ThroughProxy(const R& r) { return r.EnableProxy; }
bool ThroughOwnProxy(const R& r) { return r.EnableProxy && !r.UseIEProxy; }
bool WithBankHolidays(const R& r) { return r.EnableBankHoliday; }

// In the order the fields are stored. Each row: key, member and default; then the
// summary item (label, place, when shown) and when a change counts. The user's
// account shows before the identities it is stored after, and the proxy's port
// continues its address's item.
// clang-format off
constexpr F kFields[] = {
    {"ConfigurationVersion", F::Number{&R::ConfigurationVersion, 1},
        {"Configuration Version=", 1}, Always<R>},
    {"EnableDefaultURL", F::Flag{&R::EnableDefaultURL, true},
        {"Using Default URL=", 2}, Always<R>},
    {"EnableTestEnv", F::Flag{&R::EnableTestEnv, false},
        {"Using Test Environement=", 3, WithDefaultUrl}, WithDefaultUrl},
    {"UserDefinedHostURL", F::Text{&R::UserDefinedHostURL, ""},
        {"User Defined Host URL=", 4, WithUserUrls}, WithUserUrls},
    {"UrlForTestReq", F::Text{&R::UrlForTestReq, ""},
        {"URL for TestRequest=", 5, WithUserUrls}, WithUserUrls},
    {"UrlForUserReq", F::Text{&R::UrlForUserReq, ""},
        {"URL for UserRequest=", 6, WithUserUrls}, WithUserUrls},
    {"UrlForBnchmkSubReq", F::Text{&R::UrlForBnchmkSubReq, ""},
        {"URL for BnchmkSubReq=", 7, WithUserUrls}, WithUserUrls},
    {"UrlForBnchmkRptReq", F::Text{&R::UrlForBnchmkRptReq, ""},
        {"URL for BnchmkRptReq=", 8, WithUserUrls}, WithUserUrls},
    {"EnableProxy", F::Flag{&R::EnableProxy, true},
        {"Use Proxy=", 9}, Always<R>},
    {"UseIEProxy", F::Flag{&R::UseIEProxy, true},
        {"Use IE Proxy Setting=", 10}, ThroughProxy},
    {"ProxyAddr", F::Text{&R::ProxyAddr, ""},
        {"Proxy Address=", 11}, ThroughOwnProxy},
    {"ProxyPort", F::Text{&R::ProxyPort, ""},
        {":", 11, nullptr, true}, ThroughOwnProxy},
    {"SID", F::Text{&R::SID, ""},
        {"SID=", 13}, Always<R>},
    {"TID", F::Text{&R::TID, ""},
        {"TID=", 14}, Always<R>},
    {"Username", F::Text{&R::Username, ""},
        {"KEL User Account=", 12}, Always<R>},
    {kPasswordKey, F::Text{&R::Password, ""},
        {}, Always<R>, &kScrambled},
    {"EnableBankHoliday", F::Flag{&R::EnableBankHoliday, false},
        {"Enable Bank Holiday=", 15}, Always<R>},
    {"CurrencyTable", F::Calendar{&R::CurrencyTable},
        {}, WithBankHolidays, &kCalendar},
    {"MaxMessagePerSec", F::Number{&R::MaxMessagePerSec, 30},
        {"Max Message Per Second=", 16}, Always<R>},
};
// clang-format on
static_assert(IsSoundFieldTable<R>(kFields));

}  // namespace

FieldTable<HandlerConfig> HandlerConfig::Fields() { return kFields; }

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
  SummariseFields<R>(kFields, *this, text);
  return text.Finish(SummaryText::Ending::kNoSeparator, out);
}

}  // namespace kelo
