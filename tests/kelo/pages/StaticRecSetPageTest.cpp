#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/pages/CKELODlgStaticRecSetCfg.h"
#include "kelo/pages/ResourceIds.h"
#include "tests/kelo/pages/PageFixture.h"

namespace {

using kelo::CKELODlgStaticRecSetCfg;
using kelo::CKELOStaticRecSetConfig;

// A record that a plain OK accepts.
CKELOStaticRecSetConfig Acceptable() {
  CKELOStaticRecSetConfig c;
  c.PartyID = "P1";
  c.PartyIDSource = "D";
  c.PartyRole = "30";
  c.Currency = "EUR";
  c.SecurityID = "EURIBOR3M";
  c.SecurityIDSource = "8";
  return c;
}

// Every field, for comparing and printing records.
auto Fields(const CKELOStaticRecSetConfig& c) {
  return std::tuple(c.PartyID, c.PartyIDSource, c.PartyRole, c.Currency, c.SecurityID,
                    c.SecurityIDSource, c.FileLocation, c.FullCurveInSub, c.WriteResponseToFile,
                    c.DisableOptimisation, c.OptimiseInitialImage, c.SuppressInitOutput);
}

using Change = std::function<void(CKELOStaticRecSetConfig&)>;
void Nothing(CKELOStaticRecSetConfig&) {}

struct SaveCase {
  const char* name;
  Change opened;
  const char* script;
  std::vector<std::string> messages;  // none: the sheet is accepted
  Change saved;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

const SaveCase kSaveCases[] = {
    {"NewRecordSetStoresTheOnlyChoices",
     [](CKELOStaticRecSetConfig& c) { c.PartyIDSource = c.PartyRole = c.SecurityIDSource = ""; },
     "",
     {},
     Nothing},
    {"CodeDifferingInCaseIsKeptAsTyped",
     [](CKELOStaticRecSetConfig& c) { c.PartyIDSource = "d"; },
     "",
     {},
     Nothing},
    {"PartyRoleKeepsItsBlanks",
     Nothing,
     R"(set "Party Role:" " 31 ")",
     {},
     [](CKELOStaticRecSetConfig& c) { c.PartyRole = " 31 "; }},
    {"SecurityIDSourceIsTrimmed",
     Nothing,
     R"(set "Security ID Source:" " 5	")",
     {},
     [](CKELOStaticRecSetConfig& c) { c.SecurityIDSource = "5"; }},
    {"TextFieldsAreTrimmed",
     Nothing,
     R"(set "Party ID:" " P2 "
        set "Currency:" " GBP"
        set "Security ID:" "SONIA ")",
     {},
     [](CKELOStaticRecSetConfig& c) {
       c.PartyID = "P2";
       c.Currency = "GBP";
       c.SecurityID = "SONIA";
     }},
    {"PartyIDOfBlanksRefused",
     Nothing,
     R"(set "Party ID:" "  ")",
     {"Party ID is free form field but can not be empty"},
     Nothing},
    {"CurrencyOfBlanksRefused",
     Nothing,
     R"(set "Currency:" "	")",
     {"Currency can not be empty"},
     Nothing},
    {"SecurityIDOfBlanksRefused",
     Nothing,
     R"(set "Security ID:" " ")",
     {"Security ID can not be empty"},
     Nothing},
    {"EmptyPartyIDSourceRefused",
     Nothing,
     R"(set "Party ID Source:" "")",
     {"Party ID Source can not be empty"},
     Nothing},
    {"EmptyPartyRoleRefused",
     Nothing,
     R"(set "Party Role:" "")",
     {"Party Role can not be empty"},
     Nothing},
    {"SecurityIDSourceOfBlanksRefused",
     Nothing,
     R"(set "Security ID Source:" "   ")",
     {"Security ID Source can not be empty"},
     Nothing},
    {"ChecksRunInOrder",
     [](CKELOStaticRecSetConfig& c) { c.PartyID = c.Currency = ""; },
     R"(set "Security ID Source:" "")",
     {"Party ID is free form field but can not be empty"},
     Nothing},
    {"UnusedFileLocationIsStoredUntrimmed",
     [](CKELOStaticRecSetConfig& c) { c.FileLocation = " old.csv "; },
     "",
     {},
     Nothing},
    {"ResponseFileNeedsALocation",
     Nothing,
     R"(check "Write response Benchmark Report to CSV file" on
        set "File Location:" "  ")",
     {"Please specify a file location for Response"},
     Nothing},
    {"ResponseFileLocationIsTrimmed",
     Nothing,
     R"(check "Write response Benchmark Report to CSV file" on
        set "File Location:" " /data/rpt.csv ")",
     {},
     [](CKELOStaticRecSetConfig& c) {
       c.WriteResponseToFile = true;
       c.FileLocation = "/data/rpt.csv";
     }},
    {"SwitchesStoreTheirMarks",
     Nothing,
     R"(check "Submissions with full curve" off
        check "Disable Optimisation" on
        check "Optimise Inital Image" off
        check "Suppress Initial Output" off)",
     {},
     [](CKELOStaticRecSetConfig& c) {
       c.FullCurveInSub = false;
       c.DisableOptimisation = true;
       c.OptimiseInitialImage = false;
       c.SuppressInitOutput = false;
     }},
    {"InitialImageMarkIsStoredWhileDisabled",
     [](CKELOStaticRecSetConfig& c) {
       c.DisableOptimisation = true;
       c.OptimiseInitialImage = false;
     },
     R"(check "Disable Optimisation" off)",
     {},
     [](CKELOStaticRecSetConfig& c) { c.DisableOptimisation = false; }},
};

