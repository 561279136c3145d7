#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "hcd/IExtraRecordSetInfo.h"
#include "hcd/IHcdPropertyPages.h"
#include "hcd/IHcdSummary.h"
#include "props/CPrivateProperty.h"
#include "tests/kelo/handler/ModuleFixture.h"
#include "ui/CPropertyPage.h"
#include "ui/CPropertySheet.h"
#include "ui/TemplateRegistry.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

enum class PageKind { Handler, Static, Dynamic };

const char* Name(PageKind kind) {
  switch (kind) {
    case PageKind::Handler:
      return "Handler";
    case PageKind::Static:
      return "Static";
    default:
      return "Dynamic";
  }
}

int TemplateOf(PageKind kind) {
  switch (kind) {
    case PageKind::Handler:
      return 12000;
    case PageKind::Static:
      return 12003;
    default:
      return 12004;
  }
}

// What the host's record-set information object is asked, in order.
class RecordingInfo : public IExtraRecordSetInfo {
 public:
  void GetFieldNames(std::list<rr::RRString>& names) override {
    calls.push_back("GetFieldNames");
    names.emplace_back("UNUSED");
  }
  void SetPageMode(int mode) override { calls.push_back("SetPageMode " + std::to_string(mode)); }
  long GetRecordSetId() override {
    calls.push_back("GetRecordSetId");
    return 0;
  }
  std::vector<std::string> calls;
};

// The module loaded once, and per test the scripted backend playing the user of the
// host's property sheet, through the property-page facet only.
class PageLifecycle : public ModuleFixture {
 protected:
  PageLifecycle() : backend_(new ScriptedBackend), scope_(std::unique_ptr<UiBackend>(backend_)) {}

  IHcdPropertyPages& Pages() { return *Wrapper().PropertyPages(); }
  ScriptedBackend& Backend() { return *backend_; }

  CPropertyPage* Get(PageKind kind, const CPrivateProperty& bag,
                     IExtraRecordSetInfo* info = nullptr) {
    CPropertyPage* page = nullptr;
    RecordingInfo unused;
    const int result =
        kind == PageKind::Handler
            ? Pages().GetHandPropertyPropPage(page, bag)
            : Pages().GetTmplPropertyPropPage(page, 7, bag, kind == PageKind::Dynamic ? 1 : 0, 0,
                                              info != nullptr ? info : &unused);
    EXPECT_EQ(result, 1);
    EXPECT_NE(page, nullptr);
    return page;
  }

  void End(PageKind kind, int accepted, CPropertyPage* page, CPrivateProperty& bag) {
    if (kind == PageKind::Handler)
      Pages().EndHandPropertyPropPage(accepted, page, bag);
    else
      Pages().EndTmplPropertyPropPage(accepted, page, 7, bag, kind == PageKind::Dynamic ? 1 : 0, 0);
  }

  // Runs the page in a sheet as the host does; true when the sheet closed with OK.
  bool RunSheet(CPropertyPage* page, std::string_view script) {
    backend_->Load(script);
    CPropertySheet sheet("Properties");
    sheet.AddPage(page);
    return sheet.DoModal() == IDOK;
  }

  // The pages alive that were built from the template: each holds the registry's
  // template while it lives.
  static long PagesAlive(int templateId) {
    return TemplateRegistry::Instance().Find(templateId).use_count() - 2;
  }

 private:
  ScriptedBackend* backend_;  // owned by the installed scope
  ScopedUiBackend scope_;
};

std::vector<std::string> Keys(const CPrivateProperty& bag) {
  std::vector<std::string> keys;
  for (const auto& [name, child] : bag.Properties()) keys.push_back(name);
  return keys;
}

std::string Text(const CPrivateProperty& bag, const char* key) {
  rr::RRString value;
  bag.GetValueFromProperty(key, value, "<missing>");
  return value.str();
}

bool Flag(const CPrivateProperty& bag, const char* key) {
  const CPrivateProperty* child = bag.Properties().find(key);
  EXPECT_TRUE(child != nullptr && child->Type() == CPrivateProperty::EType::Bool) << key;
  return child != nullptr && child->BoolValue();
}

