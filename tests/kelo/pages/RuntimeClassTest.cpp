#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "kelo/pages/CKELODlgDynRecSetConfig.h"
#include "kelo/pages/CKELODlgFieldChooser.h"
#include "kelo/pages/CKELODlgStaticRecSetCfg.h"
#include "tests/kelo/pages/PageFixture.h"

namespace {

using RuntimeClass = PageFixture;

TEST_F(RuntimeClass, RecordSetPagesAndTheChooserNameTheirClasses) {
  kelo::CKELODlgStaticRecSetCfg staticPage(std::make_unique<kelo::CKELOStaticRecSetConfig>());
  kelo::CKELODlgDynRecSetConfig dynamicPage(std::make_unique<kelo::CKELODynRecSetConfig>());
  kelo::CKELODlgFieldChooser chooser;
  const CWnd* pages[] = {&staticPage, &dynamicPage};

  EXPECT_STREQ(staticPage.GetRuntimeClass()->m_lpszClassName, "CKELODlgStaticRecSetCfg");
  EXPECT_STREQ(dynamicPage.GetRuntimeClass()->m_lpszClassName, "CKELODlgDynRecSetConfig");
  EXPECT_STREQ(chooser.GetRuntimeClass()->m_lpszClassName, "CKELODlgFieldChooser");
  for (const CWnd* page : pages) EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CPropertyPage)));
  EXPECT_TRUE(chooser.IsKindOf(RUNTIME_CLASS(CDialogEx)));
  EXPECT_FALSE(chooser.IsKindOf(RUNTIME_CLASS(CPropertyPage)));
}

}  // namespace
