#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/pages/CKELODlgDynRecSetConfig.h"
#include "kelo/pages/ResourceIds.h"
#include "tests/kelo/pages/PageFixture.h"

namespace {

using kelo::CKELODlgDynRecSetConfig;
using kelo::CKELODynRecSetConfig;

struct SaveCase {
  const char* name;
  const char* opened;  // SecurityID of the record the page opens with
  const char* script;
  const char* message;  // null: accepted
  const char* saved;    // SecurityID after the sheet
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

const SaveCase kSaveCases[] = {
    {"TypedIdIsTrimmed", "OLD", R"(set "Security ID:" "  SONIA	")", nullptr, "SONIA"},
    {"UnchangedIdIsKept", "OLD", "", nullptr, "OLD"},
    {"NewRecordSetNeedsAnId", "", "", "Security ID can not be empty", ""},
    {"IdOfBlanksRefused", "OLD", R"(set "Security ID:" "   ")", "Security ID can not be empty",
     "OLD"},
};

class DynamicPageSave : public PageFixture, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(DynamicPageSave, RequiresASecurityId) {
  const SaveCase& c = GetParam();
  auto record = std::make_unique<CKELODynRecSetConfig>();
  record->SecurityID = c.opened;
  record->FullCurveInSub = false;
  CKELODlgDynRecSetConfig page(std::move(record));

  const bool accepted = RunSheet(page, std::string(c.script) + "\nok\n");

  EXPECT_EQ(accepted, c.message == nullptr);
  EXPECT_EQ(Messages(),
            c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  EXPECT_EQ(page.GetConfig().SecurityID, c.saved);
  EXPECT_FALSE(page.GetConfig().FullCurveInSub) << "the page never touches the flag";
}

INSTANTIATE_TEST_SUITE_P(DynamicPage, DynamicPageSave, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

using DynamicPage = PageFixture;

TEST_F(DynamicPage, OpensWithTheRecordsSecurityId) {
  auto record = std::make_unique<CKELODynRecSetConfig>();
  record->SecurityID = "ESTR";
  CKELODlgDynRecSetConfig page(std::move(record));
  EXPECT_EQ(page.GetCaption(), "KELO Dynamic Recordset Configuration");
  ASSERT_TRUE(page.Create());
  EXPECT_EQ(Backend().FindWindow(kelo::IDD_KELO_DYNRECSET)->Text(kelo::IDC_SECURITY_ID), "ESTR");
}

}  // namespace