TEST_F(PageLifecycle, NewHandlerShowsTheDefaultsAndAcceptingWritesEveryKey) {
  CPrivateProperty bag;
  CPropertyPage* page = Get(PageKind::Handler, bag);
  EXPECT_EQ(page->GetCaption(), "KEL Benchmark Adiministration Configuration");
  std::string rate;
  int marks = 0;
  Backend().Then([&] {
    const ScriptedWindow& w = *Backend().TargetWindow();
    rate = w.Text(12012);
    for (int id : {12005, 12013, 12049, 12051}) marks += w.Check(id);
  });
  ASSERT_TRUE(RunSheet(page, "set \"SenderCompID:\" BANK01\nset \"TargetCompID:\" KEL\nok\n"));
  End(PageKind::Handler, 1, page, bag);

  EXPECT_EQ(rate, "30");
  EXPECT_EQ(marks, 4) << "proxy on, system proxy, default URL, production";
  EXPECT_EQ(Keys(bag),
            (std::vector<std::string>{
                "ConfigurationVersion", "EnableDefaultURL", "EnableTestEnv", "UserDefinedHostURL",
                "UrlForTestReq", "UrlForUserReq", "UrlForBnchmkSubReq", "UrlForBnchmkRptReq",
                "EnableProxy", "UseIEProxy", "ProxyAddr", "ProxyPort", "SID", "TID", "Username",
                "Password", "EnableBankHoliday", "CurrencyTable", "MaxMessagePerSec"}));
  EXPECT_EQ(Text(bag, "SID"), "BANK01");
  EXPECT_EQ(Text(bag, "UserDefinedHostURL"), "");
  EXPECT_EQ(Text(bag, "Password").size(), 32u) << "an empty password is stored scrambled";
  EXPECT_TRUE(Flag(bag, "EnableDefaultURL"));
  EXPECT_TRUE(Flag(bag, "UseIEProxy"));
  EXPECT_FALSE(Flag(bag, "EnableBankHoliday"));
  EXPECT_EQ(bag.Properties().find("MaxMessagePerSec")->IntValue(), 30);
}

TEST_F(PageLifecycle, NewStaticRecordSetWritesEveryKey) {
  CPrivateProperty bag;
  CPropertyPage* page = Get(PageKind::Static, bag);
  ASSERT_TRUE(RunSheet(page, R"(set "Party ID:" P1
                                set "Currency:" EUR
                                set "Security ID:" EURIBOR
                                ok)"));
  End(PageKind::Static, 1, page, bag);

  EXPECT_EQ(Keys(bag),
            (std::vector<std::string>{"PartyID", "PartyIDSource", "PartyRole", "Currency",
                                      "SecurityID", "SecurityIDSource", "FullCurveInSub",
                                      "WriteResponseToFile", "FileLocation", "DisableOptimisation",
                                      "OptimiseInitialImage", "SuppressInitOutput"}));
  EXPECT_EQ(Text(bag, "PartyIDSource"), "D");
  EXPECT_EQ(Text(bag, "PartyRole"), "30");
  EXPECT_EQ(Text(bag, "SecurityIDSource"), "8");
  EXPECT_TRUE(Flag(bag, "FullCurveInSub"));
  EXPECT_FALSE(Flag(bag, "WriteResponseToFile"));
  EXPECT_FALSE(Flag(bag, "DisableOptimisation"));
  EXPECT_TRUE(Flag(bag, "OptimiseInitialImage"));
  EXPECT_TRUE(Flag(bag, "SuppressInitOutput"));
}

TEST_F(PageLifecycle, DynamicPageWritesExactlyItsTwoKeys) {
  CPrivateProperty stored;
  stored.SetValueToProperty("SecurityID", "OLD");
  stored.SetValueToProperty("FullCurveInSub", false);
  CPropertyPage* page = Get(PageKind::Dynamic, stored);
  ASSERT_TRUE(RunSheet(page, "set \"Security ID:\" \" NEW \"\nok\n"));
  CPrivateProperty bag;
  End(PageKind::Dynamic, 1, page, bag);

  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"SecurityID", "FullCurveInSub"}));
  EXPECT_EQ(Text(bag, "SecurityID"), "NEW");
  EXPECT_FALSE(Flag(bag, "FullCurveInSub")) << "kept from the bag: the page does not edit it";

  // A new dynamic record set stores the record's default flag.
  CPrivateProperty empty, written;
  End(PageKind::Dynamic, 1, Get(PageKind::Dynamic, empty), written);
  EXPECT_EQ(Keys(written), (std::vector<std::string>{"SecurityID", "FullCurveInSub"}));
  EXPECT_TRUE(Flag(written, "FullCurveInSub"));
}

