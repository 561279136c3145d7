// The keyboard of a Qt window as a Windows dialog has it, and what a screen reader
// hears of it: radio groups, Tab stops, pickers, refused characters, announcements.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "tests/host/ui/qt/QtTestBackend.h"
#include "tests/host/ui/qt/RecordingSink.h"
#include "tests/host/ui/qt/TestTemplates.h"
#include "ui/qt/LiveStatus.h"
#include "ui/qt/QtControl.h"
#include "ui/qt/QtUiWindow.h"

namespace {

using namespace qttest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class QtKeyboardTest : public ::testing::Test {
 protected:
  void Open(const DialogTemplate& dialog) {
    window_ = TestBackend().CreateWindow(dialog, WindowRole::Modeless, nullptr, sink_);
    qt_ = dynamic_cast<QtUiWindow*>(window_.get());
    ASSERT_NE(qt_, nullptr);
    qt_->TopWidget().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&qt_->TopWidget()));
    QApplication::setActiveWindow(&qt_->TopWidget());
  }

  template <class Widget>
  Widget& Get(int id) {
    auto* widget = qobject_cast<Widget*>(qt_->ControlWidget(id));
    if (!widget) throw std::logic_error("no such widget " + std::to_string(id));
    return *widget;
  }

  // The control that has the focus, by id; 0 for none.
  int Focused() const { return QtControl::IdOf(QApplication::focusWidget(), &qt_->TopWidget()); }

  std::vector<Notification> Received() { return std::exchange(sink_.received, {}); }

  RecordingSink sink_;
  std::unique_ptr<UiWindow> window_;
  QtUiWindow* qt_ = nullptr;
};

// Tab enters a group on its checked button, or its first enabled one while none is;
// each arrow moves within the group, round from its ends, and clicks the button it
// lands on; a disabled button is passed over, and the arrows never leave the group.
TEST_F(QtKeyboardTest, ARadioGroupIsOneTabStopAndItsArrowsChooseWithinIt) {
  Open(ControlsDialog());
  QCheckBox& enable = Get<QCheckBox>(IDC_ENABLE);
  const auto tabFromEnable = [&] {
    enable.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&enable, Qt::Key_Tab);
    return Focused();
  };
  EXPECT_EQ(tabFromEnable(), IDC_AUTO_A);
  window_->SetCheck(IDC_AUTO_B, BST_CHECKED);
  EXPECT_EQ(tabFromEnable(), IDC_AUTO_B);

  struct Step {
    Qt::Key key;
    int focused;
    int checked;
  };
  for (const Step& step :
       {Step{Qt::Key_Down, IDC_AUTO_A, IDC_AUTO_A}, Step{Qt::Key_Down, IDC_AUTO_B, IDC_AUTO_B},
        Step{Qt::Key_Right, IDC_AUTO_A, IDC_AUTO_A}, Step{Qt::Key_Up, IDC_AUTO_B, IDC_AUTO_B},
        Step{Qt::Key_Left, IDC_AUTO_A, IDC_AUTO_A}}) {
    SCOPED_TRACE(step.key);
    QTest::keyClick(QApplication::focusWidget(), step.key);
    EXPECT_EQ(Focused(), step.focused);
    EXPECT_EQ(window_->Check(step.checked), BST_CHECKED);
    EXPECT_EQ(window_->Check(step.checked == IDC_AUTO_A ? IDC_AUTO_B : IDC_AUTO_A), BST_UNCHECKED);
    EXPECT_THAT(Received(), ElementsAre(Notification{step.checked, BN_CLICKED}));
  }
  // Shift+Tab from the next control comes back to the checked button.
  Get<QRadioButton>(IDC_PLAIN_C).setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(Focused(), IDC_AUTO_A);

  // Alone in its group with the other disabled, a button keeps the arrows.
  window_->SetEnabled(IDC_AUTO_B, false);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(Focused(), IDC_AUTO_A);
  EXPECT_THAT(Received(), IsEmpty());

  // A plain group's arrows click too; its marks stay the window's to set.
  Get<QRadioButton>(IDC_PLAIN_C).setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(Focused(), IDC_PLAIN_D);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_PLAIN_D, BN_CLICKED}));
  EXPECT_EQ(window_->Check(IDC_PLAIN_D), BST_UNCHECKED);
}

