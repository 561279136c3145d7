#include <gtest/gtest.h>

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

class PageLayout : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registration_.Succeeded()); }

  // Renders the page as the host shows it, alone in its sheet.
  static void RenderPage(CPropertyPage& page, const char* file) {
    const std::filesystem::path path = ImagesDir() / file;
    CPropertySheet sheet("Properties");
    sheet.AddPage(&page);
    sheet.RenderToPng(path.string());
    EXPECT_GT(std::filesystem::file_size(path), 0u) << path;
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

TEST_F(PageLayout, PagesAndChooserRender) {
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
  EXPECT_GT(std::filesystem::file_size(path), 0u) << path;
}

}  // namespace