TEST_F(PageLifecycle, HolidaysAddedThroughTheDialogReachTheBag) {
  CPrivateProperty bag;
  bag.SetValueToProperty("SID", "BANK01");
  bag.SetValueToProperty("TID", "KEL");
  bag.SetValueToProperty("EnableBankHoliday", true);
  CPropertyPage* page = Get(PageKind::Handler, bag);
  ASSERT_TRUE(RunSheet(page, R"(click "Holiday setting"
                                select 12065 GBP
                                year 12071 2024
                                click "Add holiday of year"
                                ok
                                ok)"));
  End(PageKind::Handler, 1, page, bag);

  EXPECT_EQ(Text(bag, "CurrencyTable"), "EUR|GBP|USD|");
  EXPECT_NE(Text(bag, "CurrencyTable_GBP").find("2024-12-25|Christmas Day|"), std::string::npos);
  EXPECT_EQ(Text(bag, "CurrencyTable_EUR"), "");
}

// The handler page reads the stored calendar only when it needs it, from its own copy:
// accepted with or without its holiday setting dialog opened, it writes the calendar
// as read, though the bag it was opened with lost a currency in between.
TEST_F(PageLifecycle, TheStoredCalendarIsWrittenAsReadWhetherTheDialogOpenedOrNot) {
  for (const bool opened : {false, true}) {
    SCOPED_TRACE(opened ? "dialog opened" : "dialog never opened");
    CPrivateProperty bag;
    bag.SetValueToProperty("SID", "BANK01");
    bag.SetValueToProperty("TID", "KEL");
    bag.SetValueToProperty("EnableBankHoliday", true);
    bag.SetValueToProperty("CurrencyTable", "GBP|X|CHF|");
    bag.SetValueToProperty("CurrencyTable_GBP",
                           "2024-12-26|Boxing Day|abc|2024-12-25|Christmas Day|");
    bag.SetValueToProperty("CurrencyTable_CHF", "");
    CPropertyPage* page = Get(PageKind::Handler, bag);
    bag.Properties().erase("CurrencyTable_GBP");
    ASSERT_TRUE(RunSheet(page, opened ? "click \"Holiday setting\"\nok\nok\n" : "ok\n"));
    End(PageKind::Handler, 1, page, bag);
    // The dialog lists the standard currencies, and hands them back with the others.
    EXPECT_EQ(Text(bag, "CurrencyTable"), opened ? "EUR|GBP|USD|" : "GBP|");
    EXPECT_EQ(Text(bag, "CurrencyTable_GBP"), "2024-12-25|Christmas Day|2024-12-26|Boxing Day|");
  }
}

// The host passes any number for "dynamic"; every one but 0 means a dynamic record set.
TEST_F(PageLifecycle, AnyNonZeroDynamicFlagMeansADynamicRecordSet) {
  CPrivateProperty stored;
  stored.SetValueToProperty("SecurityID", "SONIA");
  stored.SetValueToProperty("PartyID", "P1");
  for (const int flag : {2, -1, 0}) {
    SCOPED_TRACE(flag);
    const bool dynamic = flag != 0;
    RecordingInfo info;
    CPropertyPage* page = nullptr;
    ASSERT_EQ(Pages().GetTmplPropertyPropPage(page, 7, stored, flag, 0, &info), 1);
    EXPECT_EQ(PagesAlive(12004), dynamic ? 1 : 0);
    EXPECT_EQ(PagesAlive(12003), dynamic ? 0 : 1);
    CPrivateProperty bag;
    Pages().EndTmplPropertyPropPage(1, page, 7, bag, flag, 0);
    EXPECT_EQ(Keys(bag).size(), dynamic ? 2u : 12u);

    rr::RRString summary;
    const int items = Wrapper().Summary()->GetTmplPropertySummary(summary, 7, stored, flag, 0);
    EXPECT_EQ(items, dynamic ? 2 : 12);
    EXPECT_EQ(summary.str().starts_with("Security ID=SONIA|"), dynamic) << summary.str();
  }
}

// The real save path: the page is handed out for a bag and handed back accepted.
TEST_F(PageLifecycle, AnUnreadablePasswordIsKeptUnlessOneIsTyped) {
  struct Case {
    const char* script;
    bool kept;
  };
  for (const Case& c : {Case{"set \"TargetCompID:\" OTHER\nok\n", true},
                        Case{"set \"Password:\" typed\nok\n", false}}) {
    SCOPED_TRACE(c.script);
    CPrivateProperty bag;
    bag.SetValueToProperty("SID", "BANK01");
    bag.SetValueToProperty("TID", "KEL");
    bag.SetValueToProperty("Password", "CLEAR TEXT");
    CPropertyPage* page = Get(PageKind::Handler, bag);
    ASSERT_TRUE(RunSheet(page, c.script));
    End(PageKind::Handler, 1, page, bag);
    if (c.kept)
      EXPECT_EQ(Text(bag, "Password"), "CLEAR TEXT");
    else
      EXPECT_EQ(Text(bag, "Password").size(), 32u);
  }
}

// A core dump of the process while the handler page lives would hold its password in
// clear.
TEST_F(PageLifecycle, NoCoreDumpWhileAHandlerPageLives) {
  ASSERT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 1);
  CPrivateProperty bag;
  CPropertyPage* first = Get(PageKind::Handler, bag);
  CPropertyPage* second = Get(PageKind::Handler, bag);
  EXPECT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
  End(PageKind::Handler, 0, first, bag);
  EXPECT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0) << "the second page still holds one";
  End(PageKind::Handler, 0, second, bag);
  EXPECT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 1);
}

