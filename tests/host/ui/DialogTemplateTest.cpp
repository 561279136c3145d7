#include <gtest/gtest.h>

#include <vector>

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

// The one rule every lookup by caption follows (scripts, the tool's typed actions):
// a caption names a control when it reads as the caption that names it, marks and
// closing colon left out of both; a name shared by two controls is told apart by the
// group box each sits in.
TEST(DialogTemplateTest, ACaptionNamesTheControlItsNameReadsAs) {
  DialogTemplate dialog;
  dialog.controls = {
      {IDC_STATIC, K::GroupBox, "&System Setting", {5, 5, 150, 40}},
      {IDC_STATIC, K::Label, "Default &URL:", {10, 15, 40, 8}},
      {10, K::Edit, "", {55, 13, 80, 14}},
      {IDC_STATIC, K::GroupBox, "Test", {5, 50, 150, 40}},
      {IDC_STATIC, K::Label, "Default URL:", {10, 60, 40, 8}},
      {11, K::Edit, "", {55, 58, 80, 14}},
      {12, K::CheckBox, "&Enable", {10, 75, 60, 10}},
      // A label, then another label: only the one right in front names the input.
      {IDC_STATIC, K::Label, "Far:", {10, 100, 20, 8}},
      {IDC_STATIC, K::Label, "Near:", {35, 100, 20, 8}},
      {13, K::Edit, "", {60, 98, 60, 14}},
      {14, K::PushButton, ":", {10, 120, 20, 14}},
  };
  struct Case {
    int id;
    const char* caption;
    bool named;
  };
  const Case cases[] = {
      {10, "Default URL", true},
      {10, "Default URL:", true},
      {10, "Default &URL:", true},
      {10, "default url", false},
      {11, "Default URL", true},
      {12, "Enable", true},
      {12, "&Enable", true},
      {12, "Enable:", true},
      {12, "Enabled", false},
      {13, "Near", true},
      {13, "Far", false},
      {14, ":", true},
      {14, "", false},
      {99, "Enable", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dialog.IsNamed(c.id, c.caption), c.named) << c.id << " \"" << c.caption << '"';
  EXPECT_EQ(dialog.GroupName(10), "System Setting");
  EXPECT_EQ(dialog.GroupName(11), "Test");
  EXPECT_EQ(dialog.GroupName(13), "");
  EXPECT_EQ(dialog.NamedBy(10), &dialog.controls[1]);
  EXPECT_EQ(dialog.NamedBy(12), &dialog.controls[6]);
  EXPECT_EQ(dialog.NamedBy(99), nullptr);
}

// What the template says of a control beyond its name, for every backend: the hint
// beside it, the group box around it, and the row of buttons that ends a dialog.
TEST(DialogTemplateTest, AHintBesideAControlDescribesIt) {
  DialogTemplate dialog;
  dialog.controls = {
      {IDC_STATIC, K::GroupBox, "System", {5, 5, 300, 100}},
      {10, K::RadioButton, "Production", {10, 15, 60, 10}},
      {IDC_STATIC, K::Label, "https://prod.example", {75, 16, 100, 8}},
      // Above the next choice, the hint is still no name of it: a choice has its own.
      {16, K::RadioButton, "Testing", {10, 26, 100, 10}},
      {IDC_STATIC, K::Label, "https://test.example", {115, 27, 100, 8}},
      {IDC_STATIC, K::Label, "Host URL:", {10, 30, 40, 8}},
      {11, K::Edit, "", {55, 28, 80, 14}},
      {IDC_STATIC, K::Label, "e.g. host.example", {140, 30, 80, 8}},
      // The label at the right names the next control.
      {12, K::Edit, "", {10, 48, 80, 14}},
      {IDC_STATIC, K::Label, "Port:", {95, 50, 30, 8}},
      {13, K::Edit, "", {130, 48, 40, 14}},
      // An arrow says nothing; a label below is no hint.
      {14, K::PushButton, "Add", {10, 66, 50, 14}},
      {IDC_STATIC, K::Label, "==>", {65, 68, 16, 8}},
      {15, K::CheckBox, "Enable", {10, 84, 60, 10}},
      {IDC_STATIC, K::Label, "below", {10, 96, 60, 8}},
      {IDOK, K::PushButton, "OK", {200, 110, 50, 14}},
      {IDCANCEL, K::PushButton, "Cancel", {255, 110, 50, 14}},
  };
  struct Case {
    int id;
    const char* hint;  // "" for none
  };
  for (const Case c : {Case{10, "https://prod.example"}, Case{16, "https://test.example"},
                       Case{11, "e.g. host.example"}, Case{12, ""}, Case{13, ""}, Case{14, ""},
                       Case{15, ""}, Case{IDCANCEL, ""}, Case{99, ""}}) {
    const ControlTemplate* hint = dialog.DescriptionFor(c.id);
    EXPECT_EQ(hint != nullptr ? hint->caption : "", c.hint) << c.id;
  }
  EXPECT_EQ(dialog.GroupBoxAround(dialog.controls[6]), &dialog.controls[0]);
  EXPECT_EQ(dialog.GroupBoxAround(dialog.controls[0]), nullptr);
  EXPECT_EQ(dialog.GroupBoxAround(dialog.controls[15]), nullptr);
  EXPECT_EQ(dialog.ButtonRow(), (std::vector<std::size_t>{15, 16}));
}

TEST(DialogTemplateTest, TheButtonRowIsTheLowestRowWhenOnlyButtonsAreInIt) {
  struct Case {
    const char* what;
    std::vector<ControlTemplate> controls;
    std::vector<std::size_t> row;
  };
  const Case cases[] = {
      {"OK and Cancel under a list",
       {{20, K::ListBox, "", {7, 7, 176, 100}},
        {IDOK, K::PushButton, "OK", {80, 114, 50, 14}},
        {IDCANCEL, K::PushButton, "Cancel", {133, 115, 50, 14}}},
       {1, 2}},
      {"a list beside the lowest button",
       {{20, K::ListBox, "", {7, 7, 60, 130}}, {IDOK, K::PushButton, "OK", {80, 114, 50, 14}}},
       {}},
      {"buttons down the side of a list as high as they are",
       {{IDOK, K::PushButton, "OK", {80, 7, 50, 14}},
        {IDCANCEL, K::PushButton, "Cancel", {80, 25, 50, 14}},
        {20, K::ListBox, "", {7, 7, 60, 40}}},
       {}},
      {"no buttons", {{20, K::Edit, "", {7, 7, 60, 14}}}, {}},
  };
  for (const Case& c : cases) {
    DialogTemplate dialog;
    dialog.controls = c.controls;
    EXPECT_EQ(dialog.ButtonRow(), c.row) << c.what;
  }
}

}  // namespace
