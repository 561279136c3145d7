#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kelo/pages/ModuleTemplateRegistration.h"
#include "ui/CPropertyPage.h"
#include "ui/CPropertySheet.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptedBackend.h"

// The module's templates registered and the scripted backend installed for one test.
// A page is run in a property sheet and played by a script, as the host runs it.
class PageFixture : public ::testing::Test {
 protected:
  PageFixture() : backend_(new ScriptedBackend), scope_(std::unique_ptr<UiBackend>(backend_)) {}

  void SetUp() override { ASSERT_TRUE(registration_.Succeeded()); }

  ScriptedBackend& Backend() { return *backend_; }

  // Runs the page alone in a sheet with the script; true when the sheet closed with
  // OK. A script that ends with the sheet open closes it with Cancel.
  bool RunSheet(CPropertyPage& page, std::string_view script) {
    backend_->Load(script);
    CPropertySheet sheet("Properties");
    sheet.AddPage(&page);
    return sheet.DoModal() == IDOK;
  }

  // The texts of every message box shown so far, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const MessageRecord& m : backend_->Messages()) texts.push_back(m.request.text);
    return texts;
  }

 private:
  ScriptedBackend* backend_;  // owned by the installed scope
  ScopedUiBackend scope_;
  kelo::ModuleTemplateRegistration registration_;
};
