#include <gtest/gtest.h>

#include "ui/DialogTemplate.h"

namespace {

using K = ControlKind;

// What a user knows each control by: a captioned control by its caption, an input by
// the label in front of it, marks and the closing colon left out.
TEST(DialogTemplateTest, FieldNamesAreWhatTheUserReads) {
  DialogTemplate dialog;
  dialog.controls = {
      {IDC_STATIC, K::Label, "&Address:", {7, 9, 40, 8}},
      {10, K::Edit, "", {50, 7, 80, 14}},
      {IDC_STATIC, K::GroupBox, "Proxy", {5, 25, 150, 60}},
      {IDC_STATIC, K::Label, "Port :", {10, 35, 60, 8}},
      {11, K::Edit, "", {10, 45, 60, 14}},
      {12, K::CheckBox, "&Enable &&more:", {10, 62, 80, 10}},
      {13, K::RadioButton, "Proxy:", {10, 74, 80, 10}},
      // A label beside nothing, then an input to its left that it does not name.
      {IDC_STATIC, K::Label, "hint", {120, 100, 30, 8}},
      {14, K::Edit, "", {7, 100, 60, 14}},
      {15, K::PushButton, "&Browse...", {7, 120, 50, 14}},
      {16, K::GroupBox, "Account", {160, 25, 80, 60}},
  };
  struct Case {
    int id;
    const char* name;
  };
  for (const Case c : {Case{10, "Address"}, Case{11, "Port"}, Case{12, "Enable &more"},
                       Case{13, "Proxy"}, Case{14, "control 14"}, Case{15, "Browse..."},
                       Case{16, "Account"}, Case{99, "control 99"}}) {
    EXPECT_EQ(dialog.FieldName(c.id), c.name) << c.id;
  }
  EXPECT_EQ(DialogTemplate::ShownCaption("&Save &&Close: "), "Save &Close");
}

}  // namespace
