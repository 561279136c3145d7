#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "kelo/config/HandlerConfig.h"
#include "kelo/pages/CKELODlgHandCfg.h"
#include "kelo/pages/ResourceIds.h"
#include "tests/kelo/pages/PageFixture.h"
#include "ui/AfxFunctions.h"

namespace {

using kelo::CKELODlgHandCfg;
using kelo::HandlerConfig;

// A record that a plain OK accepts: both identities set.
HandlerConfig Acceptable() {
  HandlerConfig c;
  c.SID = "BANK01";
  c.TID = "KEL";
  return c;
}

struct SaveCase {
  const char* name;
  std::function<void(HandlerConfig&)> opened;  // the record the page opens with
  const char* script;                          // played before the sheet's OK
  std::vector<std::string> messages;           // none: the sheet is accepted
  std::function<void(HandlerConfig&)> saved;   // what the save changes in the record
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

void Nothing(HandlerConfig&) {}

const SaveCase kSaveCases[] = {
    {"DefaultUrlStoresDisabledTextsUntrimmed",
     [](HandlerConfig& c) {
       c.UrlForTestReq = "  /test  ";
       c.UserDefinedHostURL = "";
     },
     "",
     {},
     Nothing},
    {"UserUrlRefusesHostOfBlanks",
     Nothing,
     R"(click "User-defined URL:"
        set "Host URL:" "   ")",
     {"User-defined [Host URL] can not be empty"},
     Nothing},
    {"UserUrlTrimsItsTextsAndAllowsEmptyRequests",
     Nothing,
     R"(click "User-defined URL:"
        set "Host URL:" "  bmk.example	"
        set "BnchmkRptReq:" " /rpt ")",
     {},
     [](HandlerConfig& c) {
       c.EnableDefaultURL = false;
       c.UserDefinedHostURL = "bmk.example";
       c.UrlForBnchmkRptReq = "/rpt";
     }},
    {"TestingChoiceIsStored",
     Nothing,
     R"(click "Testing")",
     {},
     [](HandlerConfig& c) { c.EnableTestEnv = true; }},
    {"ProxyDisabledNeedsNoAddressAndKeepsItsKind",
     [](HandlerConfig& c) { c.UseIEProxy = false; },
     R"(check "Enable Proxy" off)",
     {},
     [](HandlerConfig& c) { c.EnableProxy = false; }},
    {"ProxyAddressOfBlanksAndPortOfLettersAccepted",
     Nothing,
     R"(click "Proxy:"
        set "Address:" "  "
        set "Port:" "abc")",
     {},
     [](HandlerConfig& c) {
       c.UseIEProxy = false;
       c.ProxyAddr = "  ";
       c.ProxyPort = "abc";
     }},
    {"ProxyRefusesEmptyAddress",
     Nothing,
     R"(click "Proxy:"
        set "Port:" "8080")",
     {"Please enter an address for Proxy"},
     Nothing},
    {"ProxyRefusesEmptyPort",
     Nothing,
     R"(click "Proxy:"
        set "Address:" "proxy.example")",
     {"Please enter port for Proxy"},
     Nothing},
    {"SystemProxyNeedsNoAddress",
     [](HandlerConfig& c) { c.UseIEProxy = false; },
     R"(click "System default proxy setting")",
     {},
     [](HandlerConfig& c) { c.UseIEProxy = true; }},
    {"RateOfZeroAccepted",
     Nothing,
     R"(set "Max Messages Per Sec.:" "0")",
     {},
     [](HandlerConfig& c) { c.MaxMessagePerSec = 0; }},
    {"NegativeRateWithBlanksAccepted",
     Nothing,
     R"(set "Max Messages Per Sec.:" " -5	")",
     {},
     [](HandlerConfig& c) { c.MaxMessagePerSec = -5; }},
    {"RateOfLettersRefusedBeforeAnyOtherCheck",
     [](HandlerConfig& c) { c.SID = ""; },
     R"(set "Max Messages Per Sec.:" "abc")",
     {"\"Max Messages Per Sec.\" takes a whole number from -2147483648 to 2147483647."},
     Nothing},
    {"EmptyRateRefused",
     Nothing,
     R"(set "Max Messages Per Sec.:" "")",
     {"\"Max Messages Per Sec.\" takes a whole number from -2147483648 to 2147483647."},
     Nothing},
    {"SenderCompIDOfBlanksRefused",
     Nothing,
     R"(set "SenderCompID:" "  ")",
     {"SenderCompID can not be empty"},
     Nothing},
    {"TargetCompIDRefusedAfterSender",
     Nothing,
     R"(set "TargetCompID:" "")",
     {"TargetCompID can not be empty"},
     Nothing},
    {"IdentitiesAreTrimmedCredentialsAreNot",
     Nothing,
     R"(set "SenderCompID:" "  BANK02 "
        set "TargetCompID:" "	KEL2"
        set "Username:" " user "
        set "Password:" " secret ")",
     {},
     [](HandlerConfig& c) {
       c.SID = "BANK02";
       c.TID = "KEL2";
       c.Username = " user ";
       c.Password = " secret ";
     }},
    {"OnlyTheFirstFailingCheckIsReported",
     [](HandlerConfig& c) { c.SID = ""; },
     R"(click "User-defined URL:"
        click "Proxy:")",
     {"User-defined [Host URL] can not be empty"},
     Nothing},
};

