#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "kelo/pages/CKELODlgHolidaySetting.h"
#include "kelo/pages/HolidaySettingIds.h"
#include "kelo/pages/HolidaySettingTemplate.h"
#include "tests/host/ui/qt/LayoutCheck.h"
#include "tests/host/ui/qt/QtTestBackend.h"
#include "tests/kelo/pages/HolidaySettingPicture.h"
#include "ui/TemplateRegistry.h"

namespace {

using namespace kelo;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

void Soon(std::function<void()> step) { QTimer::singleShot(0, qApp, std::move(step)); }

// The holiday setting dialog's template registered, as the module registers it.
class HolidaySettingQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestBackend();
    ASSERT_TRUE(TemplateRegistry::Instance().Register(this, {HolidaySettingTemplate()}));
  }
  void TearDown() override { TemplateRegistry::Instance().Withdraw(this); }
};

// The dialog's widgets while it runs.
class HolidayWidgets {
 public:
  explicit HolidayWidgets(const CDialog& dialog)
      : window_(dynamic_cast<QtUiWindow&>(*dialog.GetUiWindow())) {}

  template <class Widget>
  Widget& Get(int id) const {
    return *qobject_cast<Widget*>(window_.ControlWidget(id));
  }
  void Click(int id) const { QTest::mouseClick(&Get<QPushButton>(id), Qt::LeftButton); }

  void ClickCurrency(const QString& currency) const {
    QListWidget& list = Get<QListWidget>(IDC_HOLIDAY_CURRENCY);
    const QList<QListWidgetItem*> found = list.findItems(currency, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found[0]).center());
  }

  // Types each field of a date as a user would, section by section.
  void Type(int id, int year, int month = 0, int day = 0) const {
    QDateTimeEdit& picker = Get<QDateTimeEdit>(id);
    picker.setFocus();
    auto typeInto = [&picker](QDateTimeEdit::Section section, int value, int digits) {
      picker.setSelectedSection(section);
      QTest::keyClicks(&picker, QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0')));
    };
    typeInto(QDateTimeEdit::YearSection, year, 4);
    if (month > 0) typeInto(QDateTimeEdit::MonthSection, month, 2);
    if (day > 0) typeInto(QDateTimeEdit::DaySection, day, 2);
    QTest::keyClick(&picker, Qt::Key_Tab);
  }

  // Clicks the rows with these first columns, holding Control after the first.
  void SelectRows(std::initializer_list<QString> dateKeys) const {
    QTableView& view = Get<QTableView>(IDC_HOLIDAY_LIST);
    Qt::KeyboardModifiers modifiers;
    for (const QString& key : dateKeys) {
      const QModelIndexList found =
          view.model()->match(view.model()->index(0, 0), Qt::DisplayRole, key, 1, Qt::MatchExactly);
      ASSERT_EQ(found.size(), 1) << key.toStdString();
      view.scrollTo(found[0]);
      QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers,
                        view.visualRect(found[0]).center());
      modifiers = Qt::ControlModifier;
    }
  }

  int Rows() const { return window_.RowCount(IDC_HOLIDAY_LIST); }
  std::string Cell(int row, int column) const {
    return window_.CellText(IDC_HOLIDAY_LIST, row, column);
  }
  const QtUiWindow& Window() const { return window_; }

 private:
  QtUiWindow& window_;
};

struct SeenMessage {
  std::string caption;
  std::string text;
  bool icon = true;
};

