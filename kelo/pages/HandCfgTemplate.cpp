#include "kelo/pages/PageTemplates.h"
#include "kelo/pages/ResourceIds.h"

namespace kelo {

namespace {

using K = ControlKind;
using S = ControlStyle;

// Shown beside the endpoint choices so that users can tell what the built-in
// endpoints are; nothing reads them back.
constexpr const char* kProductionHint = "https://bmk.kel.example/api/v1";
constexpr const char* kTestingHint = "https://bmk-uat.kel.example/api/v1";
constexpr const char* kHostHint = "e.g. bmk.kel.example";

// The proxy kind marks itself, and waits for "Enable Proxy".
constexpr std::uint32_t kProxyRadio = S::AutoRadio | S::Disabled;

}  // namespace

// Two columns: the connection settings at the left, the identities and the holiday
// suppression at the right. Template order is the tab order, column by column.
DialogTemplate HandCfgTemplate() {
  DialogTemplate t;
  t.id = IDD_KELO_HANDCFG;
  t.title = "KEL Benchmark Adiministration Configuration";
  t.width = 480;
  t.height = 281;
  t.style = DialogStyle::Child;
  t.controls = {
      {IDC_STATIC, K::GroupBox, "Proxy Setting", {7, 7, 272, 76}},
      {IDC_ENABLE_PROXY, K::CheckBox, "Enable Proxy", {15, 19, 90, 10}},
      {IDC_RADIO_SYSTEM_PROXY,
       K::RadioButton,
       "System default proxy setting",
       {27, 32, 160, 10},
       kProxyRadio | S::Group},
      {IDC_RADIO_PROXY, K::RadioButton, "Proxy:", {27, 45, 60, 10}, kProxyRadio},
      {IDC_STATIC, K::Label, "Address:", {39, 63, 40, 8}},
      {IDC_PROXY_ADDR, K::Edit, "", {82, 60, 108, 14}, S::Disabled},
      {IDC_STATIC, K::Label, "Port:", {196, 63, 24, 8}},
      {IDC_PROXY_PORT, K::Edit, "", {222, 60, 49, 14}, S::Disabled},

      {IDC_STATIC, K::GroupBox, "System Setting", {7, 89, 272, 185}},
      {IDC_STATIC, K::Label, "Max Messages Per Sec.:", {15, 105, 100, 8}},
      {IDC_MAX_MSG_PER_SEC, K::Edit, "", {118, 102, 44, 14}},
      // The endpoint choices are one group, the hints beside them within it: the
      // arrows go through all four, and Tab stops at the checked ones.
      {IDC_RADIO_DEFAULT_URL, K::RadioButton, "Default URL", {15, 122, 80, 10}, S::Group},
      {IDC_RADIO_PRODUCTION, K::RadioButton, "Production", {27, 136, 62, 10}},
      {IDC_STATIC, K::Label, kProductionHint, {92, 137, 179, 8}},
      {IDC_RADIO_TESTING, K::RadioButton, "Testing", {27, 150, 62, 10}},
      {IDC_STATIC, K::Label, kTestingHint, {92, 151, 179, 8}},
      {IDC_RADIO_USER_URL, K::RadioButton, "User-defined URL:", {15, 166, 100, 10}},
      {IDC_STATIC, K::Label, "Host URL:", {27, 183, 60, 8}},
      {IDC_HOST_URL, K::Edit, "", {90, 180, 92, 14}},
      {IDC_STATIC, K::Label, kHostHint, {186, 183, 85, 8}},
      {IDC_STATIC, K::Label, "TestReq:", {27, 201, 60, 8}},
      {IDC_URL_TEST_REQ, K::Edit, "", {90, 198, 181, 14}},
      {IDC_STATIC, K::Label, "UserReq:", {27, 219, 60, 8}},
      {IDC_URL_USER_REQ, K::Edit, "", {90, 216, 181, 14}},
      {IDC_STATIC, K::Label, "BnchmkSubReq:", {27, 237, 60, 8}},
      {IDC_URL_BNCHMK_SUB_REQ, K::Edit, "", {90, 234, 181, 14}},
      {IDC_STATIC, K::Label, "BnchmkRptReq:", {27, 255, 60, 8}},
      {IDC_URL_BNCHMK_RPT_REQ, K::Edit, "", {90, 252, 181, 14}},

      {IDC_STATIC, K::GroupBox, "KEL Benchmark Administration Account", {286, 7, 187, 54}},
      {IDC_STATIC, K::Label, "Username:", {294, 23, 58, 8}},
      {IDC_USERNAME, K::Edit, "", {356, 20, 109, 14}},
      {IDC_STATIC, K::Label, "Password:", {294, 41, 58, 8}},
      {IDC_PASSWORD, K::Edit, "", {356, 38, 109, 14}, S::Password},

      {IDC_STATIC, K::GroupBox, "Panel Member", {286, 67, 187, 54}},
      {IDC_STATIC, K::Label, "SenderCompID:", {294, 83, 58, 8}},
      {IDC_SENDER_COMP_ID, K::Edit, "", {356, 80, 109, 14}},
      {IDC_STATIC, K::Label, "TargetCompID:", {294, 101, 58, 8}},
      {IDC_TARGET_COMP_ID, K::Edit, "", {356, 98, 109, 14}},

      {IDC_STATIC, K::GroupBox, "Bank Holiday", {286, 127, 187, 52}},
      {IDC_BANK_HOLIDAY, K::CheckBox, "Suppress output during bank holiday", {294, 141, 171, 10}},
      {IDC_HOLIDAY_SETTING, K::PushButton, "Holiday setting", {294, 157, 72, 14}},
  };
  return t;
}

}  // namespace kelo
