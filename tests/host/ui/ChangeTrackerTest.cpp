#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/host/ui/TestDialogs.h"
#include "ui/backend/MessageBoxRequest.h"
#include "ui/model/ChangeTracker.h"
#include "ui/model/SafeQuestion.h"

namespace uitest {
namespace {

class ChangeTrackerTest : public ScriptedUiTest {
 protected:
  ChangeTrackerTest() {
    EXPECT_TRUE(dialog.Create());
    window = backend().FindWindow(kMainDialog);
    EXPECT_NE(window, nullptr);
  }

  std::uint64_t Values(ChangeScope scope = ChangeScope::AllValues) const {
    return WindowValues(*window, window->Template(), scope);
  }

  MainDialog dialog;
  ScriptedWindow* window = nullptr;
};

TEST_F(ChangeTrackerTest, EveryValueTheUserCanChangeCountsAndTakingItBackIsNoChange) {
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<void()> undo;
  };
  const Case cases[] = {
      {"a text typed", [&] { window->UserSetText(kName, "Ann"); },
       [&] { window->UserSetText(kName, ""); }},
      {"a mark", [&] { window->UserClick(kEnabled); }, [&] { window->UserClick(kEnabled); }},
      {"a choice of a group", [&] { window->UserClick(kAutoB); },
       [&] { window->SetCheck(kAutoB, BST_UNCHECKED); }},
      {"a row added",
       [&] {
         window->InsertRow(kRows, -1, {"2025-01-01", "New Year"});
       },
       [&] { window->DeleteRows(kRows, std::vector<int>{1}); }},
      {"a remark beside the key", [&] { window->SetCellText(kRows, 0, 1, "other"); },
       [&] { window->SetCellText(kRows, 0, 1, "same"); }},
      {"an item chosen", [&] { window->UserSelectItem(kDropList, 1); },
       [&] { window->SetSelection(kDropList, -1); }},
      {"a date", [&] { window->UserPickDate(kDate, DateTimeValue::Date(2030, 5, 6)); },
       [&] { window->SetDateTime(kDate, DateTimeValue::Date(2024, 1, 1)); }},
  };
  window->AddItem(kDropList, "a");
  window->AddItem(kDropList, "b");
  window->InsertRow(kRows, 0, {"2024-01-01", "same"});
  window->SetDateTime(kDate, DateTimeValue::Date(2024, 1, 1));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ChangeTracker tracker;
    tracker.Shown(Values());
    EXPECT_FALSE(tracker.Changed(Values()));
    c.change();
    EXPECT_TRUE(tracker.Changed(Values()));
    c.undo();
    EXPECT_FALSE(tracker.Changed(Values()));
  }
}

TEST_F(ChangeTrackerTest, ADialogCountsOnlyTheItemsOfItsLists) {
  EXPECT_EQ(ChangeScopeOf(WindowRole::PropertyPage), ChangeScope::AllValues);
  EXPECT_EQ(ChangeScopeOf(WindowRole::ModalDialog), ChangeScope::ListItems);
  window->AddItem(kDropList, "GBP");
  window->AddItem(kDropList, "USD");
  ChangeTracker tracker;
  tracker.Shown(Values(ChangeScope::ListItems));
  window->UserSetText(kName, "2031");
  window->UserSelectItem(kDropList, 1);
  window->InsertRow(kRows, 0, {"2031-01-01", "shown for the choice"});
  EXPECT_FALSE(tracker.Changed(Values(ChangeScope::ListItems)));
  window->AddItem(kDropList, "EUR");
  EXPECT_TRUE(tracker.Changed(Values(ChangeScope::ListItems)));
}

TEST_F(ChangeTrackerTest, WhatTheControlsDoNotHoldStaysChangedAndTheFirstShowingCounts) {
  ChangeTracker tracker;
  EXPECT_FALSE(tracker.Changed(Values()));  // not shown yet: nothing to differ from
  tracker.Shown(Values());
  window->UserSetText(kName, "Ann");
  tracker.Shown(Values());  // shown again (a page reopened): the first values stay
  EXPECT_TRUE(tracker.Changed(Values()));
  window->UserSetText(kName, "");
  tracker.MarkChanged();  // a dialog it opened was confirmed after changes
  EXPECT_TRUE(tracker.Changed(Values()));
}

TEST(MessageBoxDefault, EnterAnswersTheNamedButtonAndADestructiveQuestionNo) {
  struct Case {
    unsigned type;
    int answer;
  };
  const Case cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_YESNO | MB_DEFBUTTON3, IDYES},  // no third button: the first
      {MB_OK | MB_DEFBUTTON2, IDOK},
      {kDestructiveQuestion, IDNO},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.type);
    EXPECT_EQ((MessageBoxRequest{"?", "t", c.type}.DefaultAnswer()), c.answer);
  }
}

}  // namespace
}  // namespace uitest
