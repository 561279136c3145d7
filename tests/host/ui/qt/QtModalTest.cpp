#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <stdexcept>

#include "tests/host/ui/qt/QtTestBackend.h"
#include "tests/host/ui/qt/RecordingSink.h"
#include "tests/host/ui/qt/TestTemplates.h"
#include "ui/backend/PropertySheetListener.h"
#include "ui/qt/QtUiWindow.h"

namespace {

using namespace qttest;
using ::testing::ElementsAre;

// Runs the step once the modal loop about to start has shown its window.
void Soon(std::function<void()> step) { QTimer::singleShot(0, qApp, std::move(step)); }

// Ends, as a failure, whatever modal window a broken test leaves waiting for a user.
class ModalWatchdog {
 public:
  ModalWatchdog() {
    timer_.setSingleShot(false);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "a modal window was left open: " << dialog->windowTitle().toStdString();
        dialog->done(-1);
      }
    });
    timer_.start(10000);
  }

 private:
  QTimer timer_;
};

template <class Widget>
Widget* ActiveModal() {
  return qobject_cast<Widget*>(QApplication::activeModalWidget());
}

QtUiWindow& Qt(const std::unique_ptr<UiWindow>& window) {
  return dynamic_cast<QtUiWindow&>(*window);
}

TEST(QtModalDialog, RunsUntilAButtonsHandlerEndsIt) {
  ModalWatchdog watchdog;
  RecordingSink sink;
  std::unique_ptr<UiWindow> dialog =
      TestBackend().CreateWindow(ControlsDialog(), WindowRole::ModalDialog, nullptr, sink);
  sink.onNotify = [&](int id, int) {
    if (id == IDC_APPLY) dialog->EndModal(IDC_APPLY);
  };
  bool wasRunning = false;
  Soon([&] {
    wasRunning = Qt(dialog).TopWidget().isVisible() && Qt(dialog).IsRunning();
    QTest::keyClicks(Qt(dialog).ControlWidget(IDC_NAME), "x");
    QTest::mouseClick(Qt(dialog).ControlWidget(IDC_APPLY), Qt::LeftButton);
  });
  EXPECT_EQ(dialog->RunModal(), IDC_APPLY);
  EXPECT_TRUE(wasRunning);
  EXPECT_FALSE(Qt(dialog).TopWidget().isVisible());
  EXPECT_THAT(sink.received,
              ElementsAre(Notification{IDC_NAME, EN_CHANGE}, Notification{IDC_APPLY, BN_CLICKED}));
  EXPECT_EQ(dialog->Text(IDC_NAME), "x");
}

TEST(QtModalDialog, EndedBeforeItRunsReturnsAtOnce) {
  ModalWatchdog watchdog;
  RecordingSink sink;
  std::unique_ptr<UiWindow> dialog =
      TestBackend().CreateWindow(ControlsDialog(), WindowRole::ModalDialog, nullptr, sink);
  dialog->EndModal(IDCANCEL);
  EXPECT_EQ(dialog->RunModal(), IDCANCEL);
}

TEST(QtModalDialog, EscapeAsksForCancelAndANestedDialogEndsFirst) {
  ModalWatchdog watchdog;
  RecordingSink outerSink;
  RecordingSink innerSink;
  std::unique_ptr<UiWindow> outer =
      TestBackend().CreateWindow(ControlsDialog(), WindowRole::ModalDialog, nullptr, outerSink);
  std::unique_ptr<UiWindow> inner;
  int innerResult = 0;
  outerSink.onNotify = [&](int id, int) {
    if (id == IDCANCEL) outer->EndModal(IDCANCEL);
    if (id != IDC_APPLY) return;
    inner = TestBackend().CreateWindow(ControlsDialog(), WindowRole::ModalDialog, outer.get(),
                                       innerSink);
    Soon([&] {
      // The inner dialog stays in front of the outer one.
      EXPECT_EQ(Qt(inner).TopWidget().parentWidget(), &Qt(outer).TopWidget());
      QTest::keyClick(Qt(inner).ControlWidget(IDC_NAME), Qt::Key_Return);
    });
    innerSink.onNotify = [&](int innerId, int) { inner->EndModal(innerId); };
    innerResult = inner->RunModal();
    inner.reset();
    Soon([&] { QTest::keyClick(&Qt(outer).TopWidget(), Qt::Key_Escape); });
  };
  Soon([&] { QTest::mouseClick(Qt(outer).ControlWidget(IDC_APPLY), Qt::LeftButton); });
  EXPECT_EQ(outer->RunModal(), IDCANCEL);
  EXPECT_EQ(innerResult, IDOK);
}