class StaticPageSave : public PageFixture, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(StaticPageSave, AppliesTheChecksInOrder) {
  const SaveCase& c = GetParam();
  CKELOStaticRecSetConfig opened = Acceptable();
  c.opened(opened);
  CKELODlgStaticRecSetCfg page(std::make_unique<CKELOStaticRecSetConfig>(opened));

  const bool accepted = RunSheet(page, std::string(c.script) + "\nok\n");

  EXPECT_EQ(Messages(), c.messages);
  EXPECT_EQ(accepted, c.messages.empty());
  CKELOStaticRecSetConfig expected = opened;
  if (accepted) {
    // Empty choices come back as the only code each list offers.
    if (expected.PartyIDSource.empty()) expected.PartyIDSource = "D";
    if (expected.PartyRole.empty()) expected.PartyRole = "30";
    if (expected.SecurityIDSource.empty()) expected.SecurityIDSource = "8";
    c.saved(expected);
  }
  EXPECT_EQ(Fields(page.GetConfig()), Fields(expected))
      << (accepted ? "saved" : "a refused save wrote to it");
}

INSTANTIATE_TEST_SUITE_P(StaticPage, StaticPageSave, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

using StaticPage = PageFixture;

TEST_F(StaticPage, ChoiceListsShowCodeAndNameAndSelectTheStoredCode) {
  CKELOStaticRecSetConfig opened = Acceptable();
  opened.PartyIDSource = "";  // new: the only entry is chosen
  opened.PartyRole = "31";    // not in the list: typed text, nothing selected
  CKELODlgStaticRecSetCfg page(std::make_unique<CKELOStaticRecSetConfig>(opened));
  ASSERT_TRUE(page.Create());
  const ScriptedWindow& w = *Backend().FindWindow(kelo::IDD_KELO_STATICRECSET);

  EXPECT_EQ(w.Items(kelo::IDC_PARTY_ID_SOURCE),
            std::vector<std::string>{"D - Proprietary/Custom code"});
  EXPECT_EQ(w.Items(kelo::IDC_PARTY_ROLE), std::vector<std::string>{"30 - Agent"});
  EXPECT_EQ(w.Items(kelo::IDC_SECURITY_ID_SOURCE), std::vector<std::string>{"8 - Exchange Symbol"});
  EXPECT_EQ(w.Selection(kelo::IDC_PARTY_ID_SOURCE), 0);
  EXPECT_EQ(w.Selection(kelo::IDC_PARTY_ROLE), -1);
  EXPECT_EQ(w.Text(kelo::IDC_PARTY_ROLE), "31");
  EXPECT_EQ(w.Selection(kelo::IDC_SECURITY_ID_SOURCE), 0);
  EXPECT_EQ(w.ItemData(kelo::IDC_SECURITY_ID_SOURCE, 0), 0u);
}

TEST_F(StaticPage, ResponseFileAndOptimisationSwitchesEnableTheirControls) {
  CKELODlgStaticRecSetCfg page(std::make_unique<CKELOStaticRecSetConfig>(Acceptable()));
  ASSERT_TRUE(page.Create());
  ScriptedWindow& w = *Backend().FindWindow(kelo::IDD_KELO_STATICRECSET);
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_FILE_LOCATION));
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_BROWSE));
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_OPTIMISE_INITIAL_IMAGE));
  EXPECT_EQ(w.Check(kelo::IDC_OPTIMISE_INITIAL_IMAGE), BST_CHECKED);

  w.UserClick(kelo::IDC_WRITE_RESPONSE);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_FILE_LOCATION));
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_BROWSE));
  w.UserClick(kelo::IDC_DISABLE_OPTIMISATION);
  EXPECT_TRUE(w.IsEnabled(kelo::IDC_OPTIMISE_INITIAL_IMAGE));
  w.UserClick(kelo::IDC_OPTIMISE_INITIAL_IMAGE);
  w.UserClick(kelo::IDC_DISABLE_OPTIMISATION);
  EXPECT_FALSE(w.IsEnabled(kelo::IDC_OPTIMISE_INITIAL_IMAGE));
  EXPECT_EQ(w.Check(kelo::IDC_OPTIMISE_INITIAL_IMAGE), BST_UNCHECKED)
      << "the mark stays as the user left it";
}