// Tab visits the controls in template order, and nothing else: no scroll area, no
// part of a picker.
TEST_F(QtKeyboardTest, TabVisitsTheControlsInTemplateOrderOnly) {
  Open(ControlsDialog());
  window_->SetCheck(IDC_AUTO_B, BST_CHECKED);
  Get<QLineEdit>(IDC_NAME).setFocus(Qt::TabFocusReason);
  std::vector<int> stops{Focused()};
  for (int n = 0; n < 30 && (stops.size() == 1 || stops.back() != IDC_NAME); ++n) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    stops.push_back(Focused());
  }
  EXPECT_THAT(stops, ElementsAre(IDC_NAME, IDC_SECRET, IDC_ENABLE, IDC_AUTO_B, IDC_PLAIN_C,
                                 IDC_EDIT_COMBO, IDC_LIST_COMBO, IDC_LIST_BOX, IDC_LIST_VIEW,
                                 IDC_DATE, IDC_YEAR, IDOK, IDCANCEL, IDC_APPLY, IDC_NAME));
}

DialogTemplate PickersDialog() {
  DialogTemplate dialog = ControlsDialog();
  dialog.id = 960;
  dialog.controls = {
      {IDC_DATE, ControlKind::DateTimePicker, "", {7, 20, 80, 14}},
      {IDC_YEAR, ControlKind::DateTimePicker, "", {7, 50, 80, 14}, ControlStyle::UpDown},
      // Nothing above it has room for a label.
      {IDC_NAME, ControlKind::Edit, "", {100, 20, 80, 14}},
      {IDC_LIST_BOX + 1, ControlKind::DateTimePicker, "", {100, 36, 80, 14}},
      {IDOK, ControlKind::PushButton, "OK", {7, 80, 50, 14}, ControlStyle::DefaultButton},
  };
  return dialog;
}

// A picker no label of the template names gets one of the window's own above it,
// saying what it holds, with a mnemonic; where there is no room, its name alone
// says it.
TEST_F(QtKeyboardTest, APickerWithoutALabelGetsOneThatFollowsItsFormat) {
  Open(PickersDialog());
  const auto labelOf = [&](int id) -> QLabel* {
    for (QLabel* label : qt_->Canvas().findChildren<QLabel*>())
      if (label->buddy() == qt_->ControlWidget(id)) return label;
    return nullptr;
  };
  ASSERT_NE(labelOf(IDC_DATE), nullptr);
  EXPECT_EQ(labelOf(IDC_DATE)->text().remove(u'&'), QStringLiteral("Date:"));
  EXPECT_LT(labelOf(IDC_DATE)->geometry().bottom(), Get<QDateTimeEdit>(IDC_DATE).geometry().top());
  window_->SetDateTimeFormat(IDC_YEAR, "yyy");
  ASSERT_NE(labelOf(IDC_YEAR), nullptr);
  EXPECT_EQ(labelOf(IDC_YEAR)->text().remove(u'&'), QStringLiteral("Year:"));
  EXPECT_EQ(Get<QDateTimeEdit>(IDC_YEAR).accessibleName(), QStringLiteral("Year"));
  const QKeySequence dateKey = QKeySequence::mnemonic(labelOf(IDC_DATE)->text());
  const QKeySequence yearKey = QKeySequence::mnemonic(labelOf(IDC_YEAR)->text());
  EXPECT_FALSE(dateKey.isEmpty());
  EXPECT_FALSE(yearKey.isEmpty());
  EXPECT_NE(dateKey, yearKey);
  EXPECT_EQ(labelOf(IDC_LIST_BOX + 1), nullptr);
  EXPECT_EQ(Get<QDateTimeEdit>(IDC_LIST_BOX + 1).accessibleName(), QStringLiteral("Date"));
}