TEST(QtModalDialog, AnExceptionFromAHandlerEndsTheLoopAndReachesTheCaller) {
  ModalWatchdog watchdog;
  RecordingSink sink;
  std::unique_ptr<UiWindow> dialog =
      TestBackend().CreateWindow(ControlsDialog(), WindowRole::ModalDialog, nullptr, sink);
  sink.onNotify = [](int, int) { throw std::runtime_error("handler failed"); };
  Soon([&] { QTest::mouseClick(Qt(dialog).ControlWidget(IDC_APPLY), Qt::LeftButton); });
  EXPECT_THROW(
      {
        try {
          dialog->RunModal();
        } catch (const std::runtime_error& error) {
          EXPECT_STREQ(error.what(), "handler failed");
          throw;
        }
      },
      std::runtime_error);
  // The error is not thrown twice.
  sink.onNotify = [&](int id, int) { dialog->EndModal(id); };
  Soon([&] { QTest::mouseClick(Qt(dialog).ControlWidget(IDOK), Qt::LeftButton); });
  EXPECT_EQ(dialog->RunModal(), IDOK);
}

// A sheet listener that refuses OK a number of times and may keep a page.
class SheetListener final : public PropertySheetListener {
 public:
  bool OnLeavePage(int pageIndex) override {
    left.push_back(pageIndex);
    return allowLeave;
  }
  void OnPageActivated(int pageIndex) override { activated.push_back(pageIndex); }
  bool OnSheetOk() override { return ++okAsked > refusals; }
  int ActivePageAfterRefusal() const override { return 1; }

  int refusals = 0;
  int okAsked = 0;
  bool allowLeave = true;
  std::vector<int> left;
  std::vector<int> activated;
};

class QtPropertySheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 2; ++i) {
      windows_.push_back(TestBackend().CreateWindow(PageTemplate(950 + i, "Page"),
                                                    WindowRole::PropertyPage, nullptr, sink_));
      pages_.push_back({windows_.back().get(), i == 0 ? "First" : "Second"});
    }
  }

  static QDialog* Sheet() { return ActiveModal<QDialog>(); }
  static QTabWidget* Tabs() { return Sheet()->findChild<QTabWidget*>(); }
  // The page widget the tab shows (each tab scrolls its page).
  static QWidget* PageIn(int tab) {
    auto* holder = qobject_cast<QScrollArea*>(Tabs()->widget(tab));
    return holder != nullptr ? holder->widget() : nullptr;
  }
  static void Press(QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(Sheet()->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
  }

  RecordingSink sink_;
  std::vector<std::unique_ptr<UiWindow>> windows_;
  std::vector<SheetPage> pages_;
  SheetListener listener_;
};

TEST_F(QtPropertySheetTest, RefusedOkKeepsTheSheetOpenOnTheRefusingPageUntilAccepted) {
  ModalWatchdog watchdog;
  listener_.refusals = 1;
  bool openAfterRefusal = false;
  int pageAfterRefusal = -1;
  Soon([&] {
    EXPECT_EQ(Tabs()->tabText(1), QStringLiteral("Second"));
    QTest::keyClicks(Qt(windows_[0]).ControlWidget(IDC_PAGE_EDIT), "typed");
    Press(QDialogButtonBox::Ok);
    Soon([&] {
      openAfterRefusal = Sheet() != nullptr && Sheet()->isVisible();
      pageAfterRefusal = Tabs()->currentIndex();
      Press(QDialogButtonBox::Ok);
    });
  });
  EXPECT_TRUE(TestBackend().RunPropertySheet("Properties", "", pages_, listener_));
  EXPECT_EQ(listener_.okAsked, 2);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(pageAfterRefusal, 1);
  // The backend shows the refusing page without activating it again.
  EXPECT_TRUE(listener_.activated.empty());
  EXPECT_THAT(
      sink_.received,
      ElementsAre(Notification{IDC_PAGE_EDIT, EN_CHANGE}, Notification{IDC_PAGE_EDIT, EN_CHANGE},
                  Notification{IDC_PAGE_EDIT, EN_CHANGE}, Notification{IDC_PAGE_EDIT, EN_CHANGE},
                  Notification{IDC_PAGE_EDIT, EN_CHANGE}));
  // The page widgets went back to their windows.
  EXPECT_EQ(Qt(windows_[0]).TopWidget().parentWidget(), nullptr);
  EXPECT_EQ(windows_[0]->Text(IDC_PAGE_EDIT), "typed");
}