struct SheetCase {
  PageKind kind;
  bool accept;
};

void PrintTo(const SheetCase& c, std::ostream* os) {
  *os << Name(c.kind) << (c.accept ? " accepted" : " cancelled");
}

class PageLifecycleSheets : public PageLifecycle,
                            public ::testing::WithParamInterface<SheetCase> {};

// Every kind of page, accepted or cancelled: the End operation destroys it (and the
// record it owns) exactly once, and a cancelled sheet leaves the bag as it was.
TEST_P(PageLifecycleSheets, EndDestroysThePageAndCancelKeepsTheBag) {
  const auto [kind, accept] = GetParam();
  CPrivateProperty bag;
  bag.SetValueToProperty("SID", "BANK01");
  bag.SetValueToProperty("TID", "KEL");
  bag.SetValueToProperty("PartyID", "P1");
  bag.SetValueToProperty("Currency", "EUR");
  bag.SetValueToProperty("SecurityID", "ESTR");
  const CPrivateProperty before = bag;

  CPropertyPage* page = Get(kind, bag);
  EXPECT_EQ(PagesAlive(TemplateOf(kind)), 1);
  // Edits that would change the bag if they were kept.
  const char* edit =
      kind == PageKind::Handler ? "set \"Username:\" someone\n" : "set \"Security ID:\" OTHER\n";
  const bool accepted = RunSheet(page, std::string(edit) + (accept ? "ok\n" : "cancel\n"));
  EXPECT_EQ(accepted, accept);
  End(kind, accepted ? 1 : 0, page, bag);

  EXPECT_EQ(PagesAlive(TemplateOf(kind)), 0);
  if (accept)
    EXPECT_FALSE(bag == before);
  else
    EXPECT_TRUE(bag == before);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, PageLifecycleSheets,
    ::testing::Values(SheetCase{PageKind::Handler, true}, SheetCase{PageKind::Handler, false},
                      SheetCase{PageKind::Static, true}, SheetCase{PageKind::Static, false},
                      SheetCase{PageKind::Dynamic, true}, SheetCase{PageKind::Dynamic, false}),
    [](const auto& info) {
      return std::string(Name(info.param.kind)) + (info.param.accept ? "Accepted" : "Cancelled");
    });

