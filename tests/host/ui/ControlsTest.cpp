#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/host/ui/TestDialogs.h"
#include "ui/scripted/UserActionError.h"

namespace uitest {
namespace {

class ControlsTest : public ScriptedUiTest {
 protected:
  ControlsTest() {
    EXPECT_TRUE(dialog.Create());
    window = backend().FindWindow(kMainDialog);
    EXPECT_NE(window, nullptr);
  }

  template <class Control>
  Control& Bind(Control& control, int id) {
    control.SubclassDlgItem(id, dialog);
    return control;
  }

  MainDialog dialog;
  ScriptedWindow* window = nullptr;
};

TEST_F(ControlsTest, ValuesSetFromCodeDoNotNotifyButTheUsersActionsDo) {
  CListBox list;
  CComboBox combo;
  CListCtrl rows;
  Bind(list, kSortedList).AddString("a");
  list.SetCurSel(0);
  Bind(combo, kEditCombo).AddString("x");
  combo.SetCurSel(0);
  combo.SetWindowText("typed");
  Bind(rows, kRows).InsertItem(0, "r");
  rows.SetItemSelected(0, true);
  dialog.SetDlgItemText(kName, "Bob");
  dialog.CheckDlgButton(kEnabled, BST_CHECKED);
  EXPECT_TRUE(dialog.log.empty());

  window->UserSetText(kName, "Ann");
  window->UserClick(kEnabled);
  window->UserSelectItem(kSortedList, 0);
  window->UserSelectItem(kSortedList, 0);
  window->UserSetText(kEditCombo, "x");
  window->UserSelectItem(kEditCombo, -1);
  window->UserSelectRows(kRows, std::vector<int>{0});
  window->UserPickDate(kDate, DateTimeValue::Date(2024, 1, 2));
  EXPECT_EQ(dialog.log,
            (std::vector<std::string>{"name changed", "enabled clicked", "sorted selchange",
                                      "sorted selchange", "combo edit", "combo selchange",
                                      "rows changed", "date changed"}));
}

TEST_F(ControlsTest, AListBoxWithoutNotifyStyleStaysQuiet) {
  CListBox list;
  Bind(list, kQuietList).AddString("only");
  window->UserSelectItem(kQuietList, 0);
  EXPECT_TRUE(dialog.log.empty());
  EXPECT_EQ(list.GetCurSel(), 0);
}

TEST_F(ControlsTest, ASortedListBoxOrdersByteWiseAndSearchesIgnoringCase) {
  CListBox list;
  Bind(list, kSortedList);
  for (const char* text : {"USD", "EUR", "GBP", "eur"}) list.AddString(text);
  EXPECT_EQ(window->Items(kSortedList), (std::vector<std::string>{"EUR", "GBP", "USD", "eur"}));

  EXPECT_EQ(list.FindString(-1, "g"), 1);
  EXPECT_EQ(list.FindString(0, "e"), 3);  // searches after the start, then wraps
  EXPECT_EQ(list.FindString(3, "e"), 0);
  EXPECT_EQ(list.FindStringExact(-1, "usd"), 2);
  EXPECT_EQ(list.FindStringExact(-1, "US"), LB_ERR);
  EXPECT_EQ(list.SelectString(-1, "Gb"), 1);
  EXPECT_EQ(list.GetText(list.GetCurSel()), "GBP");
  EXPECT_EQ(list.SelectString(-1, "CHF"), LB_ERR);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(list.SetCurSel(9), LB_ERR);
  EXPECT_EQ(list.DeleteString(1), 3);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  EXPECT_EQ(list.GetText(7), "");
}

TEST_F(ControlsTest, AComboBoxKeepsItemDataAndItsTextFieldInStep) {
  CComboBox combo;
  Bind(combo, kEditCombo);
  const int agent = combo.AddString("30 - Agent");
  combo.SetItemData(agent, 7);
  EXPECT_EQ(combo.GetItemData(agent), 7u);
  EXPECT_EQ(combo.SetItemData(5, 1), CB_ERR);

  combo.SetCurSel(agent);
  EXPECT_EQ(combo.GetWindowText(), "30 - Agent");
  combo.SetWindowText("31");
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(combo.GetWindowText(), "31");
  combo.SetWindowText("30 - Agent");
  EXPECT_EQ(combo.GetCurSel(), agent);

  CComboBox list;
  Bind(list, kDropList).AddString("only");
  list.SetWindowText("other");  // a drop-down list has no text of its own
  EXPECT_EQ(list.GetWindowText(), "");
  EXPECT_THROW(window->UserSetText(kDropList, "x"), UserActionError);
}

TEST_F(ControlsTest, ClicksMarkButtonsByTheirKindAndGroup) {
  struct Step {
    int click;
    std::vector<int> marked;  // A, B, C, D, plain, check box
  };
  const Step steps[] = {
      {kAutoA, {1, 0, 0, 0, 0, 0}},   {kAutoB, {0, 1, 0, 0, 0, 0}}, {kAutoD, {0, 1, 0, 1, 0, 0}},
      {kAutoC, {0, 1, 1, 0, 0, 0}},   {kPlain, {0, 1, 1, 0, 0, 0}}, {kEnabled, {0, 1, 1, 0, 0, 1}},
      {kEnabled, {0, 1, 1, 0, 0, 0}},
  };
  for (const Step& step : steps) {
    window->UserClick(step.click);
    std::vector<int> marked;
    for (int id : {kAutoA, kAutoB, kAutoC, kAutoD, kPlain, kEnabled}) {
      marked.push_back(dialog.IsDlgButtonChecked(id));
    }
    EXPECT_EQ(marked, step.marked) << "after a click on " << step.click;
  }
  // Marks set from code never clear the rest of a group.
  dialog.CheckDlgButton(kAutoA, BST_CHECKED);
  EXPECT_EQ(dialog.IsDlgButtonChecked(kAutoB), BST_CHECKED);
}

TEST_F(ControlsTest, AHandlerThatThrowsIsReportedInAnErrorBox) {
  window->UserClick(kPlain);
  ASSERT_EQ(backend().Messages().size(), 1u);
  EXPECT_EQ(backend().Messages()[0].request.text, "the plain button broke");
  EXPECT_EQ(backend().Messages()[0].request.Icon(), MessageIcon::Error);
}

TEST_F(ControlsTest, ASortedListViewInsertsFindsAndRemovesRows) {
  CListCtrl rows;
  Bind(rows, kRows);
  EXPECT_EQ(rows.InsertColumn(0, "Date", LVCFMT_LEFT, 100), 0);
  EXPECT_EQ(rows.InsertColumn(1, "Remark", LVCFMT_LEFT, 125), 1);
  EXPECT_EQ(
      window->Control(kRows).columns,
      (std::vector<ListViewColumn>{{"Date", 100, LVCFMT_LEFT}, {"Remark", 125, LVCFMT_LEFT}}));
  rows.SetExtendedStyle(rows.GetExtendedStyle() | LVS_EX_GRIDLINES);
  EXPECT_EQ(rows.GetExtendedStyle(), LVS_EX_GRIDLINES);

  EXPECT_EQ(rows.InsertItem(5, "2024-05-06"), 0);
  EXPECT_EQ(rows.InsertItem(5, "2024-01-01"), 0);  // the index is ignored when sorted
  EXPECT_TRUE(rows.SetItemText(1, 1, "May Day"));
  EXPECT_FALSE(rows.SetItemText(2, 1, "no such row"));
  rows.InsertItems(std::vector<ListViewRow>{{"2024-12-25", "Christmas"}, {"2024-03-29", "Good"}});
  EXPECT_EQ(rows.GetItemCount(), 4);
  EXPECT_EQ(rows.GetItemText(2, 0), "2024-05-06");
  EXPECT_EQ(rows.GetItemText(2, 1), "May Day");
  EXPECT_EQ(rows.FindItemByPrefix("2024-12"), 3);
  EXPECT_EQ(rows.FindItemByPrefix("2023"), -1);

  window->UserSelectRows(kRows, std::vector<int>{3, 0});
  EXPECT_EQ(rows.GetSelectedCount(), 2);
  EXPECT_EQ(rows.GetSelectedItems(), (std::vector<int>{0, 3}));
  rows.DeleteItems(rows.GetSelectedItems());
  EXPECT_EQ(window->Rows(kRows),
            (std::vector<ListViewRow>{{"2024-03-29", "Good"}, {"2024-05-06", "May Day"}}));
  EXPECT_EQ(rows.GetSelectedCount(), 0);
  EXPECT_TRUE(rows.DeleteAllItems());
  EXPECT_EQ(rows.GetItemCount(), 0);
}

TEST_F(ControlsTest, APickerKeepsItsValueInsideItsRange) {
  CDateTimeCtrl picker;
  Bind(picker, kDate);
  EXPECT_EQ(picker.GetTime(), (DateTimeValue{2024, 5, 8, 9, 30, 0}));
  const DateTimeValue earliest{2010, 1, 1, 0, 0, 0};
  const DateTimeValue latest{2099, 12, 30, 12, 0, 0};
  picker.SetRange(&earliest, &latest);
  picker.SetFormat("yyy");
  EXPECT_EQ(window->Control(kDate).format, "yyy");

  picker.SetTime(DateTimeValue{2099, 12, 31, 0, 0, 0});
  EXPECT_EQ(picker.GetTime(), latest);
  window->UserPickYear(kDate, 2024);  // 30 December, keeping the time of day
  EXPECT_EQ(picker.GetTime(), (DateTimeValue{2024, 12, 30, 12, 0, 0}));
  EXPECT_THROW(window->UserPickYear(kDate, 2009), UserActionError);
  EXPECT_THROW(window->UserPickYear(kDate, 2100), UserActionError);
  EXPECT_THROW(window->UserPickDate(kDate, DateTimeValue::Date(2100, 1, 1)), UserActionError);

  picker.SetTime(DateTimeValue{2024, 2, 29, 8, 0, 0});
  window->UserPickYear(kDate, 2025);
  EXPECT_EQ(picker.GetTime(), (DateTimeValue{2025, 2, 28, 8, 0, 0}));
  picker.SetRange(nullptr, nullptr);
  picker.SetTime(DateTimeValue{1969, 12, 31, 0, 0, 0});
  EXPECT_EQ(picker.GetTime().year, 1969);
}

TEST_F(ControlsTest, TheUserCannotUseADisabledOrReadOnlyControl) {
  EXPECT_THROW(window->UserClick(kDisabled), UserActionError);
  EXPECT_THROW(window->UserSetText(kReadOnly, "x"), UserActionError);
  dialog.GetDlgItem(kName)->EnableWindow(false);
  EXPECT_FALSE(dialog.GetDlgItem(kName)->IsWindowEnabled());
  EXPECT_THROW(window->UserSetText(kName, "x"), UserActionError);
  dialog.GetDlgItem(kDisabled)->EnableWindow(true);
  window->UserClick(kDisabled);
}

TEST_F(ControlsTest, HandlesLapseWhenTheirWindowIsDestroyed) {
  CButton check;
  Bind(check, kEnabled).SetCheck(BST_CHECKED);
  EXPECT_TRUE(check.IsBound());
  EXPECT_EQ(check.GetDlgCtrlID(), kEnabled);
  dialog.DestroyWindow();
  EXPECT_EQ(backend().FindWindow(kMainDialog), nullptr);
  EXPECT_FALSE(check.IsBound());
  EXPECT_THROW(check.SetCheck(BST_UNCHECKED), std::logic_error);
  EXPECT_THROW(dialog.GetDlgItem(kName), std::logic_error);
  CButton unbound;
  EXPECT_THROW(unbound.GetCheck(), std::logic_error);
}

TEST_F(ControlsTest, AnOperationTheControlLacksIsALogicError) {
  EXPECT_THROW(window->AddItem(kRows, "x"), std::logic_error);
  EXPECT_THROW(window->Text(4242), std::logic_error);
  EXPECT_THROW(window->SetCheck(kName, BST_CHECKED), std::logic_error);
}

TEST_F(ControlsTest, ClassesKnowTheirNameAndTheirBases) {
  std::vector<std::string> log;
  const TestPage page(kFirstPage, log);
  EXPECT_STREQ(page.GetRuntimeClass()->m_lpszClassName, "TestPage");
  EXPECT_TRUE(page.IsKindOf(RUNTIME_CLASS(CPropertyPage)));
  EXPECT_TRUE(page.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_FALSE(page.IsKindOf(RUNTIME_CLASS(CDialogEx)));
  // A class without a declaration of its own answers with its nearest base's.
  EXPECT_STREQ(dialog.GetRuntimeClass()->m_lpszClassName, "CDialogEx");
}

}  // namespace
}  // namespace uitest
