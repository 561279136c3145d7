#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <set>

#include "tests/host/ui/qt/QtTestBackend.h"
#include "tests/host/ui/qt/RecordingSink.h"
#include "tests/host/ui/qt/TestTemplates.h"
#include "ui/qt/LiveStatus.h"
#include "ui/qt/QtUiWindow.h"

namespace {

using namespace qttest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The controls dialog, shown as a modeless window, its notifications recorded.
class QtWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = TestBackend().CreateWindow(ControlsDialog(), WindowRole::Modeless, nullptr, sink_);
    qt_ = dynamic_cast<QtUiWindow*>(window_.get());
    ASSERT_NE(qt_, nullptr);
    qt_->TopWidget().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&qt_->TopWidget()));
  }

  template <class Widget>
  Widget& Get(int id) {
    auto* widget = qobject_cast<Widget*>(qt_->ControlWidget(id));
    if (!widget) throw std::logic_error("no such widget " + std::to_string(id));
    return *widget;
  }

  // What the sink received since the last call.
  std::vector<Notification> Received() { return std::exchange(sink_.received, {}); }

  RecordingSink sink_;
  std::unique_ptr<UiWindow> window_;
  QtUiWindow* qt_ = nullptr;
};

TEST_F(QtWindowTest, TypingInAnEditNotifiesEachChangeAndTextFromCodeDoesNot) {
  EXPECT_EQ(window_->Text(IDC_NAME), "");
  QTest::keyClicks(&Get<QLineEdit>(IDC_NAME), "ab");
  EXPECT_THAT(Received(),
              ElementsAre(Notification{IDC_NAME, EN_CHANGE}, Notification{IDC_NAME, EN_CHANGE}));
  EXPECT_EQ(window_->Text(IDC_NAME), "ab");

  // Every byte comes back as it went in.
  const std::string bytes = "caf\xE9 \x80\xFF|";
  window_->SetText(IDC_NAME, bytes);
  EXPECT_EQ(window_->Text(IDC_NAME), bytes);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, PasswordEditShowsNoneOfItsText) {
  window_->SetText(IDC_SECRET, "hunter2");
  const QLineEdit& secret = Get<QLineEdit>(IDC_SECRET);
  EXPECT_EQ(secret.echoMode(), QLineEdit::Password);
  EXPECT_FALSE(secret.displayText().contains(QStringLiteral("hunter2")));
  EXPECT_EQ(window_->Text(IDC_SECRET), "hunter2");
}

// A cue is a greyed hint of the empty box, in the stored 8-bit text's characters,
// and never part of the text the box gives back.
TEST_F(QtWindowTest, ACueBannerShowsOnlyWhileTheBoxIsEmpty) {
  window_->SetCueBanner(IDC_SECRET, "kept unread \xA7");
  const QLineEdit& secret = Get<QLineEdit>(IDC_SECRET);
  EXPECT_EQ(secret.placeholderText(), QStringLiteral(u"kept unread \u00A7"));
  EXPECT_EQ(window_->Text(IDC_SECRET), "");
}

// A label in front of a control names it: a screen reader reads the label as the
// control's name, and the label's mnemonic takes the focus there. A label that
// names nothing hides its marks. The text stays the caption as set.
TEST_F(QtWindowTest, ALabelNamesTheControlInFrontOfIt) {
  const QLabel& label = Get<QLabel>(IDC_NAME_LABEL);
  EXPECT_EQ(label.buddy(), qt_->ControlWidget(IDC_NAME));
  EXPECT_EQ(label.text(), QStringLiteral("&Name:"));
  EXPECT_EQ(Get<QLineEdit>(IDC_NAME).accessibleName(), QStringLiteral("Name"));
  EXPECT_EQ(Get<QLineEdit>(IDC_SECRET).accessibleName(), QStringLiteral("Password"));
  window_->SetText(IDC_NAME_LABEL, "Fish && &Chips");
  EXPECT_EQ(label.text(), QStringLiteral("Fish && &Chips"));
  EXPECT_EQ(window_->Text(IDC_NAME_LABEL), "Fish && &Chips");

  DialogTemplate unnamed = PageTemplate(953, "Unnamed");
  unnamed.controls = {{IDC_STATIC, ControlKind::Label, "&Hint && tip", {7, 9, 40, 8}},
                      {IDC_APPLY, ControlKind::PushButton, "Apply", {50, 7, 50, 14}}};
  const std::unique_ptr<UiWindow> other =
      TestBackend().CreateWindow(unnamed, WindowRole::Modeless, nullptr, sink_);
  const auto* hint = dynamic_cast<QtUiWindow&>(*other).Canvas().findChild<QLabel*>();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->buddy(), nullptr);
  EXPECT_EQ(hint->text(), QStringLiteral("Hint & tip"));
}