class HandlerPageSave : public PageFixture, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(HandlerPageSave, AppliesTheChecksInOrder) {
  const SaveCase& c = GetParam();
  HandlerConfig opened = Acceptable();
  c.opened(opened);
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(opened));

  const bool accepted = RunSheet(page, std::string(c.script) + "\nok\n");

  EXPECT_EQ(Messages(), c.messages);
  EXPECT_EQ(accepted, c.messages.empty());
  HandlerConfig expected = opened;
  if (accepted) c.saved(expected);
  EXPECT_EQ(page.GetConfig(), expected) << (accepted ? "saved" : "a refused save wrote to it");
}

INSTANTIATE_TEST_SUITE_P(HandlerPage, HandlerPageSave, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

using HandlerPage = PageFixture;

TEST_F(HandlerPage, RefusalsAreWarningsCaptionedWithTheApplicationName) {
  HandlerConfig opened;
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(opened));
  EXPECT_FALSE(RunSheet(page, "ok\n"));
  ASSERT_EQ(Backend().Messages().size(), 1u);
  const MessageBoxRequest& box = Backend().Messages()[0].request;
  EXPECT_EQ(box.text, "SenderCompID can not be empty");
  EXPECT_EQ(box.caption, AfxGetAppName());
  EXPECT_EQ(box.Icon(), MessageIcon::Warning);
  EXPECT_EQ(box.Buttons(), MB_OK);
}

TEST_F(HandlerPage, OpensWithTheRecordsValuesAndEnabledStates) {
  HandlerConfig opened = Acceptable();
  opened.EnableDefaultURL = false;
  opened.EnableTestEnv = true;
  opened.UserDefinedHostURL = "host";
  opened.ProxyAddr = "proxy";
  opened.ProxyPort = "3128";
  opened.UseIEProxy = false;
  opened.Password = "pw";
  opened.MaxMessagePerSec = 12;
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(opened));
  ASSERT_TRUE(page.Create());
  const ScriptedWindow& w = *Backend().FindWindow(kelo::IDD_KELO_HANDCFG);

  EXPECT_EQ(w.Control(kelo::IDC_HOST_URL).text, "host");
  EXPECT_EQ(w.Control(kelo::IDC_PROXY_ADDR).text, "proxy");
  EXPECT_EQ(w.Control(kelo::IDC_PROXY_PORT).text, "3128");
  EXPECT_EQ(w.Control(kelo::IDC_PASSWORD).text, "pw");
  EXPECT_EQ(w.Control(kelo::IDC_SENDER_COMP_ID).text, "BANK01");
  EXPECT_EQ(w.Control(kelo::IDC_MAX_MSG_PER_SEC).text, "12");
  // User-defined URL: its five boxes open, the built-in choices shut but still marked.
  for (int id : {kelo::IDC_HOST_URL, kelo::IDC_URL_TEST_REQ, kelo::IDC_URL_USER_REQ,
                 kelo::IDC_URL_BNCHMK_SUB_REQ, kelo::IDC_URL_BNCHMK_RPT_REQ})
    EXPECT_TRUE(w.IsEnabled(id)) << id;
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_RADIO_PRODUCTION));
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_RADIO_TESTING));
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_DEFAULT_URL), BST_UNCHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_USER_URL), BST_CHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_PRODUCTION), BST_UNCHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_TESTING), BST_CHECKED);
  // Proxy enabled with an explicit address.
  EXPECT_EQ(w.Check(kelo::IDC_ENABLE_PROXY), BST_CHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_SYSTEM_PROXY), BST_UNCHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_PROXY), BST_CHECKED);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_PROXY_ADDR));
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_PROXY_PORT));
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_HOLIDAY_SETTING)) << "no holiday suppression";
}