TEST_F(StaticPage, BrowseAsksForACsvFile) {
  CKELOStaticRecSetConfig opened = Acceptable();
  opened.WriteResponseToFile = true;
  opened.FileLocation = "/old.csv";
  CKELODlgStaticRecSetCfg page(std::make_unique<CKELOStaticRecSetConfig>(opened));
  ASSERT_TRUE(RunSheet(page, R"(click "&Browse..."
                                file /data/report
                                ok)"));

  ASSERT_EQ(Backend().FileRequests().size(), 1u);
  const FileChooserRequest& request = Backend().FileRequests()[0];
  EXPECT_TRUE(request.open);
  EXPECT_EQ(request.defaultExtension, "csv");
  EXPECT_EQ(request.initialFileName, "*.csv");
  EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_OVERWRITEPROMPT);
  EXPECT_EQ(request.filters, (std::vector<FileFilter>{{"CSV Files (*.csv)", {"*.csv"}}}));
  EXPECT_EQ(page.GetConfig().FileLocation, "/data/report.csv");
}

TEST_F(StaticPage, CancelledChooserLeavesTheLocation) {
  CKELOStaticRecSetConfig opened = Acceptable();
  opened.WriteResponseToFile = true;
  opened.FileLocation = "/old.csv";
  CKELODlgStaticRecSetCfg page(std::make_unique<CKELOStaticRecSetConfig>(opened));
  ASSERT_TRUE(page.Create());
  ScriptedWindow& w = *Backend().FindWindow(kelo::IDD_KELO_STATICRECSET);
  Backend().Load("cancel\n");
  w.UserClick(kelo::IDC_BROWSE);
  EXPECT_EQ(w.Text(kelo::IDC_FILE_LOCATION), "/old.csv");
  EXPECT_EQ(Backend().FileRequests().size(), 1u);
}

}  // namespace
