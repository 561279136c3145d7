#include "kelo/pages/PageTemplates.h"
#include "kelo/pages/ResourceIds.h"

namespace kelo {

namespace {

using K = ControlKind;
using S = ControlStyle;

constexpr std::uint32_t kChoiceCombo = S::DropDown | S::Sorted | S::VScroll;

}  // namespace

DialogTemplate StaticRecSetCfgTemplate() {
  DialogTemplate t;
  t.id = IDD_KELO_STATICRECSET;
  t.title = "KELO Static Recordset Configuration";
  t.width = 320;
  t.height = 297;
  t.style = DialogStyle::Child;
  t.controls = {
      {IDC_PARTIES_GROUP, K::GroupBox, "Parties", {7, 7, 306, 72}},
      {IDC_STATIC, K::Label, "Party ID:", {15, 23, 76, 8}},
      {IDC_PARTY_ID, K::Edit, "", {94, 20, 211, 14}},
      {IDC_STATIC, K::Label, "Party ID Source:", {15, 41, 76, 8}},
      {IDC_PARTY_ID_SOURCE, K::ComboBox, "", {94, 38, 211, 14}, kChoiceCombo},
      {IDC_STATIC, K::Label, "Party Role:", {15, 59, 76, 8}},
      {IDC_PARTY_ROLE, K::ComboBox, "", {94, 56, 211, 14}, kChoiceCombo},

      {IDC_STATIC, K::GroupBox, "Instrument", {7, 85, 306, 85}},
      {IDC_STATIC, K::Label, "Currency:", {15, 101, 76, 8}},
      {IDC_CURRENCY, K::Edit, "", {94, 98, 211, 14}},
      {IDC_STATIC, K::Label, "Security ID:", {15, 119, 76, 8}},
      {IDC_SECURITY_ID, K::Edit, "", {94, 116, 211, 14}},
      {IDC_STATIC, K::Label, "Security ID Source:", {15, 137, 76, 8}},
      {IDC_SECURITY_ID_SOURCE, K::ComboBox, "", {94, 134, 211, 14}, kChoiceCombo},
      {IDC_FULL_CURVE, K::CheckBox, "Submissions with full curve", {15, 152, 150, 10}},

      {IDC_STATIC, K::GroupBox, "Benchmark Report", {7, 176, 306, 51}},
      {IDC_WRITE_RESPONSE,
       K::CheckBox,
       "Write response Benchmark Report to CSV file",
       {15, 189, 230, 10}},
      {IDC_STATIC, K::Label, "File Location:", {15, 208, 76, 8}},
      {IDC_FILE_LOCATION, K::Edit, "", {94, 205, 155, 14}},
      {IDC_BROWSE, K::PushButton, "&Browse...", {253, 205, 52, 14}},

      {IDC_STATIC, K::GroupBox, "Optimisation", {7, 233, 306, 57}},
      {IDC_DISABLE_OPTIMISATION, K::CheckBox, "Disable Optimisation", {15, 246, 130, 10}},
      // Indented: it only matters while optimisation is disabled.
      {IDC_OPTIMISE_INITIAL_IMAGE,
       K::CheckBox,
       "Optimise Inital Image",
       {27, 259, 130, 10},
       S::Disabled},
      {IDC_SUPPRESS_INIT_OUTPUT, K::CheckBox, "Suppress Initial Output", {15, 272, 130, 10}},
  };
  return t;
}

}  // namespace kelo
