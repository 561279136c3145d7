#pragma once

// Dialog template and control ids of the module's pages and dialogs. The values are
// part of the module's interface: edit scripts address controls by them (the host's
// tool itself knows none of them).

namespace kelo {

// Templates.
inline constexpr int IDD_KELO_HANDCFG = 12000;
inline constexpr int IDD_KELO_FIELDCHOOSER = 12001;
inline constexpr int IDD_KELO_STATICRECSET = 12003;
inline constexpr int IDD_KELO_DYNRECSET = 12004;

// Handler page.
inline constexpr int IDC_ENABLE_PROXY = 12005;
inline constexpr int IDC_RADIO_PROXY = 12007;
inline constexpr int IDC_PROXY_ADDR = 12008;
inline constexpr int IDC_PROXY_PORT = 12009;
inline constexpr int IDC_USERNAME = 12010;
inline constexpr int IDC_PASSWORD = 12011;
inline constexpr int IDC_MAX_MSG_PER_SEC = 12012;
inline constexpr int IDC_RADIO_SYSTEM_PROXY = 12013;
inline constexpr int IDC_SENDER_COMP_ID = 12032;
inline constexpr int IDC_TARGET_COMP_ID = 12033;
inline constexpr int IDC_RADIO_DEFAULT_URL = 12049;
inline constexpr int IDC_RADIO_USER_URL = 12050;
inline constexpr int IDC_RADIO_PRODUCTION = 12051;
inline constexpr int IDC_RADIO_TESTING = 12052;
inline constexpr int IDC_URL_TEST_REQ = 12053;
inline constexpr int IDC_URL_USER_REQ = 12054;
inline constexpr int IDC_URL_BNCHMK_SUB_REQ = 12055;
inline constexpr int IDC_URL_BNCHMK_RPT_REQ = 12056;
inline constexpr int IDC_HOST_URL = 12057;
inline constexpr int IDC_BANK_HOLIDAY = 12058;
inline constexpr int IDC_HOLIDAY_SETTING = 12059;

// Record set pages.
inline constexpr int IDC_PARTIES_GROUP = 12014;
inline constexpr int IDC_PARTY_ID = 12021;
inline constexpr int IDC_SECURITY_ID_SOURCE = 12028;
inline constexpr int IDC_PARTY_ROLE = 12029;
inline constexpr int IDC_PARTY_ID_SOURCE = 12031;
inline constexpr int IDC_SECURITY_ID = 12035;
inline constexpr int IDC_CURRENCY = 12036;
inline constexpr int IDC_FULL_CURVE = 12045;
inline constexpr int IDC_WRITE_RESPONSE = 12046;
inline constexpr int IDC_FILE_LOCATION = 12047;
inline constexpr int IDC_BROWSE = 12048;
inline constexpr int IDC_DISABLE_OPTIMISATION = 12067;
inline constexpr int IDC_OPTIMISE_INITIAL_IMAGE = 12068;
inline constexpr int IDC_SUPPRESS_INIT_OUTPUT = 12069;

// Field chooser.
inline constexpr int IDC_FIELD_LIST = 12020;

}  // namespace kelo