// A stored password the record could not read is kept, and the empty box says so
// with a hint that is never its text; a password read, or none, shows no hint.
TEST_F(HandlerPage, AnUnreadStoredPasswordIsShownAsKeptByAHint) {
  struct Case {
    const char* password;
    bool unread;
    bool hint;
  };
  for (const Case c : {Case{"", true, true}, Case{"pw", false, false}, Case{"", false, false}}) {
    SCOPED_TRACE(std::to_string(c.unread) + c.password);
    HandlerConfig opened = Acceptable();
    opened.Password = c.password;
    if (c.unread) opened.UnreadPassword.emplace().SetValue(std::string("clear text"));
    CKELODlgHandCfg page(std::make_unique<HandlerConfig>(opened));
    ASSERT_TRUE(page.Create());
    const ScriptedControl& box =
        Backend().FindWindow(kelo::IDD_KELO_HANDCFG)->Control(kelo::IDC_PASSWORD);
    EXPECT_EQ(box.text, c.password);
    EXPECT_EQ(!box.cue.empty(), c.hint) << box.cue;
    EXPECT_EQ(box.cue.find("clear"), std::string::npos);
  }
}

TEST_F(HandlerPage, ClicksKeepEnabledStatesInStep) {
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(Acceptable()));
  ASSERT_TRUE(page.Create());
  ScriptedWindow& w = *Backend().FindWindow(kelo::IDD_KELO_HANDCFG);
  // Defaults: built-in production endpoint, system proxy.
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_DEFAULT_URL), BST_CHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_PRODUCTION), BST_CHECKED);
  for (int id : {kelo::IDC_HOST_URL, kelo::IDC_URL_TEST_REQ, kelo::IDC_URL_USER_REQ,
                 kelo::IDC_URL_BNCHMK_SUB_REQ, kelo::IDC_URL_BNCHMK_RPT_REQ})
    EXPECT_FALSE(w.IsEnabled(id)) << id;
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_SYSTEM_PROXY), BST_CHECKED);
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_PROXY_ADDR));

  w.UserClick(kelo::IDC_RADIO_USER_URL);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_DEFAULT_URL), BST_UNCHECKED);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_URL_TEST_REQ));
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_RADIO_PRODUCTION));
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_PRODUCTION), BST_CHECKED) << "the mark stays while disabled";
  w.UserClick(kelo::IDC_RADIO_DEFAULT_URL);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_USER_URL), BST_UNCHECKED);
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_URL_TEST_REQ));
  w.UserClick(kelo::IDC_RADIO_TESTING);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_PRODUCTION), BST_UNCHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_TESTING), BST_CHECKED);

  w.UserClick(kelo::IDC_RADIO_PROXY);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_PROXY_ADDR));
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_PROXY_PORT));
  w.UserClick(kelo::IDC_ENABLE_PROXY);  // proxy off
  for (int id : {kelo::IDC_RADIO_SYSTEM_PROXY, kelo::IDC_RADIO_PROXY, kelo::IDC_PROXY_ADDR,
                 kelo::IDC_PROXY_PORT})
    EXPECT_FALSE(w.IsEnabled(id)) << id;
  w.UserClick(kelo::IDC_ENABLE_PROXY);  // on again: the explicit proxy chosen last comes back
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_PROXY), BST_CHECKED);
  EXPECT_EQ(w.Check(kelo::IDC_RADIO_SYSTEM_PROXY), BST_UNCHECKED);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_PROXY_ADDR));

  w.UserClick(kelo::IDC_BANK_HOLIDAY);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_HOLIDAY_SETTING));
  w.UserClick(kelo::IDC_BANK_HOLIDAY);
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_HOLIDAY_SETTING));
}

