#include "kelo/config/ConfigChanges.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/ConfigChangeAction.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/config/PasswordScrambling.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"

namespace kelo {
namespace {

using Raw = std::vector<std::pair<std::string, std::string>>;

// The document of a record, with stored texts then set as given, so that forms the
// module never writes can be compared too.
template <typename Record>
std::string Document(const Record& record, const Raw& raw = {}) {
  CHandlerPrivateProps bag;
  record.WriteToProperty(bag);
  for (const auto& [key, value] : raw) bag.SetValueToProperty(key.c_str(), value.c_str());
  return bag.toXML();
}

std::string EmptyDocument() { return CHandlerPrivateProps().toXML(); }

// Both orders must give the same answer.
void ExpectHandlerChange(const std::string& a, const std::string& b, int expected,
                         const std::string& name) {
  EXPECT_EQ(CheckHandlerConfigChange(a, b), expected) << name;
  EXPECT_EQ(CheckHandlerConfigChange(b, a), expected) << name << " (swapped)";
}

void ExpectRecordSetChange(const std::string& a, const std::string& b, bool dynamic, int expected,
                           const std::string& name) {
  EXPECT_EQ(CheckRecordSetConfigChange(a, b, dynamic), expected) << name;
  EXPECT_EQ(CheckRecordSetConfigChange(b, a, dynamic), expected) << name << " (swapped)";
}

TEST(HandlerConfigChange, EachSettingComparedOnlyWhereItMatters) {
  using Edit = std::function<void(HandlerConfig&)>;
  const Edit none = [](HandlerConfig&) {};
  const Edit userUrls = [](HandlerConfig& c) { c.EnableDefaultURL = false; };
  const Edit noProxy = [](HandlerConfig& c) { c.EnableProxy = false; };
  const Edit ownProxy = [](HandlerConfig& c) { c.UseIEProxy = false; };
  const Edit holidays = [](HandlerConfig& c) { c.EnableBankHoliday = true; };
  struct Case {
    const char* name;
    Edit setup;
    Edit change;
    int expected;
  };
  const Case cases[] = {
      {"nothing", none, none, kChangeNone},
      {"version", none, [](HandlerConfig& c) { c.ConfigurationVersion = 2; },
       kChangeRestartHandler},
      {"default URL", none, [](HandlerConfig& c) { c.EnableDefaultURL = false; },
       kChangeRestartHandler},
      {"proxy", none, [](HandlerConfig& c) { c.EnableProxy = false; }, kChangeRestartHandler},
      {"SID", none, [](HandlerConfig& c) { c.SID = "BANK02"; }, kChangeRestartHandler},
      {"SID case", none, [](HandlerConfig& c) { c.SID = "bank01"; }, kChangeRestartHandler},
      {"SID blank", none, [](HandlerConfig& c) { c.SID = "BANK01 "; }, kChangeRestartHandler},
      {"TID", none, [](HandlerConfig& c) { c.TID = "X"; }, kChangeRestartHandler},
      {"Username", none, [](HandlerConfig& c) { c.Username = "other"; }, kChangeRestartHandler},
      {"Password", none, [](HandlerConfig& c) { c.Password = "other"; }, kChangeRestartHandler},
      {"bank holiday", none, [](HandlerConfig& c) { c.EnableBankHoliday = true; },
       kChangeRestartHandler},
      {"message rate", none, [](HandlerConfig& c) { c.MaxMessagePerSec = 31; },
       kChangeRestartHandler},
      {"test environment", none, [](HandlerConfig& c) { c.EnableTestEnv = true; },
       kChangeRestartHandler},
      {"host URL unused", none, [](HandlerConfig& c) { c.UserDefinedHostURL = "h"; }, kChangeNone},
      {"test URL unused", none, [](HandlerConfig& c) { c.UrlForTestReq = "t"; }, kChangeNone},
      {"user URL unused", none, [](HandlerConfig& c) { c.UrlForUserReq = "u"; }, kChangeNone},
      {"submit URL unused", none, [](HandlerConfig& c) { c.UrlForBnchmkSubReq = "s"; },
       kChangeNone},
      {"report URL unused", none, [](HandlerConfig& c) { c.UrlForBnchmkRptReq = "r"; },
       kChangeNone},
      {"host URL", userUrls, [](HandlerConfig& c) { c.UserDefinedHostURL = "h"; },
       kChangeRestartHandler},
      {"test URL", userUrls, [](HandlerConfig& c) { c.UrlForTestReq = "t"; },
       kChangeRestartHandler},
      {"user URL", userUrls, [](HandlerConfig& c) { c.UrlForUserReq = "u"; },
       kChangeRestartHandler},
      {"submit URL", userUrls, [](HandlerConfig& c) { c.UrlForBnchmkSubReq = "s"; },
       kChangeRestartHandler},
      {"report URL", userUrls, [](HandlerConfig& c) { c.UrlForBnchmkRptReq = "r"; },
       kChangeRestartHandler},
      {"test environment unused", userUrls, [](HandlerConfig& c) { c.EnableTestEnv = true; },
       kChangeNone},
      {"IE proxy", none, [](HandlerConfig& c) { c.UseIEProxy = false; }, kChangeRestartHandler},
      {"address under IE proxy", none, [](HandlerConfig& c) { c.ProxyAddr = "a"; }, kChangeNone},
      {"port under IE proxy", none, [](HandlerConfig& c) { c.ProxyPort = "1"; }, kChangeNone},
      {"address", ownProxy, [](HandlerConfig& c) { c.ProxyAddr = "a"; }, kChangeRestartHandler},
      {"port", ownProxy, [](HandlerConfig& c) { c.ProxyPort = "1"; }, kChangeRestartHandler},
      {"IE proxy without proxy", noProxy, [](HandlerConfig& c) { c.UseIEProxy = false; },
       kChangeNone},
      {"address without proxy", noProxy,
       [](HandlerConfig& c) {
         c.UseIEProxy = false;
         c.ProxyAddr = "a";
       },
       kChangeNone},
      {"port without proxy", noProxy, [](HandlerConfig& c) { c.ProxyPort = "1"; }, kChangeNone},
      {"holiday added", holidays,
       [](HandlerConfig& c) { c.CurrencyTable.EnsureCurrency("GBP")["2024-12-27"] = "Customize"; },
       kChangeRestartHandler},
      {"holiday removed", holidays,
       [](HandlerConfig& c) { c.CurrencyTable.RemoveHoliday("GBP", "2024-12-26"); },
       kChangeRestartHandler},
      {"remark", holidays,
       [](HandlerConfig& c) { c.CurrencyTable.EnsureCurrency("GBP")["2024-12-26"] = "Weekend"; },
       kChangeRestartHandler},
      {"currency with holidays added", holidays,
       [](HandlerConfig& c) { c.CurrencyTable.EnsureCurrency("USD")["2024-07-04"] = "X"; },
       kChangeRestartHandler},
      {"currency without holidays added", holidays,
       [](HandlerConfig& c) { c.CurrencyTable.EnsureCurrency("USD"); }, kChangeNone},
      {"holidays while suppression is off", none,
       [](HandlerConfig& c) { c.CurrencyTable.EnsureCurrency("GBP")["2024-12-27"] = "Customize"; },
       kChangeNone},
  };
  for (const Case& c : cases) {
    HandlerConfig first;
    first.SID = "BANK01";
    first.CurrencyTable.EnsureCurrency("EUR")["2024-12-25"] = "Christmas Day";
    first.CurrencyTable.EnsureCurrency("GBP")["2024-12-26"] = "Boxing Day";
    c.setup(first);
    HandlerConfig second = first;
    c.change(second);
    ExpectHandlerChange(Document(first), Document(second), c.expected, c.name);
  }
}

TEST(HandlerConfigChange, CalendarsComparedAsRead) {
  HandlerConfig base;
  base.EnableBankHoliday = true;
  const std::string gbp = "2024-12-25|Christmas Day|2024-12-26|Boxing Day|";
  const Raw written = {{"CurrencyTable", "EUR|GBP|"},
                       {"CurrencyTable_EUR", "2024-12-25|Christmas Day|"},
                       {"CurrencyTable_GBP", gbp}};
  struct Case {
    const char* name;
    Raw first;
    Raw second;
    int expected;
  };
  const Case cases[] = {
      {"same texts", written, written, kChangeNone},
      {"adjacent separators in the list", written, {{"CurrencyTable", "EUR||GBP|"}}, kChangeNone},
      {"list in another order", written, {{"CurrencyTable", "GBP|EUR"}}, kChangeNone},
      {"currency listed twice", written, {{"CurrencyTable", "EUR|GBP|EUR|"}}, kChangeNone},
      {"currency dropped from the list",
       written,
       {{"CurrencyTable", "EUR|"}},
       kChangeRestartHandler},
      {"repeated date keeps its first remark",
       written,
       {{"CurrencyTable_GBP", gbp + "2024-12-26|Other|"}},
       kChangeNone},
      {"repeated date, other remark first",
       written,
       {{"CurrencyTable_GBP", "2024-12-26|Other|" + gbp}},
       kChangeRestartHandler},
      {"short tokens skipped", written, {{"CurrencyTable_GBP", "abc|" + gbp + "x|"}}, kChangeNone},
      {"unsorted holidays",
       written,
       {{"CurrencyTable_GBP", "2024-12-26|Boxing Day|2024-12-25|Christmas Day|"}},
       kChangeNone},
      {"lone date key ignored", written, {{"CurrencyTable_GBP", gbp + "2024-12-31"}}, kChangeNone},
      {"listed currency without holidays",
       written,
       {{"CurrencyTable", "EUR|GBP|USD|"}, {"CurrencyTable_USD", "abc|"}},
       kChangeNone},
      {"unlisted currency with holidays",
       written,
       {{"CurrencyTable_USD", "2024-07-04|Independence Day|"}},
       kChangeNone},
      {"listed currency with holidays",
       written,
       {{"CurrencyTable", "EUR|GBP|USD|"}, {"CurrencyTable_USD", "2024-07-04|Independence Day|"}},
       kChangeRestartHandler},
      {"short list is no calendar",
       {{"CurrencyTable", "X|"}, {"CurrencyTable_X", "2024-12-25|a|"}},
       {{"CurrencyTable", ""}, {"CurrencyTable_X", "2024-12-25|a|"}},
       kChangeNone},
      {"no calendar against one", {{"CurrencyTable", ""}}, written, kChangeRestartHandler},
      {"remark with a separator",
       {{"CurrencyTable", "GBP|"}, {"CurrencyTable_GBP", gbp}},
       {{"CurrencyTable", "GBP|"}, {"CurrencyTable_GBP", "2024-12-25|Christmas|Day|" + gbp}},
       kChangeRestartHandler},
      {"currency code case",
       {{"CurrencyTable", "GBP|"}, {"CurrencyTable_GBP", gbp}},
       {{"CurrencyTable", "gbp|"}, {"CurrencyTable_gbp", gbp}},
       kChangeRestartHandler},
  };
  for (const Case& c : cases) {
    Raw second = written;
    second.insert(second.end(), c.second.begin(), c.second.end());
    Raw first = c.first;
    ExpectHandlerChange(Document(base, first), Document(base, second), c.expected, c.name);
  }
}

TEST(HandlerConfigChange, PasswordsComparedAsDecoded) {
  HandlerConfig config;
  config.Password = "secret";
  const std::string stored = EncodePassword("secret");
  ExpectHandlerChange(Document(config), Document(config, {{"Password", stored + "0"}}), kChangeNone,
                      "extra digit");
  HandlerConfig empty;
  ExpectHandlerChange(Document(empty), Document(empty, {{"Password", "plain"}}), kChangeNone,
                      "undecodable reads as empty");
  ExpectHandlerChange(Document(config), Document(empty, {{"Password", "plain"}}),
                      kChangeRestartHandler, "undecodable against a password");
}

TEST(HandlerConfigChange, EmptyDocumentsReadAsDefaults) {
  ExpectHandlerChange(EmptyDocument(), EmptyDocument(), kChangeNone, "both empty");
  ExpectHandlerChange(EmptyDocument(), Document(HandlerConfig()), kChangeNone, "defaults");
  HandlerConfig rate;
  rate.MaxMessagePerSec = 29;
  ExpectHandlerChange(EmptyDocument(), Document(rate), kChangeRestartHandler, "rate");
}

TEST(RecordSetConfigChange, StaticComparesWhatIsSubmitted) {
  using Edit = std::function<void(CKELOStaticRecSetConfig&)>;
  struct Case {
    const char* name;
    Edit change;
    int expected;
  };
  const Case cases[] = {
      {"nothing", [](CKELOStaticRecSetConfig&) {}, kChangeNone},
      {"party", [](CKELOStaticRecSetConfig& c) { c.PartyID = "Q"; }, kChangeRecordSet},
      {"party case", [](CKELOStaticRecSetConfig& c) { c.PartyID = "p"; }, kChangeRecordSet},
      {"party source", [](CKELOStaticRecSetConfig& c) { c.PartyIDSource = "C"; }, kChangeRecordSet},
      {"party role", [](CKELOStaticRecSetConfig& c) { c.PartyRole = "1"; }, kChangeRecordSet},
      {"currency", [](CKELOStaticRecSetConfig& c) { c.Currency = "GBP"; }, kChangeRecordSet},
      {"security", [](CKELOStaticRecSetConfig& c) { c.SecurityID = "T"; }, kChangeRecordSet},
      {"security source", [](CKELOStaticRecSetConfig& c) { c.SecurityIDSource = "4"; },
       kChangeRecordSet},
      {"file", [](CKELOStaticRecSetConfig& c) { c.FileLocation = "/x.csv"; }, kChangeNone},
      {"full curve", [](CKELOStaticRecSetConfig& c) { c.FullCurveInSub = false; }, kChangeNone},
      {"write file", [](CKELOStaticRecSetConfig& c) { c.WriteResponseToFile = true; }, kChangeNone},
      {"disable optimisation", [](CKELOStaticRecSetConfig& c) { c.DisableOptimisation = true; },
       kChangeNone},
      {"initial image", [](CKELOStaticRecSetConfig& c) { c.OptimiseInitialImage = false; },
       kChangeNone},
      {"initial output", [](CKELOStaticRecSetConfig& c) { c.SuppressInitOutput = false; },
       kChangeNone},
  };
  for (const Case& c : cases) {
    CKELOStaticRecSetConfig first;
    first.PartyID = "P";
    first.PartyIDSource = "D";
    first.PartyRole = "62";
    first.Currency = "EUR";
    first.SecurityID = "S";
    first.SecurityIDSource = "8";
    CKELOStaticRecSetConfig second = first;
    c.change(second);
    ExpectRecordSetChange(Document(first), Document(second), false, c.expected, c.name);
  }
}

TEST(RecordSetConfigChange, DynamicComparesOnlyTheSecurity) {
  CKELODynRecSetConfig first;
  first.SecurityID = "SONIA";
  CKELODynRecSetConfig curve = first;
  curve.FullCurveInSub = false;
  CKELODynRecSetConfig other = first;
  other.SecurityID = "ESTR";
  CKELODynRecSetConfig lower = first;
  lower.SecurityID = "sonia";
  ExpectRecordSetChange(Document(first), Document(first), true, kChangeNone, "nothing");
  ExpectRecordSetChange(Document(first), Document(curve), true, kChangeNone, "full curve");
  ExpectRecordSetChange(Document(first), Document(other), true, kChangeRecordSet, "security");
  ExpectRecordSetChange(Document(first), Document(lower), true, kChangeRecordSet, "case");
}

TEST(RecordSetConfigChange, EmptyDocumentsReadAsDefaults) {
  ExpectRecordSetChange(EmptyDocument(), EmptyDocument(), false, kChangeNone, "static");
  ExpectRecordSetChange(EmptyDocument(), EmptyDocument(), true, kChangeNone, "dynamic");
  CKELOStaticRecSetConfig flags;
  flags.FullCurveInSub = false;
  ExpectRecordSetChange(EmptyDocument(), Document(flags), false, kChangeNone, "static flags");
  CKELODynRecSetConfig security;
  security.SecurityID = "S";
  ExpectRecordSetChange(EmptyDocument(), Document(security), true, kChangeRecordSet,
                        "dynamic security");
}

TEST(ConfigChange, MalformedDocumentThrows) {
  const std::string good = Document(HandlerConfig());
  const std::string bad = "<Properties><Property Name=\"SID\" Type=\"String\">x</Properties>";
  EXPECT_THROW(CheckHandlerConfigChange(bad, good), XmlError);
  EXPECT_THROW(CheckHandlerConfigChange(good, bad), XmlError);
  EXPECT_THROW(CheckRecordSetConfigChange(bad, good, false), XmlError);
  EXPECT_THROW(CheckRecordSetConfigChange(good, bad, true), XmlError);
  EXPECT_THROW(CheckHandlerConfigChange("", good), XmlError);
}

}  // namespace
}  // namespace kelo