// Answers the next message box with OK, keeping what it showed.
void AnswerNextMessage(std::vector<SeenMessage>& seen) {
  Soon([&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.push_back({box->windowTitle().toStdString(), box->text().toStdString(),
                    box->icon() != QMessageBox::NoIcon});
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
}

TEST_F(HolidaySettingQtTest, UserAddsFillsAYearRemovesAndAccepts) {
  HolidayTable opener;
  opener.EnsureCurrency("CHF");
  CKELODlgHolidaySetting dialog(opener);
  std::vector<SeenMessage> messages;
  std::vector<std::string> problems;
  Soon([&] {
    const HolidayWidgets ui(dialog);
    problems = CheckLayout(ui.Window());
    EXPECT_EQ(ui.Get<QListWidget>(IDC_HOLIDAY_CURRENCY).count(), 4);
    EXPECT_EQ(ui.Get<QListWidget>(IDC_HOLIDAY_CURRENCY).currentItem()->text(),
              QStringLiteral("CHF"));
    EXPECT_EQ(ui.Get<QDateTimeEdit>(IDC_HOLIDAY_YEAR).displayFormat(), QStringLiteral("yyyy"));

    // "Add": a Saturday of the shown currency, then the same day again.
    ui.ClickCurrency(QStringLiteral("EUR"));
    ui.Type(IDC_HOLIDAY_DATE, 2024, 6, 15);
    ui.Click(IDC_HOLIDAY_ADD);
    EXPECT_EQ(ui.Rows(), 1);
    EXPECT_EQ(ui.Cell(0, 0), "2024-06-15");
    EXPECT_EQ(ui.Cell(0, 1), "Weekend");
    AnswerNextMessage(messages);
    ui.Click(IDC_HOLIDAY_ADD);
    EXPECT_EQ(ui.Rows(), 1);

    // "Add holiday of year" for GBP and 2024; the year picker keeps to 2010-2099.
    ui.ClickCurrency(QStringLiteral("GBP"));
    EXPECT_EQ(ui.Rows(), 0);
    ui.Type(IDC_HOLIDAY_YEAR, 2024);
    ui.Click(IDC_HOLIDAY_ADD_YEAR);
    EXPECT_EQ(ui.Rows(), 112);
    EXPECT_EQ(ui.Cell(0, 0), "2024-01-01");

    // "Remove" three chosen rows.
    ui.SelectRows(
        {QStringLiteral("2024-01-01"), QStringLiteral("2024-03-29"), QStringLiteral("2024-12-25")});
    ui.Click(IDC_HOLIDAY_REMOVE);
    EXPECT_EQ(ui.Rows(), 109);
    EXPECT_EQ(ui.Window().FindRowByPrefix(IDC_HOLIDAY_LIST, "2024-12-25", -1), -1);
    EXPECT_EQ(ui.Window().FindRowByPrefix(IDC_HOLIDAY_LIST, "2024-03-29", -1), -1);

    ui.Click(IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);

  EXPECT_THAT(problems, IsEmpty());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Message");
  EXPECT_EQ(messages[0].text, "The date of the holiday already added");
  EXPECT_FALSE(messages[0].icon);

  const HolidayTable& result = dialog.GetHolidayTable();
  ASSERT_NE(result.Find("EUR"), nullptr);
  EXPECT_EQ(result.Find("EUR")->size(), 1u);
  ASSERT_NE(result.Find("GBP"), nullptr);
  EXPECT_EQ(result.Find("GBP")->size(), 109u);
  EXPECT_FALSE(result.HolidayExists("GBP", 2024, 12, 25));
  EXPECT_TRUE(result.HolidayExists("GBP", 2024, 12, 26));
  ASSERT_NE(result.Find("USD"), nullptr);
  EXPECT_TRUE(result.Find("USD")->empty());
}

// Acts on the next modal window of the kind as soon as it is up; gives up after two
// seconds, so a window that never comes fails the test instead of hanging it.
template <class Window>
void WhenModal(std::function<void(Window&)> act) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (window == nullptr && ++*tries < 400) return;
    timer->stop();
    timer->deleteLater();
    if (window == nullptr) {
      ADD_FAILURE() << "no " << Window::staticMetaObject.className() << " came up";
      if (QWidget* other = QApplication::activeModalWidget()) other->close();
      return;
    }
    act(*window);
  });
  timer->start(5);
}

TEST_F(HolidaySettingQtTest, UserImportsACalendarThroughTheFileChooser) {
  CKELODlgHolidaySetting dialog(HolidayTable{});
  std::string report;
  QStringList filters;
  Soon([&] {
    const HolidayWidgets ui(dialog);
    ui.ClickCurrency(QStringLiteral("GBP"));
    WhenModal<QFileDialog>([&filters](QFileDialog& chooser) {
      filters = chooser.nameFilters();
      auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      name->setText(QStringLiteral(EXAMPLE_CALENDARS "/england-and-wales-2022-2023.ics"));
      QTest::keyClick(name, Qt::Key_Return);
      WhenModal<QMessageBox>(
          [](QMessageBox& box) { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); });
    });
    ui.Click(IDC_HOLIDAY_IMPORT);
    EXPECT_EQ(ui.Rows(), 19);
    EXPECT_EQ(ui.Cell(0, 0), "2022-01-03");
    EXPECT_EQ(ui.Cell(0, 1), "New Year's Day (substitute day)");
    ui.Click(IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_THAT(filters, ElementsAre(QStringLiteral("Holiday calendars (*.ics *.csv)"),
                                   QStringLiteral("iCalendar files (*.ics)"),
                                   QStringLiteral("CSV files (*.csv)")));
  EXPECT_EQ(dialog.GetHolidayTable().Find("GBP")->size(), 19u);
}

TEST_F(HolidaySettingQtTest, YearPickerOffersOnlyTheYearsOfItsRange) {
  CKELODlgHolidaySetting dialog(HolidayTable{});
  int earliest = 0;
  int latest = 0;
  Soon([&] {
    const HolidayWidgets ui(dialog);
    QDateTimeEdit& year = ui.Get<QDateTimeEdit>(IDC_HOLIDAY_YEAR);
    year.setFocus();
    for (int i = 0; i < 200; ++i) QTest::keyClick(&year, Qt::Key_Down);
    earliest = ui.Window().DateTime(IDC_HOLIDAY_YEAR).year;
    for (int i = 0; i < 200; ++i) QTest::keyClick(&year, Qt::Key_Up);
    latest = ui.Window().DateTime(IDC_HOLIDAY_YEAR).year;
    QTest::keyClick(&year, Qt::Key_Escape);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(earliest, 2010);
  EXPECT_EQ(latest, 2099);
}

TEST_F(HolidaySettingQtTest, TemplateLaysOutCleanlyAndItsPictureIsTheDialogsSize) {
  EXPECT_THAT(CheckLayout(TestBackend(), HolidaySettingTemplate()), IsEmpty());
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("holiday-setting.png"));
  RenderHolidaySettingPicture(path.toStdString());
  const QImage picture(path);
  const DialogUnitScale scale = DialogUnitScale::ForFont(DialogFont(HolidaySettingTemplate()));
  EXPECT_EQ(picture.size(), scale.ToPixels(350, 251));
}

}  // namespace
