#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/pages/CKELODlgDynRecSetConfig.h"
#include "kelo/pages/CKELODlgFieldChooser.h"
#include "kelo/pages/CKELODlgHandCfg.h"
#include "kelo/pages/CKELODlgStaticRecSetCfg.h"
#include "kelo/pages/ModuleTemplateRegistration.h"
#include "kelo/pages/PageTemplates.h"
#include "tests/host/ui/qt/LayoutCheck.h"
#include "tests/host/ui/qt/QtTestBackend.h"
#include "ui/CPropertySheet.h"

namespace {

// Pictures go to HCD_IMAGES_DIR when it is set (docs/images of the source tree
// when the documentation is brought up to date), else beside the test.
std::filesystem::path ImagesDir() {
  const char* dir = std::getenv("HCD_IMAGES_DIR");
  std::filesystem::path path = dir != nullptr && *dir != '\0' ? dir : KELO_PAGE_IMAGES_DIR;
  std::filesystem::create_directories(path);
  return path;
}

// The share of pixels of the picture at `rendered` that differ noticeably from the
// checked-in reference of the same name in docs/images: 1 when the sizes differ or
// either cannot be read. A font's hinting or a theme's shade may move a pixel here
// and there; a page laid out otherwise, a missing control or a blank picture moves
// many.
double DifferingShare(const std::filesystem::path& rendered) {
  const QImage picture =
      QImage(QString::fromStdString(rendered.string())).convertToFormat(QImage::Format_RGB32);
  const QImage reference =
      QImage(QString::fromStdString(
                 (std::filesystem::path(KELO_PAGE_REFERENCE_DIR) / rendered.filename()).string()))
          .convertToFormat(QImage::Format_RGB32);
  if (picture.isNull() || reference.isNull() || picture.size() != reference.size()) return 1;
  // Per channel, of 255: less than the dialog's face (239) and a white field differ.
  constexpr int kNoticeable = 12;
  long differing = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor a = picture.pixelColor(x, y);
      const QColor b = reference.pixelColor(x, y);
      if (std::abs(a.red() - b.red()) > kNoticeable ||
          std::abs(a.green() - b.green()) > kNoticeable ||
          std::abs(a.blue() - b.blue()) > kNoticeable)
        ++differing;
    }
  }
  return static_cast<double>(differing) / (static_cast<double>(picture.width()) * picture.height());
}

// At most this share of a picture's pixels may differ from its reference: less than
// a check box marked otherwise, with the button it enables, moves on the handler page
// (0.16 %).
constexpr double kTolerated = 0.001;

class PageLayout : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registration_.Succeeded()); }

  // Renders the page as the host shows it, alone in its sheet, and compares it with
  // the picture of the documentation.
  static void RenderPage(CPropertyPage& page, const char* file) {
    const std::filesystem::path path = ImagesDir() / file;
    CPropertySheet sheet("Properties");
    sheet.AddPage(&page);
    sheet.RenderToPng(path.string());
    EXPECT_LE(DifferingShare(path), kTolerated) << path;
  }

 private:
  kelo::ModuleTemplateRegistration registration_;
};

TEST_F(PageLayout, EveryTemplateFitsItsCaptionsWithoutOverlaps) {
  for (const DialogTemplate& dialog :
       {kelo::HandCfgTemplate(), kelo::StaticRecSetCfgTemplate(), kelo::DynRecSetConfigTemplate(),
        kelo::FieldChooserTemplate()}) {
    EXPECT_EQ(CheckLayout(TestBackend(), dialog), std::vector<std::string>{})
        << "template " << dialog.id << " \"" << dialog.title << "\"";
  }
}

TEST_F(PageLayout, PagesAndChooserRenderAsTheirPicturesInTheDocs) {
  auto handler = std::make_unique<kelo::HandlerConfig>();
  handler->SID = "BANK01";
  handler->TID = "KELBMK";
  handler->Username = "bank01-submitter";
  handler->Password = "secret";
  handler->EnableBankHoliday = true;
  kelo::CKELODlgHandCfg handlerPage(std::move(handler));
  RenderPage(handlerPage, "handler-page.png");

  auto recordSet = std::make_unique<kelo::CKELOStaticRecSetConfig>();
  recordSet->PartyID = "BANK01";
  recordSet->Currency = "EUR";
  recordSet->SecurityID = "EURIBOR3M";
  kelo::CKELODlgStaticRecSetCfg staticPage(std::move(recordSet));
  RenderPage(staticPage, "static-page.png");

  auto dynamic = std::make_unique<kelo::CKELODynRecSetConfig>();
  dynamic->SecurityID = "EURIBOR6M";
  kelo::CKELODlgDynRecSetConfig dynamicPage(std::move(dynamic));
  RenderPage(dynamicPage, "dynamic-page.png");

  kelo::CKELODlgFieldChooser chooser;
  chooser.SetFieldChooser(true);
  const std::filesystem::path path = ImagesDir() / "field-chooser.png";
  chooser.RenderToPng(path.string());
  EXPECT_LE(DifferingShare(path), kTolerated) << path;
}

}  // namespace