// What a screen reader reads as a picker's value is the part under the cursor, in
// that part's range; a value it sets is the user's change of that part.
TEST_F(QtKeyboardTest, APickersValueIsThePartUnderTheCursorInItsRange) {
  Open(PickersDialog());
  window_->SetDateTimeRange(IDC_YEAR, DateTimeValue{2010, 1, 1, 0, 0, 0},
                            DateTimeValue{2099, 12, 30, 12, 0, 0});
  window_->SetDateTimeFormat(IDC_YEAR, "yyy");
  window_->SetDateTime(IDC_YEAR, {2031, 4, 30});
  window_->SetDateTime(IDC_DATE, {2024, 2, 10});
  const auto value = [&](int id) {
    QAccessibleValueInterface* numbers =
        QAccessible::queryAccessibleInterface(qt_->ControlWidget(id))->valueInterface();
    return std::vector<int>{numbers->minimumValue().toInt(), numbers->currentValue().toInt(),
                            numbers->maximumValue().toInt()};
  };
  EXPECT_THAT(value(IDC_YEAR), ElementsAre(2010, 2031, 2099));
  QDateTimeEdit& date = Get<QDateTimeEdit>(IDC_DATE);
  date.setCurrentSection(QDateTimeEdit::DaySection);
  EXPECT_THAT(value(IDC_DATE), ElementsAre(1, 10, 29));
  date.setCurrentSection(QDateTimeEdit::MonthSection);
  EXPECT_THAT(value(IDC_DATE), ElementsAre(1, 2, 12));
  EXPECT_THAT(Received(), IsEmpty());

  QAccessible::queryAccessibleInterface(qt_->ControlWidget(IDC_YEAR))
      ->valueInterface()
      ->setCurrentValue(2040);
  EXPECT_EQ(window_->DateTime(IDC_YEAR).year, 2040);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_YEAR, DTN_DATETIMECHANGE}));
  QAccessible::queryAccessibleInterface(qt_->ControlWidget(IDC_YEAR))
      ->valueInterface()
      ->setCurrentValue(2500);
  EXPECT_THAT(value(IDC_YEAR), ElementsAre(2010, 2099, 2099));
}

// Typed or pasted, a character a whole-number field does not take shows the tip a
// Windows number field shows, and is announced; what was typed around it stays.
TEST_F(QtKeyboardTest, ARefusedCharacterIsSaidWhereItIsTyped) {
  Open(ControlsDialog());
  window_->MarkWholeNumber(IDC_NAME);
  QLineEdit& rate = Get<QLineEdit>(IDC_NAME);
  rate.setFocus();
  const QString said = QStringLiteral("Unacceptable Character: You can only type a number here.");
  QTest::keyClicks(&rate, "1e");
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Unacceptable Character")));
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("You can only type a number here.")));
  EXPECT_EQ(qt_->Status().Text(), said);
  QTest::keyClicks(&rate, "3");
  EXPECT_EQ(window_->Text(IDC_NAME), "13");

  qt_->Status().Announce({});
  QApplication::clipboard()->setText(QStringLiteral("4x"));
  rate.paste();
  EXPECT_EQ(window_->Text(IDC_NAME), "13");
  EXPECT_EQ(qt_->Status().Text(), said);
  QToolTip::hideText();

  // What the field takes is not refused.
  qt_->Status().Announce({});
  QTest::keyClicks(&rate, " ");
  EXPECT_EQ(window_->Text(IDC_NAME), "13 ");
  EXPECT_EQ(qt_->Status().Text(), QString());
}