TEST_F(HandlerPage, LaterLoadsKeepTheWorkingCopy) {
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(Acceptable()));
  ASSERT_TRUE(page.Create());
  ScriptedWindow& w = *Backend().FindWindow(kelo::IDD_KELO_HANDCFG);
  w.UserClick(kelo::IDC_BANK_HOLIDAY);
  ASSERT_TRUE(page.UpdateData(false));
  EXPECT_EQ(w.Check(kelo::IDC_BANK_HOLIDAY), BST_CHECKED) << "the record was read again";
}

TEST_F(HandlerPage, UnmarkingHolidaysKeepsTheTable) {
  HandlerConfig opened = Acceptable();
  opened.EnableBankHoliday = true;
  opened.CurrencyTable.EnsureCurrency("GBP");
  ASSERT_TRUE(opened.CurrencyTable.AddHoliday("GBP", 2024, 12, 25, "Christmas Day"));
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(opened));
  ASSERT_TRUE(RunSheet(page, "check \"Suppress output during bank holiday\" off\nok\n"));
  EXPECT_FALSE(page.GetConfig().EnableBankHoliday);
  EXPECT_EQ(page.GetConfig().CurrencyTable, opened.CurrencyTable);
}

}  // namespace

namespace {

struct HolidayCase {
  const char* name;
  const char* script;
  bool tableChanged;
};

void PrintTo(const HolidayCase& c, std::ostream* os) { *os << c.name; }

// The holiday dialog is played by the lines after the click; its OK hands the table
// to the page, and the sheet's OK to the record.
const HolidayCase kHolidayCases[] = {
    {"AddedYearReachesTheRecord",
     R"(click "Holiday setting"
        select 12065 GBP
        year 12071 2024
        click "Add holiday of year"
        ok
        ok)",
     true},
    {"CancelledDialogKeepsTheTable",
     R"(click "Holiday setting"
        select 12065 GBP
        year 12071 2024
        click "Add holiday of year"
        cancel
        ok)",
     false},
    {"CancelledSheetKeepsTheRecord",
     R"(click "Holiday setting"
        select 12065 GBP
        year 12071 2024
        click "Add holiday of year"
        ok
        cancel)",
     false},
};

class HandlerPageHolidays : public PageFixture,
                            public ::testing::WithParamInterface<HolidayCase> {};

TEST_P(HandlerPageHolidays, DialogWorksOnACopy) {
  HandlerConfig opened = Acceptable();
  opened.EnableBankHoliday = true;
  opened.CurrencyTable.EnsureCurrency("USD");
  ASSERT_TRUE(opened.CurrencyTable.AddHoliday("USD", 2024, 7, 4, "Independence Day"));
  CKELODlgHandCfg page(std::make_unique<HandlerConfig>(opened));

  RunSheet(page, GetParam().script);

  const kelo::HolidayTable& table = page.GetConfig().CurrencyTable;
  if (!GetParam().tableChanged) {
    EXPECT_EQ(table, opened.CurrencyTable);
    return;
  }
  ASSERT_NE(table.Find("GBP"), nullptr);
  EXPECT_EQ(table.Find("GBP")->size(), 112u);
  EXPECT_EQ(table.Find("GBP")->at("2024-12-25"), "Christmas Day");
  EXPECT_EQ(table.Find("USD")->size(), 1u);
  EXPECT_NE(table.Find("EUR"), nullptr) << "the dialog lists the standard currencies";
}

INSTANTIATE_TEST_SUITE_P(HandlerPage, HandlerPageHolidays, ::testing::ValuesIn(kHolidayCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
