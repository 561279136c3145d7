#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/ConfigChangeAction.h"
#include "kelo/config/ConfigChanges.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/config/RecordFields.h"
#include "props/CHandlerPrivateProps.h"

namespace kelo {
namespace {

// Every row of every record's table, walked one at a time: a record that differs
// from a base record in that field alone is written, read back, summarised and
// compared. Whether the summary shows the change and whether the change check counts
// it is taken from the tables below, written from the rules of the summaries and of
// the change actions, never from the row under test; a row the tables do not name
// fails, so a new field has its rules stated here once.

// What changing one field of a base record does: whether the summary line changes,
// and whether the change check counts it.
struct Expected {
  bool summarised;
  bool compared;
};
using Expectations = std::map<std::string, Expected>;

constexpr Expected kBoth{true, true};
constexpr Expected kSummaryOnly{true, false};
constexpr Expected kCheckOnly{false, true};
constexpr Expected kNeither{false, false};

// A handler with the built-in endpoints, a proxy of its own or the system's, and
// holidays that suppress output or not. The password and the calendar never show in
// the summary; the test environment shows and counts only with the built-in
// endpoints, the user's endpoints only without them; the proxy's items always show,
// but count only with a proxy (the address only when it is not the system's); the
// calendar counts only when holidays suppress output.
Expectations HandlerRules(bool defaultUrl, bool proxy, bool systemProxy, bool bankHolidays) {
  const Expected userUrl = defaultUrl ? kNeither : kBoth;
  const Expected ownProxy = proxy && !systemProxy ? kBoth : kSummaryOnly;
  return {
      {"ConfigurationVersion", kBoth},
      {"EnableDefaultURL", kBoth},
      {"EnableTestEnv", defaultUrl ? kBoth : kNeither},
      {"UserDefinedHostURL", userUrl},
      {"UrlForTestReq", userUrl},
      {"UrlForUserReq", userUrl},
      {"UrlForBnchmkSubReq", userUrl},
      {"UrlForBnchmkRptReq", userUrl},
      {"EnableProxy", kBoth},
      {"UseIEProxy", proxy ? kBoth : kSummaryOnly},
      {"ProxyAddr", ownProxy},
      {"ProxyPort", ownProxy},
      {"SID", kBoth},
      {"TID", kBoth},
      {"Username", kBoth},
      {"Password", kCheckOnly},
      {"EnableBankHoliday", kBoth},
      {"CurrencyTable", bankHolidays ? kCheckOnly : kNeither},
      {"MaxMessagePerSec", kBoth},
  };
}

// Every field of a record set shows in its summary; only what names the instrument
// counts.
const Expectations kStaticRules = {
    {"PartyID", kBoth},
    {"PartyIDSource", kBoth},
    {"PartyRole", kBoth},
    {"Currency", kBoth},
    {"SecurityID", kBoth},
    {"SecurityIDSource", kBoth},
    {"FullCurveInSub", kSummaryOnly},
    {"WriteResponseToFile", kSummaryOnly},
    {"FileLocation", kSummaryOnly},
    {"DisableOptimisation", kSummaryOnly},
    {"OptimiseInitialImage", kSummaryOnly},
    {"SuppressInitOutput", kSummaryOnly},
};
const Expectations kDynamicRules = {
    {"SecurityID", kBoth},
    {"FullCurveInSub", kSummaryOnly},
};

std::string Changed(const std::string& value) { return value + "x"; }
bool Changed(bool value) { return !value; }
std::int32_t Changed(std::int32_t value) { return value + 1; }
HolidayTable Changed(HolidayTable table) {
  table.EnsureCurrency("GBP")["2030-01-02"] = "Changed";
  return table;
}

template <typename Record>
std::string Document(const Record& record) {
  CHandlerPrivateProps bag;
  record.WriteToProperty(bag);
  return bag.toXML();
}

template <typename Record>
std::string SummaryOf(const Record& record) {
  rr::RRString text;
  record.Summarise(text);
  return text.str();
}

// The change check of the record's kind, and the answer it gives to a compared change.
struct Kind {
  std::function<int(const std::string&, const std::string&)> check;
  int changed;
};

Kind KindOf(const HandlerConfig&) { return {CheckHandlerConfigChange, kChangeRestartHandler}; }
Kind KindOf(const CKELOStaticRecSetConfig&) {
  return {[](const std::string& a, const std::string& b) {
            return CheckRecordSetConfigChange(a, b, false);
          },
          kChangeRecordSet};
}
Kind KindOf(const CKELODynRecSetConfig&) {
  return {[](const std::string& a, const std::string& b) {
            return CheckRecordSetConfigChange(a, b, true);
          },
          kChangeRecordSet};
}

template <typename Record>
bool SameFields(const Record& a, const Record& b) {
  bool same = true;
  ForEachField<Record>(Record::Fields(),
                       [&](const auto&, auto member) { same = same && a.*member == b.*member; });
  return same;
}

template <typename Record>
void CheckEveryRow(const Record& base, const std::string& baseName,
                   const Expectations& expectations) {
  const Kind kind = KindOf(base);
  std::size_t rows = 0;
  ForEachField<Record>(Record::Fields(), [&](const RecordField<Record>& field, auto member) {
    SCOPED_TRACE(baseName + ", " + field.key);
    ++rows;
    const auto rule = expectations.find(field.key);
    ASSERT_NE(rule, expectations.end()) << "no rule is stated for the field";
    Record changed = base;
    changed.*member = Changed(base.*member);

    CHandlerPrivateProps bag;
    changed.WriteToProperty(bag);
    EXPECT_NE(bag.Properties().find(field.key), nullptr) << "the key is not written";
    Record read;
    read.ReadFromProperty(bag);
    EXPECT_TRUE(read.*member == changed.*member) << "the value does not read back";
    EXPECT_TRUE(SameFields(read, changed)) << "another field changed on the way";

    EXPECT_EQ(SummaryOf(changed) != SummaryOf(base), rule->second.summarised) << SummaryOf(changed);

    const int expected = rule->second.compared ? kind.changed : kChangeNone;
    EXPECT_EQ(kind.check(Document(base), Document(changed)), expected);
    EXPECT_EQ(kind.check(Document(changed), Document(base)), expected) << "(swapped)";
  });
  EXPECT_EQ(rows, expectations.size()) << baseName << ": a rule names no field";
}

TEST(FieldTables, EveryRowIsStoredSummarisedAndComparedAsTheRulesSay) {
  CheckEveryRow(HandlerConfig(), "default handler", HandlerRules(true, true, true, false));
  HandlerConfig other;
  other.EnableDefaultURL = false;
  other.UseIEProxy = false;
  other.EnableBankHoliday = true;
  other.CurrencyTable.EnsureCurrency("EUR")["2030-01-01"] = "New Year's Day";
  CheckEveryRow(other, "handler with user URLs, own proxy, bank holidays",
                HandlerRules(false, true, false, true));
  HandlerConfig noProxy;
  noProxy.EnableProxy = false;
  noProxy.UseIEProxy = false;
  CheckEveryRow(noProxy, "handler without proxy", HandlerRules(true, false, false, false));

  CheckEveryRow(CKELOStaticRecSetConfig(), "default static record set", kStaticRules);
  CKELOStaticRecSetConfig flipped;
  flipped.FullCurveInSub = false;
  flipped.WriteResponseToFile = true;
  CheckEveryRow(flipped, "static record set, flags flipped", kStaticRules);
  CheckEveryRow(CKELODynRecSetConfig(), "default dynamic record set", kDynamicRules);
}

// A table that cannot drive the operations does not compile: IsSoundFieldTable is
// asserted on each record's table. What it refuses:
struct Toy {
  std::string a;
  std::string b;
  bool flag = false;
  HolidayTable calendar;
};
using T = RecordField<Toy>;

bool Shown(const Toy& toy) { return toy.flag; }
void WriteNothing(const Toy&, CPrivateProperty&) {}
constexpr T::Storage kWriter{nullptr, WriteNothing, nullptr};
constexpr T::Storage kNoWriter{nullptr, nullptr, nullptr};

struct TableCase {
  const char* name;
  std::vector<T> rows;
  bool sound;
};

TEST(FieldTables, UnsoundTablesAreRefused) {
  const T::Text a{&Toy::a, ""};
  const T::Text b{&Toy::b, ""};
  const T::Flag flag{&Toy::flag, false};
  const T::Calendar calendar{&Toy::calendar};
  const TableCase cases[] = {
      {"sound", {{"A", a, {"A=", 1}, Always<Toy>}, {"B", b, {"B=", 2}, Never<Toy>}}, true},
      {"summary in another order",
       {{"A", a, {"A=", 2}, Always<Toy>}, {"B", b, {"B=", 1}, Always<Toy>}},
       true},
      {"continued item",
       {{"A", a, {"A=", 1, Shown}, Always<Toy>}, {"B", b, {":", 1, Shown, true}, Always<Toy>}},
       true},
      {"calendar with a writer", {{"C", calendar, {}, Always<Toy>, &kWriter}}, true},
      {"duplicate key", {{"A", a, {}, Always<Toy>}, {"A", b, {}, Always<Toy>}}, false},
      {"gap in places",
       {{"A", a, {"A=", 1}, Always<Toy>}, {"B", b, {"B=", 3}, Always<Toy>}},
       false},
      {"place 0", {{"A", a, {"A=", 0}, Always<Toy>}}, false},
      {"two items in one place",
       {{"A", a, {"A=", 1}, Always<Toy>}, {"B", b, {"B=", 1}, Always<Toy>}},
       false},
      {"continuation before its item",
       {{"B", b, {":", 1, nullptr, true}, Always<Toy>}, {"A", a, {"A=", 1}, Always<Toy>}},
       false},
      {"continuation shown otherwise",
       {{"A", a, {"A=", 1}, Always<Toy>}, {"B", b, {":", 1, Shown, true}, Always<Toy>}},
       false},
      {"continuation of nothing", {{"B", b, {":", 1, nullptr, true}, Always<Toy>}}, false},
      {"continued flag",
       {{"A", a, {"A=", 1}, Always<Toy>}, {"F", flag, {":", 1, nullptr, true}, Always<Toy>}},
       false},
      {"calendar without storage", {{"C", calendar, {}, Always<Toy>}}, false},
      {"calendar in the summary", {{"C", calendar, {"C=", 1}, Always<Toy>, &kWriter}}, false},
      {"storage without a writer", {{"A", a, {}, Always<Toy>, &kNoWriter}}, false},
  };
  for (const TableCase& c : cases) EXPECT_EQ(IsSoundFieldTable<Toy>(c.rows), c.sound) << c.name;
}

}  // namespace
}  // namespace kelo
