#include <gtest/gtest.h>

#include <climits>

#include "tests/host/ui/TestDialogs.h"

namespace uitest {
namespace {

class DataExchangeTest : public ScriptedUiTest {};

TEST_F(DataExchangeTest, AnIntegerIsADecimalNumberWithOptionalSignAndBlanks) {
  struct Case {
    const char* text;
    bool accepted;
    int value;
  };
  const Case cases[] = {
      {"42", true, 42},
      {" 42 ", true, 42},
      {"\t-7\t", true, -7},
      {"+5", true, 5},
      {"0", true, 0},
      {"-2147483648", true, INT_MIN},
      {"2147483647", true, INT_MAX},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"abc", false, 0},
      {"4 2", false, 0},
      {"- 4", false, 0},
      {"+-4", false, 0},
      {"0x10", false, 0},
      {"1.5", false, 0},
      {"12abc", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    MainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SetDlgItemText(kCount, c.text);
    dialog.count = 99;
    const std::size_t messagesBefore = backend().Messages().size();

    EXPECT_EQ(dialog.UpdateData(true), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(dialog.count, c.value);
      EXPECT_EQ(backend().Messages().size(), messagesBefore);
    } else {
      EXPECT_EQ(dialog.count, 99);
      ASSERT_EQ(backend().Messages().size(), messagesBefore + 1);
      const MessageBoxRequest& shown = backend().Messages().back().request;
      EXPECT_EQ(shown.text, "\"Count\" takes a whole number from -2147483648 to 2147483647.");
      EXPECT_EQ(shown.Icon(), MessageIcon::Warning);
      EXPECT_EQ(backend().FindWindow(kMainDialog)->FocusedControl(), kCount);
    }
  }
}

TEST_F(DataExchangeTest, ARefusedSaveKeepsTheDialogOpenUntilTheInputIsFixed) {
  MainDialog dialog;
  dialog.count = 1;
  backend().Load(
      "set \"Count:\" abc\n"
      "ok\n"
      "expect-message \"\\\"Count\\\" takes a whole number from -2147483648 to 2147483647.\"\n"
      "set \"Count:\" 5\n"
      "set \"Name:\" Ann\n"
      "check \"Enabled\" on\n"
      "ok\n");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.count, 5);
  EXPECT_EQ(dialog.name, "Ann");
  EXPECT_TRUE(dialog.enabled);
  EXPECT_EQ(MessageTexts().size(), 1u);
  EXPECT_FALSE(dialog.HasWindow());
}

TEST_F(DataExchangeTest, TheLoadPutsMembersIntoControls) {
  MainDialog dialog;
  dialog.name = "Bob";
  dialog.count = -3;
  dialog.enabled = true;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.GetDlgItemText(kName), "Bob");
  EXPECT_EQ(dialog.GetDlgItemText(kCount), "-3");
  EXPECT_EQ(dialog.IsDlgButtonChecked(kEnabled), BST_CHECKED);
}

class ListStringDialog : public CDialogEx {
 public:
  ListStringDialog() : CDialogEx(kMainDialog) {}
  std::string selected;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_LBString(pDX, kSortedList, selected);
    DDX_CBString(pDX, kEditCombo, selected);
  }
};

TEST_F(DataExchangeTest, ListAndComboStringsFollowTheSelection) {
  ListStringDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CListBox list;
  CComboBox combo;
  list.SubclassDlgItem(kSortedList, dialog);
  combo.SubclassDlgItem(kEditCombo, dialog);
  for (const char* text : {"BENCHMARK_PRICE", "PARTY_ID", "PARTY_ROLE"}) {
    list.AddString(text);
    combo.AddString(text);
  }

  dialog.selected = "";  // nothing to select
  dialog.UpdateData(false);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  dialog.selected = "party";  // the first entry that begins with it, any case
  dialog.UpdateData(false);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  dialog.selected = "free text";  // a combo box with a text field takes it as it is
  dialog.UpdateData(false);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(combo.GetWindowText(), "free text");

  list.SetCurSel(2);
  ASSERT_TRUE(dialog.UpdateData(true));
  EXPECT_EQ(dialog.selected, "free text");  // the combo box is exchanged last
  list.SetCurSel(-1);
  combo.SetCurSel(-1);
  ASSERT_TRUE(dialog.UpdateData(true));
  EXPECT_EQ(dialog.selected, "");
}

TEST_F(DataExchangeTest, MessageBoxesGetTheirCaptionAndIcon) {
  AfxMessageBox("plain");
  AfxMessageBox("question", MB_YESNO);
  AfxMessageBox("informed", MB_OK | MB_ICONINFORMATION);
  MainDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.MessageBox("no icon", "Message");
  dialog.MessageBox("default caption");

  const auto& messages = backend().Messages();
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0].request.Icon(), MessageIcon::Warning);
  EXPECT_EQ(messages[0].request.caption, AfxGetAppName());
  EXPECT_EQ(messages[1].request.Icon(), MessageIcon::Question);
  EXPECT_EQ(messages[1].answer, IDYES);
  EXPECT_EQ(messages[2].request.Icon(), MessageIcon::Information);
  EXPECT_EQ(messages[3].request.Icon(), MessageIcon::None);
  EXPECT_EQ(messages[3].request.caption, "Message");
  EXPECT_EQ(messages[4].request.caption, AfxGetAppName());
}

TEST(FileFilterTest, ParsesDescriptionAndPatternPairs) {
  EXPECT_EQ(ParseFileFilter("CSV Files (*.csv)|*.csv|"),
            (std::vector<FileFilter>{{"CSV Files (*.csv)", {"*.csv"}}}));
  EXPECT_EQ(ParseFileFilter("Text|*.txt;*.log|All|*.*||ignored|*.x"),
            (std::vector<FileFilter>{{"Text", {"*.txt", "*.log"}}, {"All", {"*.*"}}}));
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("Lonely description").empty());
}

TEST(DateTimeValueTest, ParsesOnlyCalendarDatesInIsoForm) {
  EXPECT_EQ(DateTimeValue::ParseIsoDate("2024-02-29"), DateTimeValue::Date(2024, 2, 29));
  for (const char* bad : {"2023-02-29", "2024-13-01", "2024-00-10", "2024-1-01", "24-01-01",
                          "2024/01/01", "2024-01-01 ", "abcd-ef-gh", ""}) {
    EXPECT_FALSE(DateTimeValue::ParseIsoDate(bad)) << bad;
  }
  EXPECT_EQ(DateTimeValue::Date(987, 3, 4).IsoDate(), "0987-03-04");
}

}  // namespace
}  // namespace uitest