TEST_F(PageLifecycle, EndWithoutAPageDoesNothing) {
  CPrivateProperty bag;
  bag.SetValueToProperty("SecurityID", "ESTR");
  const CPrivateProperty before = bag;
  for (PageKind kind : {PageKind::Handler, PageKind::Static, PageKind::Dynamic}) {
    for (int accepted : {0, 1}) {
      End(kind, accepted, nullptr, bag);
      EXPECT_TRUE(bag == before) << Name(kind) << " accepted " << accepted;
    }
  }
}

TEST_F(PageLifecycle, RecordSetPagesAskTheInformationObjectInOrder) {
  for (PageKind kind : {PageKind::Static, PageKind::Dynamic}) {
    RecordingInfo info;
    CPrivateProperty bag;
    CPropertyPage* page = Get(kind, bag, &info);
    EXPECT_EQ(info.calls, (std::vector<std::string>{"GetFieldNames", "SetPageMode 1"}))
        << Name(kind);
    End(kind, 0, page, bag);
  }
}

TEST_F(PageLifecycle, RecordSetPageWithoutInformationObject) {
  CPrivateProperty bag;
  CPropertyPage* page = nullptr;
  EXPECT_EQ(Pages().GetTmplPropertyPropPage(page, 7, bag, 0, 0, nullptr), 1);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetCaption(), "KELO Static Recordset Configuration");
  Pages().EndTmplPropertyPropPage(0, page, 7, bag, 0, 0);
}

TEST_F(PageLifecycle, PageOfTheOtherKindIsDestroyedWithoutWriting) {
  CPrivateProperty bag;
  CPropertyPage* page = Get(PageKind::Static, bag);
  Pages().EndTmplPropertyPropPage(1, page, 7, bag, 1, 0);
  EXPECT_TRUE(bag.Properties().empty());
  EXPECT_EQ(PagesAlive(12003), 0);
}

struct ChooserCase {
  const char* name;
  int flag;
  const char* script;
  const char* chosen;
};

void PrintTo(const ChooserCase& c, std::ostream* os) { *os << c.name; }

const ChooserCase kChooserCases[] = {
    {"PickedBenchmarkName", 0, "select 12020 BENCHMARK_PRICE\nok\n", "BENCHMARK_PRICE"},
    {"PickedPartyNameWithTheFlag", 1, "select 12020 PARTY_ID_SOURCE\nok\n", "PARTY_ID_SOURCE"},
    {"CancelGivesTheEmptyName", 1, "select 12020 PARTY_ROLE\ncancel\n", ""},
    {"ClosedWithoutAnswerGivesTheEmptyName", 0, "", ""},
};

class FieldChooserFacet : public PageLifecycle,
                          public ::testing::WithParamInterface<ChooserCase> {};

TEST_P(FieldChooserFacet, ReplacesTheCallersName) {
  const ChooserCase& c = GetParam();
  Backend().Load(c.script);
  rr::RRString chosen("PREVIOUS");
  Pages().DoFieldChooserDialog(nullptr, c.flag, rr::RRString("RS"), rr::RRString("CUR"), chosen);
  EXPECT_EQ(chosen.str(), c.chosen);
  EXPECT_EQ(PagesAlive(12001), 0);
}

INSTANTIATE_TEST_SUITE_P(PageLifecycle, FieldChooserFacet, ::testing::ValuesIn(kChooserCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageLifecycle, FieldChooserFlagDecidesOnThePartyNames) {
  for (int flag : {0, 5}) {
    std::size_t listed = 0;
    Backend().Then([&] { listed = Backend().TargetWindow()->Items(12020).size(); });
    rr::RRString chosen;
    Pages().DoFieldChooserDialog(nullptr, flag, "", "", chosen);
    EXPECT_EQ(listed, flag ? 8u : 4u);
  }
}

}  // namespace