// Inputs no label names: a picker is named by what it shows, the only input of a
// window by the window's title; radio buttons are radio buttons to a screen reader.
TEST_F(QtWindowTest, EveryInputHasANameAndEveryButtonItsRole) {
  EXPECT_EQ(Get<QDateTimeEdit>(IDC_DATE).accessibleName(), QStringLiteral("Date"));
  window_->SetDateTimeFormat(IDC_YEAR, "yyy");
  EXPECT_EQ(Get<QDateTimeEdit>(IDC_YEAR).accessibleName(), QStringLiteral("Year"));
  const std::unique_ptr<UiWindow> chooser = TestBackend().CreateWindow(
      PageTemplate(954, "Pick One"), WindowRole::Modeless, nullptr, sink_);
  EXPECT_EQ(dynamic_cast<QtUiWindow&>(*chooser).ControlWidget(IDC_PAGE_EDIT)->accessibleName(),
            QStringLiteral("Value"));
  DialogTemplate lone = PageTemplate(955, "Pick One");
  lone.controls = {{IDC_LIST_BOX, ControlKind::ListBox, "", {7, 7, 100, 60}}};
  const std::unique_ptr<UiWindow> list =
      TestBackend().CreateWindow(lone, WindowRole::Modeless, nullptr, sink_);
  EXPECT_EQ(dynamic_cast<QtUiWindow&>(*list).ControlWidget(IDC_LIST_BOX)->accessibleName(),
            QStringLiteral("Pick One"));

  struct Case {
    int id;
    QAccessible::Role role;
  };
  for (const Case c :
       {Case{IDC_AUTO_A, QAccessible::RadioButton}, Case{IDC_PLAIN_C, QAccessible::RadioButton},
        Case{IDC_ENABLE, QAccessible::CheckBox}}) {
    SCOPED_TRACE(c.id);
    QAccessibleInterface* described =
        QAccessible::queryAccessibleInterface(qt_->ControlWidget(c.id));
    ASSERT_NE(described, nullptr);
    EXPECT_EQ(described->role(), c.role);
    EXPECT_FALSE(described->text(QAccessible::Name).contains(u'&'));
    EXPECT_FALSE(described->text(QAccessible::Accelerator).isEmpty());
  }
  window_->SetCheck(IDC_PLAIN_C, BST_CHECKED);
  EXPECT_TRUE(
      QAccessible::queryAccessibleInterface(qt_->ControlWidget(IDC_PLAIN_C))->state().checked);
}

// Every button, check box, radio button and label that names a control has a
// mnemonic of its own in the window; a caption's own mark is kept.
TEST_F(QtWindowTest, EveryCaptionTakesAMnemonicUniqueInItsWindow) {
  std::set<QString> keys;
  int captions = 0;
  for (QWidget* widget : qt_->TopWidget().findChildren<QWidget*>()) {
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) text = label->text();
    if (text.isEmpty()) continue;
    ++captions;
    const QKeySequence key = QKeySequence::mnemonic(text);
    SCOPED_TRACE(text.toStdString());
    EXPECT_FALSE(key.isEmpty());
    EXPECT_TRUE(keys.insert(key.toString()).second) << "twice: " << key.toString().toStdString();
  }
  EXPECT_EQ(captions, 10);
  EXPECT_EQ(Get<QPushButton>(IDC_APPLY).text(), QStringLiteral("&Apply"));
  EXPECT_EQ(window_->Text(IDOK), "OK");
}

