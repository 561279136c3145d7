#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelo/pages/HolidaySettingIds.h"
#include "kelo/pages/HolidaySettingTemplate.h"

namespace kelo {
namespace {

bool Overlap(const DluRect& a, const DluRect& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

TEST(HolidaySettingTemplateTest, HoldsTheControlsOfTheDialog) {
  const DialogTemplate dialog = HolidaySettingTemplate();
  // Scripts address the dialog by these numbers and by its labels.
  EXPECT_EQ(IDD_KELO_HOLIDAYSETTING, 12002);
  EXPECT_EQ((std::vector<int>{IDC_HOLIDAY_ADD, IDC_HOLIDAY_LIST, IDC_HOLIDAY_DATE,
                              IDC_HOLIDAY_CURRENCY, IDC_HOLIDAY_REMOVE, IDC_HOLIDAY_REMOVE_ALL,
                              IDC_HOLIDAY_ADD_YEAR, IDC_HOLIDAY_YEAR}),
            (std::vector<int>{12060, 12063, 12064, 12065, 12066, 12067, 12070, 12071}));
  auto labelBefore = [&](int id) -> std::string {
    for (std::size_t i = 1; i < dialog.controls.size(); ++i) {
      if (dialog.controls[i].id != id) continue;
      const ControlTemplate& label = dialog.controls[i - 1];
      return label.kind == ControlKind::Label && label.id == IDC_STATIC ? label.caption : "";
    }
    return "";
  };
  EXPECT_EQ(labelBefore(IDC_HOLIDAY_CURRENCY), "Currency:");
  EXPECT_EQ(labelBefore(IDC_HOLIDAY_LIST), "Holiday:");
  struct Expected {
    int id;
    ControlKind kind;
    const char* caption;
    std::uint32_t style;
  };
  using K = ControlKind;
  using S = ControlStyle;
  const Expected controls[] = {
      {IDC_HOLIDAY_CURRENCY, K::ListBox, "", S::Sorted | S::Notify | S::VScroll},
      {IDC_HOLIDAY_DATE, K::DateTimePicker, "", S::None},
      {IDC_HOLIDAY_ADD, K::PushButton, "Add", S::None},
      {IDC_HOLIDAY_ADD_YEAR, K::PushButton, "Add holiday of year", S::None},
      {IDC_HOLIDAY_YEAR, K::DateTimePicker, "", S::UpDown},
      {IDC_HOLIDAY_IMPORT, K::PushButton, "Import...", S::None},
      {IDC_HOLIDAY_EXPORT, K::PushButton, "Export...", S::None},
      {IDC_HOLIDAY_NEW_CURRENCY, K::PushButton, "Ne&w currency...", S::None},
      {IDC_HOLIDAY_LIST, K::ListView, "", S::SortAscending | S::ShowSelAlways},
      {IDC_HOLIDAY_REMOVE, K::PushButton, "Remove", S::None},
      {IDC_HOLIDAY_REMOVE_ALL, K::PushButton, "Remove All", S::None},
      {IDOK, K::PushButton, "OK", S::DefaultButton},
      {IDCANCEL, K::PushButton, "Cancel", S::None},
  };
  for (const Expected& expected : controls) {
    const ControlTemplate* control = dialog.FindControl(expected.id);
    ASSERT_NE(control, nullptr) << expected.id;
    EXPECT_EQ(control->kind, expected.kind) << expected.id;
    EXPECT_EQ(control->caption, expected.caption) << expected.id;
    EXPECT_TRUE(control->Has(expected.style)) << expected.id;
    EXPECT_FALSE(control->Has(S::SingleSelection) || control->Has(S::Disabled)) << expected.id;
  }
}

TEST(HolidaySettingTemplateTest, EveryControlFitsItsCaptionAndNoneOverlap) {
  const DialogTemplate dialog = HolidaySettingTemplate();
  // An average character takes four horizontal dialog units; buttons need a margin.
  for (const ControlTemplate& control : dialog.controls) {
    SCOPED_TRACE(control.caption.empty() ? std::to_string(control.id) : control.caption);
    EXPECT_GE(control.rect.x, 7);
    EXPECT_GE(control.rect.y, 7);
    EXPECT_LE(control.rect.Right(), dialog.width - 7);
    EXPECT_LE(control.rect.Bottom(), dialog.height - 7);
    const int margin = control.kind == ControlKind::PushButton ? 8 : 0;
    EXPECT_LE(static_cast<int>(control.caption.size()) * 4 + margin, control.rect.width);
  }
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    for (std::size_t j = i + 1; j < dialog.controls.size(); ++j) {
      EXPECT_FALSE(Overlap(dialog.controls[i].rect, dialog.controls[j].rect))
          << dialog.controls[i].caption << dialog.controls[i].id << " and "
          << dialog.controls[j].caption << dialog.controls[j].id;
    }
  }
}

TEST(HolidaySettingTemplateTest, NewCurrencyAsksForOneCodeInAFittingDialog) {
  const DialogTemplate dialog = NewCurrencyTemplate();
  EXPECT_EQ(dialog.id, IDD_KELO_NEWCURRENCY);
  EXPECT_EQ(dialog.title, "New currency");
  ASSERT_NE(dialog.LabelFor(IDC_NEW_CURRENCY_CODE), nullptr);
  EXPECT_EQ(dialog.LabelFor(IDC_NEW_CURRENCY_CODE)->caption, "Currency:");
  EXPECT_EQ(dialog.FindControl(IDC_NEW_CURRENCY_CODE)->kind, ControlKind::Edit);
  ASSERT_NE(dialog.FindControl(IDOK), nullptr);
  EXPECT_TRUE(dialog.FindControl(IDOK)->Has(ControlStyle::DefaultButton));
  ASSERT_NE(dialog.FindControl(IDCANCEL), nullptr);
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlTemplate& control = dialog.controls[i];
    EXPECT_LE(control.rect.Right(), dialog.width - 7) << control.caption;
    EXPECT_LE(control.rect.Bottom(), dialog.height - 7) << control.caption;
    for (std::size_t j = i + 1; j < dialog.controls.size(); ++j)
      EXPECT_FALSE(Overlap(control.rect, dialog.controls[j].rect)) << i << " " << j;
  }
}

}  // namespace
}  // namespace kelo
