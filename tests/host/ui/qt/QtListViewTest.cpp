#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <functional>
#include <vector>

#include "tests/host/ui/qt/QtTestBackend.h"
#include "tests/host/ui/qt/RecordingSink.h"
#include "tests/host/ui/qt/TestTemplates.h"
#include "ui/qt/QtUiWindow.h"

namespace {

using namespace qttest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string DateKey(int n) {
  char key[48];
  std::snprintf(key, sizeof key, "%04d-%02d-%02d", 2000 + n / 372, 1 + n / 31 % 12, 1 + n % 31);
  return key;
}

// The sorted, multi-selection list view of the controls dialog with the holiday
// list's two columns.
class QtListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = TestBackend().CreateWindow(ControlsDialog(), WindowRole::Modeless, nullptr, sink_);
    qt_ = dynamic_cast<QtUiWindow*>(window_.get());
    ASSERT_NE(qt_, nullptr);
    window_->AddColumn(IDC_LIST_VIEW, "Date", 100, LVCFMT_LEFT);
    window_->AddColumn(IDC_LIST_VIEW, "Remark", 125, LVCFMT_LEFT);
    qt_->TopWidget().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&qt_->TopWidget()));
  }

  QTableView& View() { return *qobject_cast<QTableView*>(qt_->ControlWidget(IDC_LIST_VIEW)); }

  std::vector<std::string> FirstColumn() {
    std::vector<std::string> texts;
    for (int row = 0; row < window_->RowCount(IDC_LIST_VIEW); ++row) {
      texts.push_back(window_->CellText(IDC_LIST_VIEW, row, 0));
    }
    return texts;
  }

  // What the view shows in a cell, as the user sees it.
  QString Shown(int row, int column) {
    return View().model()->index(row, column).data().toString();
  }

  // Selects rows as a user's click and control-clicks would, through the view's
  // selection model.
  void UserSelects(std::initializer_list<int> rows) {
    QItemSelectionModel& selection = *View().selectionModel();
    bool first = true;
    for (int row : rows) {
      selection.select(View().model()->index(row, 0),
                       (first ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select) |
                           QItemSelectionModel::Rows);
      first = false;
    }
  }

  std::vector<Notification> Received() { return std::exchange(sink_.received, {}); }

  RecordingSink sink_;
  std::unique_ptr<UiWindow> window_;
  QtUiWindow* qt_ = nullptr;
};

TEST_F(QtListViewTest, ShowsItsColumnsWithTheirTitlesAndWidths) {
  const QHeaderView& header = *View().horizontalHeader();
  EXPECT_EQ(View().model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Date"));
  EXPECT_EQ(View().model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Remark"));
  EXPECT_EQ(header.sectionSize(0), 100);
  // The last column fills the rest of the view, and is never narrower than asked.
  QCoreApplication::processEvents();
  EXPECT_EQ(header.sectionSize(1), std::max(125, View().viewport()->width() - 100));
  EXPECT_EQ(window_->ExtendedStyle(IDC_LIST_VIEW), 0u);
  EXPECT_FALSE(View().showGrid());
  window_->SetExtendedStyle(IDC_LIST_VIEW, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(window_->ExtendedStyle(IDC_LIST_VIEW), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(View().showGrid());
  EXPECT_EQ(View().selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(View().selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(QtListViewTest, RowsStayInByteOrderOfTheirFirstColumnWithNewEqualsLast) {
  EXPECT_EQ(window_->InsertRow(IDC_LIST_VIEW, 0, {"b", "first b"}), 0);
  EXPECT_EQ(window_->InsertRow(IDC_LIST_VIEW, 0, {"a"}), 0);
  EXPECT_EQ(window_->InsertRow(IDC_LIST_VIEW, 0, {"\xE9"}), 2);
  EXPECT_EQ(window_->InsertRow(IDC_LIST_VIEW, 0, {"B"}), 0);
  EXPECT_EQ(window_->InsertRow(IDC_LIST_VIEW, 0, {"b", "second b"}), 3);
  EXPECT_THAT(FirstColumn(), ElementsAre("B", "a", "b", "b", "\xE9"));
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, 2, 1), "first b");
  EXPECT_EQ(Shown(4, 0), QString(QChar(0xE9)));

  // A cell set later shows at once, and never moves its row.
  window_->SetCellText(IDC_LIST_VIEW, 1, 0, "zzz");
  window_->SetCellText(IDC_LIST_VIEW, 1, 1, "Weekend");
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, 1, 0), "zzz");
  EXPECT_EQ(Shown(1, 1), QStringLiteral("Weekend"));
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, 9, 0), "");
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtListViewTest, TwentyThousandRowsGoInAtOnceAndAreFoundByPrefix) {
  std::vector<ListViewRow> rows;
  for (int n = 19999; n >= 0; --n) rows.push_back({DateKey(n), n % 7 == 0 ? "Weekend" : ""});
  window_->InsertRows(IDC_LIST_VIEW, rows);
  ASSERT_EQ(window_->RowCount(IDC_LIST_VIEW), 20000);
  EXPECT_EQ(View().model()->rowCount(), 20000);
  const std::vector<std::string> keys = FirstColumn();
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, 0, 0), DateKey(0));

  const int row = window_->FindRowByPrefix(IDC_LIST_VIEW, DateKey(12345), -1);
  ASSERT_GE(row, 0);
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, row, 0), DateKey(12345));
  EXPECT_EQ(window_->FindRowByPrefix(IDC_LIST_VIEW, DateKey(12345), row), -1);
  const int year = window_->FindRowByPrefix(IDC_LIST_VIEW, "2010-", -1);
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, year, 0), "2010-01-01");
  EXPECT_EQ(window_->FindRowByPrefix(IDC_LIST_VIEW, "2010-", year), year + 1);
  EXPECT_EQ(window_->FindRowByPrefix(IDC_LIST_VIEW, "1999", -1), -1);

  // Deleting most of them is one pass too.
  std::vector<int> doomed;
  for (int n = 0; n < 20000; n += 2) doomed.push_back(n);
  doomed.push_back(0);
  doomed.push_back(123456);
  window_->DeleteRows(IDC_LIST_VIEW, doomed);
  EXPECT_EQ(window_->RowCount(IDC_LIST_VIEW), 10000);
  EXPECT_EQ(View().model()->rowCount(), 10000);
  window_->DeleteAllRows(IDC_LIST_VIEW);
  EXPECT_EQ(View().model()->rowCount(), 0);
}