// What the template says beyond names reaches a screen reader: the hint beside a
// control is its description, a group box holds the controls in its frame, a combo
// box is named by its label and says its item as its value, and a window that has
// said nothing has no notification.
TEST_F(QtWindowTest, HintsGroupsAndLabelsReachAScreenReader) {
  using K = ControlKind;
  DialogTemplate page = PageTemplate(956, "Endpoints");
  page.width = 260;
  page.controls = {
      {IDC_STATIC, K::GroupBox, "Where", {5, 5, 250, 50}},
      {IDC_PLAIN_C, K::RadioButton, "Production", {10, 15, 60, 10}, ControlStyle::Group},
      {IDC_STATIC, K::Label, "https://prod.example", {75, 16, 100, 8}},
      {IDC_STATIC, K::Label, "Kind:", {10, 33, 30, 8}},
      {IDC_LIST_COMBO, K::ComboBox, "", {45, 31, 80, 14}},
      {IDC_STATIC, K::Label, "==>", {130, 33, 20, 8}},
      {IDC_NAME, K::Edit, "", {10, 60, 60, 14}},
  };
  const std::unique_ptr<UiWindow> window =
      TestBackend().CreateWindow(page, WindowRole::Modeless, nullptr, sink_);
  QtUiWindow& qt = dynamic_cast<QtUiWindow&>(*window);
  window->AddItem(IDC_LIST_COMBO, "Buy side");
  window->SetSelection(IDC_LIST_COMBO, 0);
  const auto described = [&](int id) {
    return QAccessible::queryAccessibleInterface(qt.ControlWidget(id));
  };
  EXPECT_EQ(described(IDC_PLAIN_C)->text(QAccessible::Description),
            QStringLiteral("https://prod.example"));
  EXPECT_EQ(described(IDC_LIST_COMBO)->text(QAccessible::Description), QString());
  EXPECT_EQ(described(IDC_PLAIN_C)->parent()->text(QAccessible::Name), QStringLiteral("Where"));
  EXPECT_EQ(described(IDC_LIST_COMBO)->parent()->text(QAccessible::Name), QStringLiteral("Where"));
  EXPECT_EQ(described(IDC_NAME)->parent()->object(), &qt.Canvas());
  EXPECT_EQ(described(IDC_LIST_COMBO)->role(), QAccessible::ComboBox);
  EXPECT_EQ(described(IDC_LIST_COMBO)->text(QAccessible::Name), QStringLiteral("Kind"));
  EXPECT_EQ(described(IDC_LIST_COMBO)->text(QAccessible::Value), QStringLiteral("Buy side"));
  // Inside its group box a control is where the template puts it.
  EXPECT_EQ(qt.Place(*qt.ControlWidget(IDC_LIST_COMBO)).topLeft(),
            qt.Scale().ToPixels(DluRect{45, 31, 80, 14}).topLeft());

  const auto notifications = [&] {
    int found = 0;
    for (QWidget* widget : qt.TopWidget().findChildren<QWidget*>()) {
      QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
      if (node != nullptr && node->role() == QAccessible::Notification) ++found;
    }
    return found;
  };
  EXPECT_EQ(notifications(), 0);
  qt.Status().Announce(QStringLiteral("1 holiday added"));
  EXPECT_EQ(notifications(), 1);
  qt.Status().Announce({});
  EXPECT_EQ(notifications(), 0);
}

// A dialog larger than the screen scrolls its content; the row of buttons that ends
// it stays below, in sight, and keeps its place from the right side.
TEST_F(QtWindowTest, TheLastRowOfButtonsStaysInSightBelowWhatScrolls) {
  QWidget& top = qt_->TopWidget();
  const QSize whole = top.size();
  EXPECT_EQ(whole, qt_->Scale().ToPixels(320, 220));
  for (const int id : {IDOK, IDCANCEL, IDC_APPLY}) {
    EXPECT_FALSE(qt_->Canvas().isAncestorOf(qt_->ControlWidget(id))) << id;
    EXPECT_EQ(qt_->ControlWidget(id)->mapTo(&top, QPoint()),
              qt_->Place(*qt_->ControlWidget(id)).topLeft())
        << id;
  }
  top.resize(whole.width() / 2, whole.height() / 2);
  QCoreApplication::processEvents();
  const QRect shown = top.rect();
  for (const int id : {IDOK, IDCANCEL, IDC_APPLY}) {
    QWidget& button = *qt_->ControlWidget(id);
    const QRect at(button.mapTo(&top, QPoint()), button.size());
    EXPECT_TRUE(shown.contains(at)) << id;
    EXPECT_EQ(shown.right() - at.right(), whole.width() - 1 - qt_->Place(button).right()) << id;
  }
}