// A page replaced while the sheet runs, its old window already gone, takes the old
// one's tab and becomes the active one; the sheet stays open, and the listener
// hears nothing of it: not even when the page replaced is the only one and shown,
// as in the tool's sheet, where the tab must never be left without a page. The
// field that had the focus in the old page has it in the new one.
TEST_F(QtPropertySheetTest, APageReplacedOnOkTakesItsTabWhileTheSheetStaysOpen) {
  class ReplacingListener final : public PropertySheetListener {
   public:
    ReplacingListener(std::unique_ptr<UiWindow>& old, int index, UiEventSink& sink)
        : old_(old), index_(index), sink_(sink) {}
    bool OnLeavePage(int page) override {
      left.push_back(page);
      return true;
    }
    void OnPageActivated(int page) override { activated.push_back(page); }
    bool OnSheetOk() override {
      if (replacement) return true;
      old_.reset();
      replacement = TestBackend().CreateWindow(PageTemplate(952, "Page"), WindowRole::PropertyPage,
                                               nullptr, sink_);
      replacement->SetText(IDC_PAGE_EDIT, "replaced");
      TestBackend().ReplaceSheetPage(index_, {replacement.get(), "Replaced"});
      return false;
    }
    int ActivePageAfterRefusal() const override { return index_; }
    std::unique_ptr<UiWindow> replacement;
    std::vector<int> left;
    std::vector<int> activated;

   private:
    std::unique_ptr<UiWindow>& old_;
    int index_;
    UiEventSink& sink_;
  };
  struct Case {
    const char* what;
    std::size_t pages;
    int replaced;
  };
  for (const Case c :
       {Case{"another page than the one shown", 2, 1}, Case{"the only page, shown", 1, 0}}) {
    SCOPED_TRACE(c.what);
    pages_.clear();
    windows_.clear();
    SetUp();
    pages_.resize(c.pages);
    ReplacingListener listener(windows_[static_cast<std::size_t>(c.replaced)], c.replaced, sink_);
    ModalWatchdog watchdog;
    bool open = false;
    int count = 0;
    int current = -1;
    QWidget* shown = nullptr;
    QWidget* focus = nullptr;
    Soon([&] {
      QWidget* edit =
          Qt(windows_[static_cast<std::size_t>(c.replaced)]).ControlWidget(IDC_PAGE_EDIT);
      Tabs()->setCurrentIndex(c.replaced);
      edit->setFocus();
      // Enter in the field presses OK, and the field goes with its page.
      QTest::keyClick(edit, Qt::Key_Return);
      Soon([&] {
        open = Sheet() != nullptr && Sheet()->isVisible();
        count = Tabs()->count();
        current = Tabs()->currentIndex();
        shown = PageIn(c.replaced);
        focus = Sheet()->focusWidget();
        Press(QDialogButtonBox::Ok);
      });
    });
    EXPECT_TRUE(TestBackend().RunPropertySheet("Properties", "", pages_, listener));
    EXPECT_TRUE(open);
    EXPECT_EQ(count, static_cast<int>(c.pages));
    EXPECT_EQ(current, c.replaced);
    ASSERT_TRUE(listener.replacement);
    EXPECT_EQ(shown, &Qt(listener.replacement).TopWidget());
    EXPECT_EQ(focus, Qt(listener.replacement).ControlWidget(IDC_PAGE_EDIT));
    EXPECT_EQ(listener.replacement->Text(IDC_PAGE_EDIT), "replaced");
    EXPECT_EQ(Qt(listener.replacement).TopWidget().parentWidget(), nullptr);
    // Leaving the first page for the second, in the first case, is all it heard.
    EXPECT_EQ(listener.left, c.replaced == 1 ? std::vector<int>{0} : std::vector<int>{});
    EXPECT_EQ(listener.activated, c.replaced == 1 ? std::vector<int>{1} : std::vector<int>{});
  }
}

