#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/host/ui/qt/QtTestBackend.h"
#include "ui/qt/DialogUnitScale.h"
#include "ui/qt/FileChooserFilters.h"
#include "ui/qt/HcdCreateUiBackend.h"
#include "ui/qt/PickerFormat.h"
#include "ui/qt/QtPlatformProbe.h"

namespace {

using ::testing::ElementsAre;

TEST(QtPickerFormat, TranslatesPickerLettersAndQuotesEverythingElse) {
  struct Case {
    const char* windows;
    const char* qt;
  };
  const Case cases[] = {
      {"yyy", "yyyy"},
      {"yyyy", "yyyy"},
      {"yy", "yy"},
      {"dd/MM/yyyy", "dd'/'MM'/'yyyy"},
      {"dddd, MMMM d", "dddd', 'MMMM' 'd"},
      {"HH:mm:ss", "HH':'mm':'ss"},
      {"hh:mm tt", "hh':'mm' 'AP"},
      {"'Year' yyy", "'Year 'yyyy"},
      {"'it''s' d", "'it''s 'd"},
      {"ddddd MMMMM", "dddd' 'MMMM"},
      {"x", "'x'"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QtPickerFormat(c.windows).toStdString(), c.qt) << c.windows;
  }
}

TEST(QtNameFilters, KeepDescriptionsThatNameTheirPatternsAndAddThemOtherwise) {
  EXPECT_THAT(QtNameFilters(ParseFileFilter("CSV Files (*.csv)|*.csv|")),
              ElementsAre(QStringLiteral("CSV Files (*.csv)")));
  EXPECT_THAT(QtNameFilters(ParseFileFilter("Text|*.txt;*.log|All Files (*.*)|*.*||")),
              ElementsAre(QStringLiteral("Text (*.txt *.log)"), QStringLiteral("All Files (*.*)")));
  EXPECT_THAT(QtNameFilters(ParseFileFilter("Calendars (*.ics;*.csv)|*.ics;*.csv||")),
              ElementsAre(QStringLiteral("Calendars (*.ics *.csv)")));
  EXPECT_THAT(QtNameFilters({{"Data (*.dat)", {"*.csv"}}, {"", {}}}),
              ElementsAre(QStringLiteral("Data (*.dat) (*.csv)"), QStringLiteral("(*)")));
}

TEST(DialogUnitScale, ConvertsLikeWindowsWithRounding) {
  const DialogUnitScale scale(7, 14);
  EXPECT_EQ(scale.X(4), 7);
  EXPECT_EQ(scale.X(2), 4);  // 3.5 rounds up
  EXPECT_EQ(scale.Y(8), 14);
  EXPECT_EQ(scale.Y(14), 25);  // 24.5
  EXPECT_EQ(scale.ToPixels(DluRect{7, 7, 50, 14}), QRect(12, 12, 88, 25));
  EXPECT_EQ(scale.ToPixels(350, 251), QSize(613, 439));
}

TEST(DialogUnitScale, MeasuresTheDialogFont) {
  TestBackend();  // a QApplication to measure with
  DialogTemplate dialog;
  const QFont font = DialogFont(dialog);
  EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(font.pointSize(), 9);
  const DialogUnitScale scale = DialogUnitScale::ForFont(font);
  EXPECT_EQ(scale.BaseY(), QFontMetrics(font).height());
  EXPECT_GT(scale.BaseX(), 4);
  EXPECT_LT(scale.BaseX(), scale.BaseY());
}

// Sets an environment variable for a scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(QtPlatformProbe, NeedsANamedPlatformOrAnXDisplay) {
  {
    ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
    ScopedEnv display("DISPLAY", nullptr);
    EXPECT_FALSE(QtPlatformCanStart());
  }
  {
    ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
    ScopedEnv display("DISPLAY", "");
    EXPECT_FALSE(QtPlatformCanStart());
  }
  {
    ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    ScopedEnv display("DISPLAY", nullptr);
    EXPECT_TRUE(QtPlatformCanStart());
  }
}

TEST(HcdCreateUiBackend, HandsOverABackendOnTheRunningApplication) {
  TestBackend();
  std::unique_ptr<UiBackend> second(HcdCreateUiBackend());
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second.get(), &TestBackend());
  // The application outlives the second backend: the first still works.
  second.reset();
  EXPECT_NE(QApplication::instance(), nullptr);
}

}  // namespace