TEST_F(QtWindowTest, CheckBoxTogglesBeforeItNotifies) {
  std::vector<int> markWhenNotified;
  sink_.onNotify = [&](int id, int) { markWhenNotified.push_back(window_->Check(id)); };
  QTest::mouseClick(&Get<QCheckBox>(IDC_ENABLE), Qt::LeftButton);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_ENABLE, BN_CLICKED}));
  EXPECT_THAT(markWhenNotified, ElementsAre(BST_CHECKED));

  window_->SetCheck(IDC_ENABLE, BST_UNCHECKED);
  EXPECT_EQ(window_->Check(IDC_ENABLE), BST_UNCHECKED);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, AutomaticRadioClearsItsGroupAndPlainRadioLeavesMarksToTheCode) {
  window_->SetCheck(IDC_AUTO_A, BST_CHECKED);
  window_->SetCheck(IDC_PLAIN_D, BST_CHECKED);
  QTest::mouseClick(&Get<QRadioButton>(IDC_AUTO_B), Qt::LeftButton);
  EXPECT_EQ(window_->Check(IDC_AUTO_A), BST_UNCHECKED);
  EXPECT_EQ(window_->Check(IDC_AUTO_B), BST_CHECKED);
  // The next group is another group.
  EXPECT_EQ(window_->Check(IDC_PLAIN_D), BST_CHECKED);

  QTest::mouseClick(&Get<QRadioButton>(IDC_PLAIN_C), Qt::LeftButton);
  EXPECT_EQ(window_->Check(IDC_PLAIN_C), BST_UNCHECKED);
  EXPECT_EQ(window_->Check(IDC_PLAIN_D), BST_CHECKED);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_AUTO_B, BN_CLICKED},
                                      Notification{IDC_PLAIN_C, BN_CLICKED}));

  // Marks set from code never clear the others.
  window_->SetCheck(IDC_AUTO_A, BST_CHECKED);
  EXPECT_EQ(window_->Check(IDC_AUTO_B), BST_CHECKED);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, EditableComboKeepsItemsSortedAndSelectsWhatTheUserTypesExactly) {
  for (const char* text : {"beta", "alpha", "Alpha"}) window_->AddItem(IDC_EDIT_COMBO, text);
  EXPECT_EQ(window_->ItemText(IDC_EDIT_COMBO, 0), "Alpha");
  EXPECT_EQ(window_->ItemText(IDC_EDIT_COMBO, 1), "alpha");
  EXPECT_EQ(window_->ItemText(IDC_EDIT_COMBO, 2), "beta");
  // Unlike a bare QComboBox, filling the box selects nothing.
  EXPECT_EQ(window_->Selection(IDC_EDIT_COMBO), -1);
  EXPECT_EQ(window_->Text(IDC_EDIT_COMBO), "");

  QLineEdit& field = *Get<QComboBox>(IDC_EDIT_COMBO).lineEdit();
  QTest::keyClicks(&field, "alp");
  EXPECT_EQ(window_->Selection(IDC_EDIT_COMBO), -1);
  QTest::keyClicks(&field, "ha");
  EXPECT_EQ(window_->Selection(IDC_EDIT_COMBO), 1);
  EXPECT_EQ(window_->Text(IDC_EDIT_COMBO), "alpha");
  EXPECT_EQ(Received(), std::vector<Notification>(5, {IDC_EDIT_COMBO, CBN_EDITCHANGE}));

  // Typing on past an item's text leaves it.
  QTest::keyClicks(&field, "!");
  EXPECT_EQ(window_->Selection(IDC_EDIT_COMBO), -1);
  EXPECT_EQ(window_->Text(IDC_EDIT_COMBO), "alpha!");
  Received();

  window_->SetText(IDC_EDIT_COMBO, "beta");
  EXPECT_EQ(window_->Selection(IDC_EDIT_COMBO), 2);
  window_->SetText(IDC_EDIT_COMBO, "zeta");
  EXPECT_EQ(window_->Selection(IDC_EDIT_COMBO), -1);
  EXPECT_EQ(window_->Text(IDC_EDIT_COMBO), "zeta");
  window_->SetSelection(IDC_EDIT_COMBO, 0);
  EXPECT_EQ(window_->Text(IDC_EDIT_COMBO), "Alpha");
  window_->SetSelection(IDC_EDIT_COMBO, -1);
  EXPECT_EQ(window_->Text(IDC_EDIT_COMBO), "");
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, ComboSelectionFollowsItsItemAsItemsComeAndGo) {
  window_->AddItem(IDC_LIST_COMBO, "one");
  window_->AddItem(IDC_LIST_COMBO, "two");
  window_->SetItemData(IDC_LIST_COMBO, 1, 42);
  window_->SetSelection(IDC_LIST_COMBO, 1);
  EXPECT_EQ(window_->InsertItem(IDC_LIST_COMBO, 0, "zero"), 0);
  EXPECT_EQ(window_->Selection(IDC_LIST_COMBO), 2);
  EXPECT_EQ(window_->ItemData(IDC_LIST_COMBO, 2), 42u);
  EXPECT_EQ(window_->Text(IDC_LIST_COMBO), "two");
  window_->DeleteItem(IDC_LIST_COMBO, 0);
  EXPECT_EQ(window_->Selection(IDC_LIST_COMBO), 1);
  // Deleting the selected item leaves nothing selected, as on Windows.
  window_->DeleteItem(IDC_LIST_COMBO, 1);
  EXPECT_EQ(window_->Selection(IDC_LIST_COMBO), -1);
  EXPECT_EQ(window_->Text(IDC_LIST_COMBO), "");
  window_->ResetItems(IDC_LIST_COMBO);
  EXPECT_EQ(window_->ItemCount(IDC_LIST_COMBO), 0);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, DropListComboChosenByKeyboardNotifiesSelectionChange) {
  window_->AddItem(IDC_LIST_COMBO, "first");
  window_->AddItem(IDC_LIST_COMBO, "second");
  window_->SetText(IDC_LIST_COMBO, "nothing like it");
  EXPECT_EQ(window_->Text(IDC_LIST_COMBO), "");
  window_->SetSelection(IDC_LIST_COMBO, 0);
  QTest::keyClick(&Get<QComboBox>(IDC_LIST_COMBO), Qt::Key_Down);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_LIST_COMBO, CBN_SELCHANGE}));
  EXPECT_EQ(window_->Selection(IDC_LIST_COMBO), 1);
  EXPECT_EQ(window_->Text(IDC_LIST_COMBO), "second");
}