TEST_F(QtPropertySheetTest, LeavingATabAsksThePageAndCancelCloses) {
  ModalWatchdog watchdog;
  Soon([&] {
    listener_.allowLeave = false;
    Tabs()->setCurrentIndex(1);
    const int kept = Tabs()->currentIndex();
    listener_.allowLeave = true;
    Tabs()->setCurrentIndex(1);
    EXPECT_EQ(kept, 0);
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    Press(QDialogButtonBox::Cancel);
  });
  EXPECT_FALSE(TestBackend().RunPropertySheet("Properties", "", pages_, listener_));
  EXPECT_THAT(listener_.left, ElementsAre(0, 0));
  EXPECT_THAT(listener_.activated, ElementsAre(1));
  EXPECT_EQ(listener_.okAsked, 0);
}

TEST_F(QtPropertySheetTest, EscapeCancelsTheSheet) {
  ModalWatchdog watchdog;
  Soon([] { QTest::keyClick(Sheet(), Qt::Key_Escape); });
  EXPECT_FALSE(TestBackend().RunPropertySheet("Properties", "", pages_, listener_));
}

struct MessageSeen {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
};

// Answers the next message box with the button and tells what it showed.
MessageSeen AnswerMessageBox(QMessageBox::StandardButton answer, const MessageBoxRequest& request) {
  MessageSeen seen;
  Soon([&seen, answer] {
    QMessageBox* box = ActiveModal<QMessageBox>();
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
    QTest::mouseClick(box->button(answer), Qt::LeftButton);
  });
  EXPECT_EQ(TestBackend().MessageBox(nullptr, request), answer == QMessageBox::Ok    ? IDOK
                                                        : answer == QMessageBox::Yes ? IDYES
                                                        : answer == QMessageBox::No  ? IDNO
                                                                                     : IDCANCEL);
  return seen;
}

TEST(QtMessageBox, ShowsCaptionTextButtonsAndIconAndAnswersWithThePressedButton) {
  ModalWatchdog watchdog;
  const MessageSeen warning = AnswerMessageBox(
      QMessageBox::Ok, {"Currency can not be empty", "HCDKELO", MB_OK | MB_ICONWARNING});
  EXPECT_EQ(warning.caption, QStringLiteral("HCDKELO"));
  EXPECT_EQ(warning.text, QStringLiteral("Currency can not be empty"));
  EXPECT_EQ(warning.icon, QMessageBox::Warning);
  EXPECT_EQ(warning.buttons, 1);

  const MessageSeen plain =
      AnswerMessageBox(QMessageBox::Ok, {"Please select Currency first", "Message", MB_OK});
  EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
  EXPECT_EQ(plain.caption, QStringLiteral("Message"));

  const MessageSeen question =
      AnswerMessageBox(QMessageBox::No, {"Save <changes>?", "Q", MB_YESNOCANCEL | MB_ICONQUESTION});
  EXPECT_EQ(question.text, QStringLiteral("Save <changes>?"));
  EXPECT_EQ(question.buttons, 3);
  AnswerMessageBox(QMessageBox::Cancel, {"Go on?", "Q", MB_OKCANCEL});
}

