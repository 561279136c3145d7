#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/host/ui/qt/LayoutCheck.h"
#include "tests/host/ui/qt/QtTestBackend.h"
#include "tests/host/ui/qt/TestTemplates.h"

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(LayoutCheck, PassesAWellLaidOutDialogAndPage) {
  EXPECT_THAT(CheckLayout(TestBackend(), qttest::ControlsDialog()), IsEmpty());
  EXPECT_THAT(CheckLayout(TestBackend(), qttest::PageTemplate(970, "Page")), IsEmpty());
}

TEST(LayoutCheck, ReportsCutCaptionsOverlapsAndControlsOutsideTheDialog) {
  using K = ControlKind;
  DialogTemplate dialog;
  dialog.id = 971;
  dialog.width = 100;
  dialog.height = 60;
  dialog.controls = {
      {IDC_STATIC, K::GroupBox, "A group box title far too long", {2, 2, 40, 56}},
      {10, K::PushButton, "Add holiday of year", {5, 12, 30, 14}},
      {IDC_STATIC, K::Label, "Holiday:", {50, 12, 40, 8}},
      {11, K::Edit, "", {60, 16, 30, 12}},
      {12, K::CheckBox, "Check boxes never wrap their words", {5, 30, 60, 10}},
      {13, K::Edit, "", {80, 50, 30, 14}},
      {IDC_STATIC, K::Label, "Two short lines", {5, 42, 40, 18}},
  };
  EXPECT_THAT(CheckLayout(TestBackend(), dialog),
              ElementsAre(HasSubstr("group box \"A group box title far too long\" [2,2 40x56 dlu] "
                                    "shows its caption"),
                          HasSubstr("push button 10 \"Add holiday of year\" [5,12 30x14 dlu]"),
                          HasSubstr("check box 12"),
                          AllOf(HasSubstr("edit 13"), HasSubstr("reaches outside")),
                          AllOf(HasSubstr("label \"Holiday:\""), HasSubstr("overlaps edit 11"))));
}

}  // namespace
