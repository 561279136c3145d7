// Text typed in a window that the configuration's 8-bit character set cannot hold
// is refused on save, naming the field and the character, with the page left open;
// it is never stored as '?'.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/pages/CKELODlgDynRecSetConfig.h"
#include "kelo/pages/CKELODlgHandCfg.h"
#include "kelo/pages/CKELODlgStaticRecSetCfg.h"
#include "kelo/pages/ModuleTemplateRegistration.h"
#include "kelo/pages/PageTemplates.h"
#include "tests/host/ui/qt/QtTestBackend.h"
#include "ui/CPropertySheet.h"
#include "ui/qt/QtUiWindow.h"

namespace {

void Soon(std::function<void()> step) { QTimer::singleShot(0, qApp, std::move(step)); }

QDialog* Sheet() { return qobject_cast<QDialog*>(QApplication::activeModalWidget()); }

void Press(QDialogButtonBox::StandardButton which) {
  QTest::mouseClick(Sheet()->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

// Puts the text in the control as typing or pasting would.
void Type(QWidget* widget, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget))
    edit->setText(text);
  else if (auto* combo = qobject_cast<QComboBox*>(widget))
    combo->setEditText(text);
}

struct Outcome {
  int result = 0;
  std::vector<std::string> messages;
  bool openAfterRefusal = false;
};

// Runs the page alone in a sheet: types the text into the control, presses OK,
// answers the message boxes, then presses Cancel if the sheet is still open.
Outcome TypeAndPressOk(CPropertyPage& page, int controlId, const QString& text) {
  Outcome outcome;
  std::function<void()> answerBoxes = [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      outcome.messages.push_back(box->text().toStdString());
      box->accept();
      Soon(answerBoxes);
    }
  };
  Soon([&] {
    auto& window = dynamic_cast<QtUiWindow&>(*page.GetUiWindow());
    Type(window.ControlWidget(controlId), text);
    Soon(answerBoxes);
    Press(QDialogButtonBox::Ok);
    if (Sheet() != nullptr && Sheet()->isVisible()) {
      outcome.openAfterRefusal = true;
      Press(QDialogButtonBox::Cancel);
    }
  });
  CPropertySheet sheet("Properties");
  sheet.AddPage(&page);
  outcome.result = sheet.DoModal();
  return outcome;
}

class PageText : public ::testing::Test {
 protected:
  void SetUp() override {
    TestBackend();
    ASSERT_TRUE(registration_.Succeeded());
  }

 private:
  kelo::ModuleTemplateRegistration registration_;
};

struct PageKind {
  DialogTemplate dialog;
  std::function<std::unique_ptr<CPropertyPage>()> make;
};

std::vector<PageKind> Pages() {
  return {
      {kelo::HandCfgTemplate(),
       [] {
         return std::make_unique<kelo::CKELODlgHandCfg>(std::make_unique<kelo::HandlerConfig>());
       }},
      {kelo::StaticRecSetCfgTemplate(),
       [] {
         return std::make_unique<kelo::CKELODlgStaticRecSetCfg>(
             std::make_unique<kelo::CKELOStaticRecSetConfig>());
       }},
      {kelo::DynRecSetConfigTemplate(),
       [] {
         return std::make_unique<kelo::CKELODlgDynRecSetConfig>(
             std::make_unique<kelo::CKELODynRecSetConfig>());
       }},
  };
}

TEST_F(PageText, EveryTextFieldOfEveryPageRefusesACharacterBeyondLatin1) {
  int fields = 0;
  for (const PageKind& kind : Pages()) {
    for (const ControlTemplate& control : kind.dialog.controls) {
      const bool typed =
          control.kind == ControlKind::Edit ||
          (control.kind == ControlKind::ComboBox && control.Has(ControlStyle::DropDown));
      if (control.id == IDC_STATIC || !typed) continue;
      ++fields;
      const std::string name = kind.dialog.FieldName(control.id);
      SCOPED_TRACE(kind.dialog.title + ": " + name);
      EXPECT_NE(name.rfind("control ", 0), 0u) << "no label names control " << control.id;
      const auto page = kind.make();
      const Outcome outcome = TypeAndPressOk(*page, control.id, QStringLiteral("EUR \u20AC 5"));
      EXPECT_EQ(outcome.result, IDCANCEL);
      EXPECT_TRUE(outcome.openAfterRefusal);
      ASSERT_EQ(outcome.messages.size(), 1u);
      EXPECT_EQ(outcome.messages[0],
                "\"" + name +
                    "\" holds the character U+20AC, which the configuration cannot store. Please "
                    "use characters of ISO-8859-1 only.");
    }
  }
  EXPECT_GE(fields, 10);
}

TEST_F(PageText, NamesTheFieldByItsLabelAndACharacterBeyondTheBasicPlane) {
  const PageKind dynamic = Pages()[2];
  const auto page = dynamic.make();
  const Outcome outcome = TypeAndPressOk(*page, 12035, QString::fromUtf8("GBP \xF0\x9F\x92\xB7"));
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].rfind("\"Security ID\" holds the character U+1F4B7,", 0), 0u)
      << outcome.messages[0];
}

TEST_F(PageText, Latin1TextIsStoredByteForByte) {
  auto config = std::make_unique<kelo::CKELODynRecSetConfig>();
  kelo::CKELODlgDynRecSetConfig page(std::move(config));
  const Outcome outcome = TypeAndPressOk(page, 12035, QString::fromLatin1("Z\xFCrich \xA3"));
  EXPECT_EQ(outcome.result, IDOK);
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(page.GetConfig().SecurityID, "Z\xFCrich \xA3");
}

}  // namespace