DialogTemplate HolidayLikeDialog() {
  using K = ControlKind;
  DialogTemplate dialog = ControlsDialog();
  dialog.id = 961;
  dialog.controls = {
      {IDC_LIST_BOX, K::ListBox, "", {7, 7, 50, 60}, ControlStyle::Notify},
      {IDC_STATIC, K::Label, "Holiday:", {70, 7, 60, 8}},
      {IDC_LIST_VIEW, K::ListView, "", {70, 17, 140, 80}, ControlStyle::SortAscending},
      {IDC_APPLY, K::PushButton, "Act", {70, 100, 50, 14}},
  };
  return dialog;
}

// What a click adds to or removes from a list view is announced in the words of the
// list's name; a click that shows other rows adds and removes nothing.
TEST_F(QtKeyboardTest, WhatAClickAddsOrRemovesIsAnnounced) {
  Open(HolidayLikeDialog());
  window_->AddColumn(IDC_LIST_VIEW, "Date", 100, LVCFMT_LEFT);
  window_->AddItem(IDC_LIST_BOX, "EUR");
  window_->AddItem(IDC_LIST_BOX, "GBP");
  const auto rows = [](int first, int count) {
    std::vector<ListViewRow> made;
    for (int n = first; n < first + count; ++n) made.push_back({std::to_string(1000 + n)});
    return made;
  };
  struct Case {
    const char* what;
    std::function<void()> click;
    QString said;  // empty: nothing new is said
  };
  const int list = IDC_LIST_VIEW;
  const Case cases[] = {
      {"a year added", [&] { window_->InsertRows(list, rows(0, 12)); }, "12 holidays added"},
      {"one added", [&] { window_->InsertRow(list, 0, {"0999"}); }, "1 holiday added"},
      {"one removed", [&] { window_->DeleteRows(list, std::vector<int>{0}); }, "1 holiday removed"},
      {"three removed",
       [&] {
         window_->DeleteRows(list, std::vector<int>{0, 1, 2});
       },
       "3 holidays removed"},
      {"nothing changed", [] {}, ""},
      {"all removed", [&] { window_->DeleteAllRows(list); }, "All 9 holidays removed"},
      {"other rows shown",
       [&] {
         window_->SetSelection(IDC_LIST_BOX, 1);
         window_->DeleteAllRows(list);
         window_->InsertRows(list, rows(20, 5));
       },
       ""},
      {"rows replaced whole",
       [&] {
         window_->DeleteAllRows(list);
         window_->InsertRows(list, rows(30, 2));
       },
       ""},
      {"the last removed",
       [&] {
         window_->DeleteRows(list, std::vector<int>{0, 1});
       },
       "All 2 holidays removed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qt_->Status().Announce({});
    sink_.onNotify = [&](int, int) { c.click(); };
    QTest::mouseClick(&Get<QPushButton>(IDC_APPLY), Qt::LeftButton);
    EXPECT_EQ(qt_->Status().Text(), c.said);
  }
  // Changes from code outside a click are not the user's doing.
  qt_->Status().Announce({});
  window_->InsertRows(list, rows(40, 3));
  EXPECT_EQ(qt_->Status().Text(), QString());
  // The announcement is a notification a screen reader finds by its name.
  qt_->Status().Announce(QStringLiteral("3 holidays added"));
  ASSERT_NE(qt_->Status().Notice(), nullptr);
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(qt_->Status().Notice());
  EXPECT_EQ(status->role(), QAccessible::Notification);
  EXPECT_EQ(status->text(QAccessible::Name), QStringLiteral("3 holidays added"));
  EXPECT_EQ(qt_->Status().Notice()->focusPolicy(), Qt::NoFocus);
}

// A screen reader that asks a table for a cell it had before the rows went gets
// none, and standard error hears nothing of it; other messages still get through.
TEST(QtMessages, StaleCellRequestsOfAScreenReaderLeaveStandardErrorAlone) {
  TestBackend();
  ::testing::internal::CaptureStderr();
  qWarning("QAccessibleTable::child: Invalid index at: %d %d", 112, 1);
  qWarning() << "QAccessibleTable::cellAt: invalid index: " << 3;
  qWarning("something else");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "something else\n");
}

}  // namespace