TEST_F(QtWindowTest, ListBoxClickNotifiesAndSelectionFromCodeDoesNot) {
  for (const char* text : {"USD", "EUR", "GBP"}) window_->AddItem(IDC_LIST_BOX, text);
  EXPECT_EQ(window_->ItemText(IDC_LIST_BOX, 0), "EUR");
  window_->SetSelection(IDC_LIST_BOX, 0);
  EXPECT_THAT(Received(), IsEmpty());

  QListWidget& list = Get<QListWidget>(IDC_LIST_BOX);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.item(2)).center());
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_LIST_BOX, LBN_SELCHANGE}));
  EXPECT_EQ(window_->Selection(IDC_LIST_BOX), 2);

  // A new item sorted in before the selected one moves the selection with its item.
  EXPECT_EQ(window_->AddItem(IDC_LIST_BOX, "CHF"), 0);
  EXPECT_EQ(window_->Selection(IDC_LIST_BOX), 3);
  EXPECT_EQ(window_->ItemText(IDC_LIST_BOX, 3), "USD");
  window_->SetSelection(IDC_LIST_BOX, -1);
  EXPECT_EQ(window_->Selection(IDC_LIST_BOX), -1);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, DatePickerNotifiesTheUsersChangeOnlyAndKeepsTheTimeItDoesNotShow) {
  const DateTimeValue value{2024, 3, 5, 14, 30, 15};
  window_->SetDateTime(IDC_DATE, value);
  EXPECT_EQ(window_->DateTime(IDC_DATE), value);
  EXPECT_EQ(Get<QDateTimeEdit>(IDC_DATE).text(), QStringLiteral("2024-03-05"));
  EXPECT_THAT(Received(), IsEmpty());

  QDateTimeEdit& picker = Get<QDateTimeEdit>(IDC_DATE);
  picker.setFocus();
  picker.setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(&picker, Qt::Key_Up);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_DATE, DTN_DATETIMECHANGE}));
  EXPECT_EQ(window_->DateTime(IDC_DATE), (DateTimeValue{2024, 3, 6, 14, 30, 15}));

  // Windows refuses a value that names no date.
  window_->SetDateTime(IDC_DATE, {2023, 2, 29});
  EXPECT_EQ(window_->DateTime(IDC_DATE), (DateTimeValue{2024, 3, 6, 14, 30, 15}));
}