TEST_F(QtListViewTest, UsersSelectionNotifiesAndFollowsItsRowsThroughChangesFromCode) {
  for (const char* key : {"2024-01-01", "2024-01-06", "2024-01-07", "2024-01-13"}) {
    window_->InsertRow(IDC_LIST_VIEW, -1, {key});
  }
  UserSelects({1, 3});
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_LIST_VIEW, LVN_ITEMCHANGED},
                                      Notification{IDC_LIST_VIEW, LVN_ITEMCHANGED}));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(1, 3));
  EXPECT_EQ(window_->SelectedRowCount(IDC_LIST_VIEW), 2);

  // A row sorted in above them moves them down; in the model and on the screen.
  window_->InsertRow(IDC_LIST_VIEW, -1, {"2023-12-31"});
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(2, 4));
  // A batch resets the view, which keeps showing the same rows selected.
  window_->InsertRows(IDC_LIST_VIEW, std::vector<ListViewRow>{{"2023-01-01"}, {"2025-01-01"}});
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(3, 5));
  const QModelIndexList shown = View().selectionModel()->selectedRows();
  ASSERT_EQ(shown.size(), 2);
  EXPECT_EQ(std::min(shown[0].row(), shown[1].row()), 3);
  EXPECT_EQ(std::max(shown[0].row(), shown[1].row()), 5);

  // Selected rows removed one at a time, as the holiday dialog removes them.
  window_->DeleteRows(IDC_LIST_VIEW, std::vector<int>{5});
  window_->DeleteRows(IDC_LIST_VIEW, std::vector<int>{3});
  EXPECT_EQ(window_->SelectedRowCount(IDC_LIST_VIEW), 0);
  EXPECT_TRUE(View().selectionModel()->selectedRows().isEmpty());

  window_->SetRowSelected(IDC_LIST_VIEW, 0, true);
  window_->SetRowSelected(IDC_LIST_VIEW, 2, true);
  window_->SetRowSelected(IDC_LIST_VIEW, 0, false);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(2));
  EXPECT_EQ(View().selectionModel()->selectedRows().size(), 1);
  EXPECT_THAT(Received(), IsEmpty());
}

TEST_F(QtListViewTest, ClickAndShiftClickSelectRowsLikeAUser) {
  for (const char* key : {"a", "b", "c", "d"}) window_->InsertRow(IDC_LIST_VIEW, -1, {key, "x"});
  QWidget& viewport = *View().viewport();
  auto at = [&](int row) { return View().visualRect(View().model()->index(row, 1)).center(); };
  QTest::mouseClick(&viewport, Qt::LeftButton, {}, at(1));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(1));
  QTest::mouseClick(&viewport, Qt::LeftButton, Qt::ShiftModifier, at(3));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(1, 2, 3));
  QTest::mouseClick(&viewport, Qt::LeftButton, Qt::ControlModifier, at(2));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(1, 3));
  EXPECT_EQ(Received().size(), 3u);
}

