#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kelo/pages/CKELODlgFieldChooser.h"
#include "kelo/pages/ResourceIds.h"
#include "tests/kelo/pages/PageFixture.h"

namespace {

using kelo::CKELODlgFieldChooser;

class FieldChooser : public PageFixture {
 protected:
  // Runs the chooser with the script; the dialog's result and the names it listed.
  int Run(CKELODlgFieldChooser& chooser, std::string_view script) {
    Backend().Then([this] {
      listed_ = Backend().FindWindow(kelo::IDD_KELO_FIELDCHOOSER)->Items(kelo::IDC_FIELD_LIST);
    });
    Backend().Load(script);
    return chooser.DoModal();
  }

  std::vector<std::string> listed_;
};

TEST_F(FieldChooser, OffersTheBenchmarkNamesInListOrder) {
  CKELODlgFieldChooser chooser;
  EXPECT_EQ(Run(chooser, "cancel\n"), IDCANCEL);
  EXPECT_EQ(listed_, (std::vector<std::string>{"BENCHMARK_PRICE", "BENCHMARK_PRICE_TYPE",
                                               "BENCHMK_ENABLE_HOLIDAY", "BENCHMK_SUB_REQ_TYPE"}));
}

TEST_F(FieldChooser, FlagAddsThePartyNamesAfterThem) {
  CKELODlgFieldChooser chooser;
  chooser.SetFieldChooser(true);
  Run(chooser, "cancel\n");
  EXPECT_EQ(listed_,
            (std::vector<std::string>{"BENCHMARK_PRICE", "BENCHMARK_PRICE_TYPE",
                                      "BENCHMK_ENABLE_HOLIDAY", "BENCHMK_SUB_REQ_TYPE", "PARTY_ID",
                                      "PARTY_ID_SOURCE", "PARTY_ROLE", "SECURITY_ID_SOURCE"}));
}

TEST_F(FieldChooser, OkWithoutSelectionBeepsAndStaysOpen) {
  CKELODlgFieldChooser chooser;
  int focus = 0;
  bool open = false;
  Backend().Load("ok\n");
  Backend().Then([&] {
    const ScriptedWindow* w = Backend().FindWindow(kelo::IDD_KELO_FIELDCHOOSER);
    open = w != nullptr && !w->HasEnded();
    focus = w ? w->FocusedControl() : 0;
  });
  Backend().Load("select 12020 PARTY_ROLE\nok\n");
  chooser.SetFieldChooser(true);
  EXPECT_EQ(chooser.DoModal(), IDOK);

  EXPECT_TRUE(open);
  EXPECT_EQ(focus, kelo::IDC_FIELD_LIST);
  EXPECT_EQ(Backend().Beeps(), (std::vector<std::pair<unsigned, unsigned>>{{440, 125}}));
  EXPECT_TRUE(Backend().Messages().empty());
  EXPECT_EQ(chooser.GetChosenField(), "PARTY_ROLE");
}

TEST_F(FieldChooser, CancelAfterASelectionGivesTheEmptyName) {
  CKELODlgFieldChooser chooser;
  EXPECT_EQ(Run(chooser, "select 12020 BENCHMARK_PRICE\ncancel\n"), IDCANCEL);
  EXPECT_EQ(chooser.GetChosenField(), "");
  EXPECT_TRUE(Backend().Beeps().empty());
}

}  // namespace