TEST_F(QtWindowTest, YearPickerShowsTheFullYearAndKeepsToItsRange) {
  const DateTimeValue earliest{2010, 1, 1, 0, 0, 0};
  const DateTimeValue latest{2099, 12, 30, 12, 0, 0};
  window_->SetDateTimeRange(IDC_YEAR, earliest, latest);
  window_->SetDateTimeFormat(IDC_YEAR, "yyy");
  QDateTimeEdit& picker = Get<QDateTimeEdit>(IDC_YEAR);
  EXPECT_EQ(picker.displayFormat(), QStringLiteral("yyyy"));

  window_->SetDateTime(IDC_YEAR, {2005, 6, 15});
  EXPECT_EQ(window_->DateTime(IDC_YEAR), earliest);
  EXPECT_EQ(picker.text(), QStringLiteral("2010"));
  window_->SetDateTime(IDC_YEAR, {2150, 6, 15});
  EXPECT_EQ(window_->DateTime(IDC_YEAR), latest);
  EXPECT_EQ(picker.text(), QStringLiteral("2099"));
  EXPECT_THAT(Received(), IsEmpty());

  // The user cannot step past the last year, and steps back one year at a time.
  picker.setFocus();
  QTest::keyClick(&picker, Qt::Key_Up);
  EXPECT_EQ(window_->DateTime(IDC_YEAR).year, 2099);
  QTest::keyClick(&picker, Qt::Key_Down);
  EXPECT_EQ(window_->DateTime(IDC_YEAR).year, 2098);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_YEAR, DTN_DATETIMECHANGE}));

  // Without a range any year goes.
  window_->SetDateTimeRange(IDC_YEAR, std::nullopt, std::nullopt);
  window_->SetDateTime(IDC_YEAR, {1990, 7, 1});
  EXPECT_EQ(window_->DateTime(IDC_YEAR).year, 1990);
}

TEST_F(QtWindowTest, OperationsOnMissingControlsOrTheWrongKindNameTheControl) {
  auto message = [](auto&& operation) -> std::string {
    try {
      operation();
    } catch (const std::logic_error& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_THAT(message([&] { window_->Text(999); }), HasSubstr("no control 999"));
  EXPECT_THAT(message([&] { window_->Text(IDC_STATIC); }), HasSubstr("no control -1"));
  EXPECT_THAT(message([&] { window_->SetCheck(IDC_NAME, BST_CHECKED); }),
              HasSubstr("control 101 (edit)"));
  EXPECT_THAT(message([&] { window_->AddItem(IDC_LIST_VIEW, "x"); }),
              HasSubstr("control 111 (list view)"));
  EXPECT_THAT(message([&] { window_->RowCount(IDC_LIST_BOX); }),
              HasSubstr("control 110 (list box)"));
  EXPECT_THAT(message([&] { window_->DateTime(IDC_APPLY); }),
              HasSubstr("control 114 (push button)"));
  EXPECT_THAT(message([&] { window_->RunModal(); }), HasSubstr("not built to run modally"));
}

TEST_F(QtWindowTest, EnterEscapeAndClosingBecomeClicksOfTheDialogsButtons) {
  QLineEdit& name = Get<QLineEdit>(IDC_NAME);
  name.setFocus();
  QTest::keyClick(&name, Qt::Key_Return);
  QTest::keyClick(&name, Qt::Key_Escape);
  // A focused push button takes Enter itself.
  QPushButton& apply = Get<QPushButton>(IDC_APPLY);
  apply.setFocus();
  QTest::keyClick(&apply, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(qt_->TopWidget().close());
  EXPECT_THAT(Received(),
              ElementsAre(Notification{IDOK, BN_CLICKED}, Notification{IDCANCEL, BN_CLICKED},
                          Notification{IDC_APPLY, BN_CLICKED}, Notification{IDCANCEL, BN_CLICKED}));
  EXPECT_TRUE(qt_->TopWidget().isVisible());

  // A disabled default button takes no Enter.
  window_->SetEnabled(IDOK, false);
  name.setFocus();
  QTest::keyClick(&name, Qt::Key_Return);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtWindowTest, DisabledButtonIgnoresClicks) {
  window_->SetEnabled(IDC_APPLY, false);
  EXPECT_FALSE(window_->IsEnabled(IDC_APPLY));
  QTest::mouseClick(&Get<QPushButton>(IDC_APPLY), Qt::LeftButton);
  EXPECT_THAT(Received(), IsEmpty());
  window_->SetEnabled(IDC_APPLY, true);
  QTest::mouseClick(&Get<QPushButton>(IDC_APPLY), Qt::LeftButton);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_APPLY, BN_CLICKED}));
}

TEST_F(QtWindowTest, WindowDestroyedByTheClickItNotifiesGoesSafely) {
  QPointer<QWidget> top = &qt_->TopWidget();
  sink_.onNotify = [&](int, int) { window_.reset(); };
  QTest::mouseClick(&Get<QPushButton>(IDC_APPLY), Qt::LeftButton);
  EXPECT_EQ(window_, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(top.isNull());
}

}  // namespace