// A remark is shown whole: its column widens to the widest one. A cell cut short
// shows its whole text as a tooltip.
TEST_F(QtListViewTest, TheLastColumnTakesItsWidestTextAndACutCellItsTooltip) {
  const std::string remark(120, 'r');
  window_->InsertRow(IDC_LIST_VIEW, -1, {std::string(60, 'k'), remark});
  QCoreApplication::processEvents();
  const QHeaderView& header = *View().horizontalHeader();
  EXPECT_GE(header.sectionSize(1),
            View().fontMetrics().horizontalAdvance(QString::fromStdString(remark)));
  const QRect cut = View().visualRect(View().model()->index(0, 0));
  QHelpEvent help(QEvent::ToolTip, cut.center(), View().viewport()->mapToGlobal(cut.center()));
  QCoreApplication::sendEvent(View().viewport(), &help);
  EXPECT_EQ(QToolTip::text(), QString(60, u'k'));
  QToolTip::hideText();
  window_->DeleteAllRows(IDC_LIST_VIEW);
  QCoreApplication::processEvents();
  EXPECT_EQ(header.sectionSize(1), std::max(125, View().viewport()->width() - 100));
}

// The widest remark is followed through every change: one added alone or in a batch
// widens the column, and removing or rewriting the widest one narrows it to the next.
TEST_F(QtListViewTest, TheLastColumnFollowsItsWidestTextThroughChanges) {
  const QHeaderView& header = *View().horizontalHeader();
  auto advance = [&](const std::string& text) {
    return View().fontMetrics().horizontalAdvance(QString::fromStdString(text));
  };
  // One letter throughout, so that the longer text is the wider.
  const std::string a(220, 'n'), b(180, 'n'), c(160, 'n'), d(260, 'n'), f(240, 'n');
  window_->InsertRows(IDC_LIST_VIEW, std::vector<ListViewRow>{{"k0", a}, {"k1", b}, {"k2", c}});
  QCoreApplication::processEvents();
  const int margin = header.sectionSize(1) - advance(a);
  ASSERT_GT(advance(c) + margin, View().viewport()->width());

  struct Step {
    const char* what;
    std::function<void()> change;
    const std::string* widest;
  };
  const Step steps[] = {
      {"the widest row removed", [&] { window_->DeleteRows(IDC_LIST_VIEW, std::vector{0}); }, &b},
      {"a narrower text made the widest", [&] { window_->SetCellText(IDC_LIST_VIEW, 1, 1, d); },
       &d},
      {"the widest text made short", [&] { window_->SetCellText(IDC_LIST_VIEW, 1, 1, "e"); }, &b},
      {"a wider row added alone",
       [&] {
         window_->InsertRow(IDC_LIST_VIEW, -1, {"k3", f});
       },
       &f},
      {"a narrower row removed", [&] { window_->DeleteRows(IDC_LIST_VIEW, std::vector{0}); }, &f},
      {"a batch with a wider row added",
       [&] {
         window_->InsertRows(IDC_LIST_VIEW, std::vector<ListViewRow>{{"k4", "x"}, {"k5", d}});
       },
       &d},
  };
  for (const Step& step : steps) {
    step.change();
    QCoreApplication::processEvents();
    EXPECT_EQ(header.sectionSize(1), advance(*step.widest) + margin) << step.what;
  }
}

