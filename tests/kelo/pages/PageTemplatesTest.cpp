#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "kelo/pages/ModuleDialogTemplates.h"
#include "kelo/pages/PageTemplates.h"
#include "tests/kelo/pages/TemplateLayout.h"

namespace {

using K = ControlKind;
using S = ControlStyle;

// One control as the page code and the host's scripts expect it. Labels are checked
// through the control they name.
struct ExpectedControl {
  int id;  // IDC_STATIC for the group boxes nothing addresses
  ControlKind kind;
  std::string caption;  // for edits and lists: the label right before it
  std::string group;    // the group box it sits in, "" for none (and for group boxes)
  std::uint32_t style = S::None;
};

struct ExpectedTemplate {
  DialogTemplate (*build)();
  int id;
  std::string title;
  std::uint32_t style;
  std::vector<ExpectedControl> controls;  // every control but the labels, in template order
};

const ExpectedTemplate kTemplates[] = {
    {kelo::HandCfgTemplate,
     12000,
     "KEL Benchmark Adiministration Configuration",
     DialogStyle::Child,
     {
         {IDC_STATIC, K::GroupBox, "Proxy Setting", ""},
         {12005, K::CheckBox, "Enable Proxy", "Proxy Setting"},
         {12013, K::RadioButton, "System default proxy setting", "Proxy Setting",
          S::AutoRadio | S::Group | S::Disabled},
         {12007, K::RadioButton, "Proxy:", "Proxy Setting", S::AutoRadio | S::Disabled},
         {12008, K::Edit, "Address:", "Proxy Setting", S::Disabled},
         {12009, K::Edit, "Port:", "Proxy Setting", S::Disabled},
         {IDC_STATIC, K::GroupBox, "System Setting", ""},
         {12012, K::Edit, "Max Messages Per Sec.:", "System Setting"},
         {12049, K::RadioButton, "Default URL", "System Setting"},
         {12051, K::RadioButton, "Production", "System Setting"},
         {12052, K::RadioButton, "Testing", "System Setting"},
         {12050, K::RadioButton, "User-defined URL:", "System Setting"},
         {12057, K::Edit, "Host URL:", "System Setting"},
         {12053, K::Edit, "TestReq:", "System Setting"},
         {12054, K::Edit, "UserReq:", "System Setting"},
         {12055, K::Edit, "BnchmkSubReq:", "System Setting"},
         {12056, K::Edit, "BnchmkRptReq:", "System Setting"},
         {IDC_STATIC, K::GroupBox, "KEL Benchmark Administration Account", ""},
         {12010, K::Edit, "Username:", "KEL Benchmark Administration Account"},
         {12011, K::Edit, "Password:", "KEL Benchmark Administration Account", S::Password},
         {IDC_STATIC, K::GroupBox, "Panel Member", ""},
         {12032, K::Edit, "SenderCompID:", "Panel Member"},
         {12033, K::Edit, "TargetCompID:", "Panel Member"},
         {IDC_STATIC, K::GroupBox, "Bank Holiday", ""},
         {12058, K::CheckBox, "Suppress output during bank holiday", "Bank Holiday"},
         {12059, K::PushButton, "Holiday setting", "Bank Holiday"},
     }},
    {kelo::StaticRecSetCfgTemplate,
     12003,
     "KELO Static Recordset Configuration",
     DialogStyle::Child,
     {
         {12014, K::GroupBox, "Parties", ""},
         {12021, K::Edit, "Party ID:", "Parties"},
         {12031, K::ComboBox, "Party ID Source:", "Parties", S::DropDown | S::Sorted},
         {12029, K::ComboBox, "Party Role:", "Parties", S::DropDown | S::Sorted},
         {IDC_STATIC, K::GroupBox, "Instrument", ""},
         {12036, K::Edit, "Currency:", "Instrument"},
         {12035, K::Edit, "Security ID:", "Instrument"},
         {12028, K::ComboBox, "Security ID Source:", "Instrument", S::DropDown | S::Sorted},
         {12045, K::CheckBox, "Submissions with full curve", "Instrument"},
         {IDC_STATIC, K::GroupBox, "Benchmark Report", ""},
         {12046, K::CheckBox, "Write response Benchmark Report to CSV file", "Benchmark Report"},
         {12047, K::Edit, "File Location:", "Benchmark Report"},
         {12048, K::PushButton, "&Browse...", "Benchmark Report"},
         {IDC_STATIC, K::GroupBox, "Optimisation", ""},
         {12067, K::CheckBox, "Disable Optimisation", "Optimisation"},
         {12068, K::CheckBox, "Optimise Inital Image", "Optimisation", S::Disabled},
         {12069, K::CheckBox, "Suppress Initial Output", "Optimisation"},
     }},
    {kelo::DynRecSetConfigTemplate,
     12004,
     "KELO Dynamic Recordset Configuration",
     DialogStyle::Child,
     {
         {IDC_STATIC, K::GroupBox, "Instrument", ""},
         {12035, K::Edit, "Security ID:", "Instrument"},
     }},
    {kelo::FieldChooserTemplate,
     12001,
     "Select Field",
     DialogStyle::ModalFrame | DialogStyle::Caption | DialogStyle::SysMenu,
     {
         {12020, K::ListBox, "", "", S::Sorted | S::Notify | S::VScroll},
         {1, K::PushButton, "OK", "", S::DefaultButton},
         {2, K::PushButton, "Cancel", ""},
     }},
};

class PageTemplateTest : public ::testing::TestWithParam<ExpectedTemplate> {};

TEST_P(PageTemplateTest, HasTheControlsThePageAddresses) {
  const ExpectedTemplate& expected = GetParam();
  const DialogTemplate t = expected.build();
  EXPECT_EQ(t.id, expected.id);
  EXPECT_EQ(t.title, expected.title);
  EXPECT_EQ(t.style, expected.style);

  // Every control but the labels, group boxes included, matched in order by id, kind
  // and caption: an id or a caption changed in the template shows here.
  std::size_t next = 0;
  std::string group;
  for (std::size_t i = 0; i < t.controls.size(); ++i) {
    const ControlTemplate& c = t.controls[i];
    if (c.kind == K::Label) continue;
    ASSERT_LT(next, expected.controls.size()) << "unexpected control " << c.id << " " << c.caption;
    const ExpectedControl& e = expected.controls[next++];
    SCOPED_TRACE("control " + std::to_string(e.id) + " " + e.caption);
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.kind, e.kind);
    if (c.kind == K::GroupBox) group = c.caption;
    const bool labelled = c.kind == K::Edit || c.kind == K::ComboBox;
    if (labelled) {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(t.controls[i - 1].kind, K::Label);
      EXPECT_EQ(t.controls[i - 1].id, IDC_STATIC);
      EXPECT_EQ(t.controls[i - 1].caption, e.caption);
      EXPECT_EQ(c.caption, "");
    } else {
      EXPECT_EQ(c.caption, e.caption);
    }
    EXPECT_EQ(c.kind == K::GroupBox ? "" : group, e.group);
    EXPECT_TRUE(c.Has(e.style));
    EXPECT_EQ(c.Has(S::Disabled), (e.style & S::Disabled) != 0);
    if (c.kind == K::RadioButton && c.id >= 12049) {
      EXPECT_FALSE(c.Has(S::AutoRadio)) << "the page sets these marks itself";
    }
  }
  EXPECT_EQ(next, expected.controls.size()) << "controls missing from the template";
}