// Enter presses the button the request names as the default, the first of the set
// where it names none: a question whose safe answer is No opens on No.
TEST(QtMessageBox, EnterGivesTheDefaultButtonsAnswer) {
  ModalWatchdog watchdog;
  struct Case {
    unsigned type;
    int answer;
  };
  for (const Case c :
       {Case{MB_OK, IDOK}, Case{MB_YESNO, IDYES},
        Case{MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, IDNO},
        Case{MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL}, Case{MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        Case{MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO}}) {
    Soon([] {
      QMessageBox* box = ActiveModal<QMessageBox>();
      ASSERT_NE(box, nullptr);
      QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(TestBackend().MessageBox(nullptr, {"Overwrite it?", "Q", c.type}), c.answer)
        << std::hex << c.type;
  }
}

TEST(QtFileChooser, OffersTheFiltersAndHandsBackThePathTyped) {
  ModalWatchdog watchdog;
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  FileChooserRequest request;
  request.defaultExtension = "csv";
  request.initialFileName = "*.csv";
  request.flags = OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_OVERWRITEPROMPT;
  request.filters = ParseFileFilter("CSV Files (*.csv)|*.csv|");
  QStringList filters;
  Soon([&] {
    auto* chooser = ActiveModal<QFileDialog>();
    ASSERT_NE(chooser, nullptr);
    filters = chooser->nameFilters();
    EXPECT_EQ(chooser->defaultSuffix(), QStringLiteral("csv"));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    // Typed at once: keystroke by keystroke, the path completer would take the Enter.
    name->setText(folder.filePath(QStringLiteral("report")));
    QTest::keyClick(name, Qt::Key_Return);
  });
  const std::optional<std::string> chosen = TestBackend().ChooseFile(nullptr, request);
  EXPECT_THAT(filters, ElementsAre(QStringLiteral("CSV Files (*.csv)")));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder.filePath(QStringLiteral("report.csv")).toStdString());

  // The next one opens where the user chose the last file.
  QString opensIn;
  Soon([&] {
    opensIn = ActiveModal<QFileDialog>()->directory().absolutePath();
    ActiveModal<QFileDialog>()->reject();
  });
  EXPECT_EQ(TestBackend().ChooseFile(nullptr, request), std::nullopt);
  EXPECT_EQ(opensIn, QDir(folder.path()).absolutePath());
}

TEST(QtFileChooser, ASaveChooserSuggestsItsNameAndConfirmsReplacing) {
  ModalWatchdog watchdog;
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  FileChooserRequest request;
  request.open = false;
  request.defaultExtension = "ics";
  request.initialFileName = "GBP-holidays.ics";
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  request.filters = ParseFileFilter("iCalendar files (*.ics)|*.ics|CSV files (*.csv)|*.csv||");
  Soon([&] {
    auto* chooser = ActiveModal<QFileDialog>();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(chooser->testOption(QFileDialog::DontConfirmOverwrite));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("GBP-holidays.ics"));
    name->setText(folder.filePath(QStringLiteral("gbp")));
    QTest::keyClick(name, Qt::Key_Return);
  });
  const std::optional<std::string> chosen = TestBackend().ChooseFile(nullptr, request);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder.filePath(QStringLiteral("gbp.ics")).toStdString());

  request.flags = OFN_HIDEREADONLY;
  Soon([&] {
    auto* chooser = ActiveModal<QFileDialog>();
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->testOption(QFileDialog::DontConfirmOverwrite));
    chooser->reject();
  });
  EXPECT_EQ(TestBackend().ChooseFile(nullptr, request), std::nullopt);
}

TEST(QtRendering, WindowAndSheetPicturesHaveTheirWindowsSize) {
  ModalWatchdog watchdog;
  QTemporaryDir folder;
  RecordingSink sink;
  std::unique_ptr<UiWindow> window =
      TestBackend().CreateWindow(ControlsDialog(), WindowRole::Modeless, nullptr, sink);
  const std::string picture = folder.filePath(QStringLiteral("controls.png")).toStdString();
  TestBackend().RenderWindowToPng(*window, picture);
  const QImage image(QString::fromStdString(picture));
  EXPECT_EQ(image.size(), Qt(window).TopWidget().size());

  std::unique_ptr<UiWindow> page = TestBackend().CreateWindow(
      PageTemplate(960, "Page"), WindowRole::PropertyPage, nullptr, sink);
  const SheetPage pages[] = {{page.get(), "Only"}};
  const std::string sheet = folder.filePath(QStringLiteral("sheet.png")).toStdString();
  TestBackend().RenderSheetToPng("Sheet", pages, 0, sheet);
  const QImage sheetImage(QString::fromStdString(sheet));
  EXPECT_GT(sheetImage.width(), Qt(page).TopWidget().width());
  EXPECT_GT(sheetImage.height(), Qt(page).TopWidget().height());
  EXPECT_EQ(Qt(page).TopWidget().parentWidget(), nullptr);

  EXPECT_THROW(TestBackend().RenderWindowToPng(*window, "/nonexistent-folder/x.png"),
               std::runtime_error);
}

}  // namespace