// Ctrl+Home, Ctrl+End and Ctrl+PageDown take the selection with them, so that
// nothing stays selected out of sight; Delete presses the window's "Remove" button, and only
// while rows are selected.
TEST_F(QtListViewTest, TheKeyboardMovesTheSelectionAndDeleteAsksForRemove) {
  DialogTemplate dialog = ControlsDialog();
  dialog.id = 956;
  dialog.controls.push_back(
      {IDC_LIST_VIEW + 100, ControlKind::PushButton, "&Remove", {7, 170, 50, 14}});
  sink_.received.clear();
  window_ = TestBackend().CreateWindow(dialog, WindowRole::Modeless, nullptr, sink_);
  qt_ = dynamic_cast<QtUiWindow*>(window_.get());
  window_->AddColumn(IDC_LIST_VIEW, "Date", 100, LVCFMT_LEFT);
  std::vector<ListViewRow> rows;
  for (int n = 0; n < 200; ++n) rows.push_back({DateKey(n), "x"});
  window_->InsertRows(IDC_LIST_VIEW, rows);
  qt_->TopWidget().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&qt_->TopWidget()));

  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_THAT(Received(), IsEmpty());
  QTest::mouseClick(View().viewport(), Qt::LeftButton, {},
                    View().visualRect(View().model()->index(1, 0)).center());
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(1));
  Received();
  QTest::keyClick(&View(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(199));
  const QRect last = View().visualRect(View().model()->index(199, 0));
  EXPECT_TRUE(View().viewport()->rect().contains(last));
  QTest::keyClick(&View(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(0));
  QTest::keyClick(&View(), Qt::Key_PageDown, Qt::ControlModifier);
  ASSERT_EQ(window_->SelectedRowCount(IDC_LIST_VIEW), 1);
  const int paged = window_->SelectedRows(IDC_LIST_VIEW).front();
  EXPECT_GT(paged, 0);
  EXPECT_TRUE(
      View().viewport()->rect().intersects(View().visualRect(View().model()->index(paged, 0))));
  QTest::keyClick(&View(), Qt::Key_Home, Qt::ControlModifier);
  Received();
  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_THAT(Received(), ElementsAre(Notification{IDC_LIST_VIEW + 100, BN_CLICKED}));
}

// Home and End go to the first and last row from any column, and typing finds a row
// by its first column from any column too. Delete takes the row
// with the focus frame while none is selected, as though the user had selected it,
// and leaves the focus and the selection on the row that took the place of what it
// removed, so that Delete again goes on down the list.
TEST_F(QtListViewTest, HomeAndEndGoByRowsAndDeleteGoesOnDownTheList) {
  DialogTemplate dialog = ControlsDialog();
  dialog.id = 957;
  const int remove = IDC_LIST_VIEW + 100;
  dialog.controls.push_back({remove, ControlKind::PushButton, "&Remove", {7, 170, 50, 14}});
  window_ = TestBackend().CreateWindow(dialog, WindowRole::Modeless, nullptr, sink_);
  qt_ = dynamic_cast<QtUiWindow*>(window_.get());
  window_->AddColumn(IDC_LIST_VIEW, "Date", 100, LVCFMT_LEFT);
  window_->AddColumn(IDC_LIST_VIEW, "Remark", 125, LVCFMT_LEFT);
  std::vector<ListViewRow> rows;
  for (int n = 0; n < 10; ++n) rows.push_back({DateKey(n), "x"});
  window_->InsertRows(IDC_LIST_VIEW, rows);
  // As the holiday dialog's "Remove" does.
  sink_.onNotify = [&](int id, int code) {
    if (id == remove && code == BN_CLICKED)
      window_->DeleteRows(IDC_LIST_VIEW, window_->SelectedRows(IDC_LIST_VIEW));
  };
  qt_->TopWidget().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&qt_->TopWidget()));

  QTest::mouseClick(View().viewport(), Qt::LeftButton, {},
                    View().visualRect(View().model()->index(2, 1)).center());
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(2));
  QTest::keyClick(&View(), Qt::Key_End);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(9));
  QTest::keyClick(&View(), Qt::Key_Home);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(0));
  QTest::keyClick(&View(), Qt::Key_Down);
  QTest::keyClick(&View(), Qt::Key_Down);
  QTest::keyClick(&View(), Qt::Key_Down);
  QTest::keyClick(&View(), Qt::Key_Space, Qt::ControlModifier);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), IsEmpty());
  sink_.received.clear();

  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_EQ(FirstColumn(),
            (std::vector<std::string>{DateKey(0), DateKey(1), DateKey(2), DateKey(4), DateKey(5),
                                      DateKey(6), DateKey(7), DateKey(8), DateKey(9)}));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(3));
  EXPECT_EQ(View().currentIndex().row(), 3);
  EXPECT_EQ(sink_.received.front(), (Notification{IDC_LIST_VIEW, LVN_ITEMCHANGED}));
  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_EQ(window_->RowCount(IDC_LIST_VIEW), 8);
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, 3, 0), DateKey(5));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(3));
  // At the end, the new last row.
  QTest::keyClick(&View(), Qt::Key_End);
  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_EQ(window_->RowCount(IDC_LIST_VIEW), 7);
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(6));
  EXPECT_EQ(window_->CellText(IDC_LIST_VIEW, 6, 0), DateKey(8));

  // Typing looks for the first column's text from a cell of any column, once the
  // last keys typed are old enough not to be part of it.
  QTest::mouseClick(View().viewport(), Qt::LeftButton, {},
                    View().visualRect(View().model()->index(0, 1)).center());
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClicks(&View(), QString::fromStdString(DateKey(7)));
  EXPECT_THAT(window_->SelectedRows(IDC_LIST_VIEW), ElementsAre(5));
}

}  // namespace