TEST_P(PageTemplateTest, IsLaidOutWithoutOverlapsAndWithRoomForEveryCaption) {
  const DialogTemplate t = GetParam().build();
  EXPECT_EQ(LayoutProblems(t), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Pages, PageTemplateTest, ::testing::ValuesIn(kTemplates),
                         [](const auto& info) {
                           return "Template" + std::to_string(info.param.id);
                         });

TEST(PageTemplates, HandlerPageShowsThreeDisplayOnlyHints) {
  const DialogTemplate t = kelo::HandCfgTemplate();
  std::vector<std::string> hints;
  for (std::size_t i = 0; i + 1 < t.controls.size(); ++i) {
    const ControlTemplate& c = t.controls[i];
    if (c.kind == K::Label && t.controls[i + 1].kind != K::Edit) hints.push_back(c.caption);
  }
  // The production and testing endpoints, then an example host name.
  ASSERT_EQ(hints.size(), 3u);
  EXPECT_EQ(hints[0].rfind("https://", 0), 0u);
  EXPECT_EQ(hints[1].rfind("https://", 0), 0u);
  EXPECT_NE(hints[0], hints[1]);
  EXPECT_EQ(hints[2].find("://"), std::string::npos) << "a host name has no scheme";
}

TEST(PageTemplates, LayoutCheckFindsOverlapsAndCrampedCaptions) {
  DialogTemplate t;
  t.width = 100;
  t.height = 50;
  t.controls = {
      {IDC_STATIC, K::GroupBox, "Group", {2, 2, 96, 30}},
      {10, K::CheckBox, "A caption far too long for its box", {6, 12, 40, 10}},
      {11, K::Edit, "", {30, 14, 40, 14}},
      {12, K::PushButton, "OK", {60, 40, 50, 14}},
  };
  const std::vector<std::string> problems = LayoutProblems(t);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_NE(problems[0].find("too narrow"), std::string::npos);
  EXPECT_NE(problems[1].find("overlaps"), std::string::npos);
  EXPECT_NE(problems[2].find("outside the dialog"), std::string::npos);
  EXPECT_NE(problems[3].find("outside its group box"), std::string::npos);
}

TEST(ModuleDialogTemplates, ListsThePagesTheChooserAndTheHolidayDialogsOnce) {
  std::multiset<int> ids;
  for (const DialogTemplate& t : kelo::ModuleDialogTemplates()) ids.insert(t.id);
  // 12002 is the holiday setting dialog, 12075 the "New currency" dialog it opens.
  EXPECT_EQ(ids, (std::multiset<int>{12000, 12001, 12002, 12003, 12004, 12075}));
}

}  // namespace
