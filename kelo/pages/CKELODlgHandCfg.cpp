#include "kelo/pages/CKELODlgHandCfg.h"

#include <string.h>

#include <utility>

#include "kelo/config/HolidayTableText.h"
#include "kelo/pages/CKELODlgHolidaySetting.h"
#include "kelo/pages/PageExchange.h"
#include "kelo/pages/ResourceIds.h"
#include "kelo/pages/TextTrim.h"
#include "ui/CDataExchange.h"
#include "ui/DDX.h"

namespace kelo {

namespace {

constexpr int kUserUrlEdits[] = {IDC_HOST_URL, IDC_URL_TEST_REQ, IDC_URL_USER_REQ,
                                 IDC_URL_BNCHMK_SUB_REQ, IDC_URL_BNCHMK_RPT_REQ};

int Mark(bool on) { return on ? BST_CHECKED : BST_UNCHECKED; }

constexpr const char* kKeptPassword = "stored password unreadable: kept until a new one is typed";

}  // namespace

BEGIN_MESSAGE_MAP(CKELODlgHandCfg, CPropertyPage)
ON_BN_CLICKED(IDC_RADIO_DEFAULT_URL, &CKELODlgHandCfg::OnDefaultURL)
ON_BN_CLICKED(IDC_RADIO_USER_URL, &CKELODlgHandCfg::OnUserDefinedURL)
ON_BN_CLICKED(IDC_RADIO_PRODUCTION, &CKELODlgHandCfg::OnProduction)
ON_BN_CLICKED(IDC_RADIO_TESTING, &CKELODlgHandCfg::OnTesting)
ON_BN_CLICKED(IDC_ENABLE_PROXY, &CKELODlgHandCfg::OnEnableProxy)
ON_BN_CLICKED(IDC_RADIO_SYSTEM_PROXY, &CKELODlgHandCfg::OnProxyKind)
ON_BN_CLICKED(IDC_RADIO_PROXY, &CKELODlgHandCfg::OnProxyKind)
ON_BN_CLICKED(IDC_BANK_HOLIDAY, &CKELODlgHandCfg::OnBankHoliday)
ON_BN_CLICKED(IDC_HOLIDAY_SETTING, &CKELODlgHandCfg::OnHolidaySetting)
END_MESSAGE_MAP()

CKELODlgHandCfg::CKELODlgHandCfg(std::unique_ptr<HandlerConfig> config)
    : CPropertyPage(IDD_KELO_HANDCFG), m_config(std::move(config)) {}

CKELODlgHandCfg::CKELODlgHandCfg(std::unique_ptr<HandlerConfig> config, const CPrivateProperty& bag)
    : CPropertyPage(IDD_KELO_HANDCFG),
      m_config(std::move(config)),
      m_unreadCalendar(StoredHolidayTable(bag)) {}

const HandlerConfig& CKELODlgHandCfg::GetConfig() {
  ReadCalendar();
  return *m_config;
}

void CKELODlgHandCfg::ReadCalendar() {
  if (!m_unreadCalendar) return;
  HolidayTable table;
  ReadHolidayTable(*m_unreadCalendar, table);
  // Until now both records held no calendar, and neither can have changed it: only
  // the holiday setting dialog does, which reads it first.
  m_copy.CurrencyTable = table;
  m_config->CurrencyTable = std::move(table);
  m_unreadCalendar.reset();
}

CKELODlgHandCfg::~CKELODlgHandCfg() {
  // Freed memory is not cleared, and the process may be dumpable again after this.
  explicit_bzero(m_copy.Password.data(), m_copy.Password.size());
  if (m_config) explicit_bzero(m_config->Password.data(), m_config->Password.size());
}

void CKELODlgHandCfg::ExchangeTexts(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_HOST_URL, m_copy.UserDefinedHostURL);
  DDX_Text(pDX, IDC_URL_TEST_REQ, m_copy.UrlForTestReq);
  DDX_Text(pDX, IDC_URL_USER_REQ, m_copy.UrlForUserReq);
  DDX_Text(pDX, IDC_URL_BNCHMK_SUB_REQ, m_copy.UrlForBnchmkSubReq);
  DDX_Text(pDX, IDC_URL_BNCHMK_RPT_REQ, m_copy.UrlForBnchmkRptReq);
  DDX_Text(pDX, IDC_PROXY_ADDR, m_copy.ProxyAddr);
  DDX_Text(pDX, IDC_PROXY_PORT, m_copy.ProxyPort);
  DDX_Text(pDX, IDC_SENDER_COMP_ID, m_copy.SID);
  DDX_Text(pDX, IDC_TARGET_COMP_ID, m_copy.TID);
  DDX_Text(pDX, IDC_USERNAME, m_copy.Username);
  DDX_Text(pDX, IDC_PASSWORD, m_copy.Password);
  // The framework refuses anything but a whole number with its own message.
  DDX_Text(pDX, IDC_MAX_MSG_PER_SEC, m_copy.MaxMessagePerSec);
}

void CKELODlgHandCfg::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RADIO_SYSTEM_PROXY, m_systemProxyButton);
  DDX_Control(pDX, IDC_RADIO_PROXY, m_proxyButton);
  DDX_Control(pDX, IDC_PROXY_ADDR, m_proxyAddrEdit);
  DDX_Control(pDX, IDC_PROXY_PORT, m_proxyPortEdit);
  DDX_Control(pDX, IDC_PASSWORD, m_passwordEdit);
  DDX_Control(pDX, IDC_HOLIDAY_SETTING, m_holidaySettingButton);

  // Only the first load takes the record: a later one, when the user comes back to
  // the tab, must keep what was edited since.
  if (!pDX->m_bSaveAndValidate && m_firstLoad) {
    m_firstLoad = false;
    m_copy = *m_config;
  }
  ExchangeTexts(pDX);
  if (pDX->m_bSaveAndValidate) Validate(pDX);
  DDX_Check(pDX, IDC_ENABLE_PROXY, m_copy.EnableProxy);
  DDX_Check(pDX, IDC_BANK_HOLIDAY, m_copy.EnableBankHoliday);
  // A new password replaces one the record kept unread; an empty box keeps it.
  if (pDX->m_bSaveAndValidate) *m_config = m_copy;
}

void CKELODlgHandCfg::Validate(CDataExchange* pDX) {
  // The endpoint texts only matter, and are only cleaned up, when they are used.
  if (!m_copy.EnableDefaultURL) {
    for (std::string* url :
         {&m_copy.UserDefinedHostURL, &m_copy.UrlForTestReq, &m_copy.UrlForUserReq,
          &m_copy.UrlForBnchmkSubReq, &m_copy.UrlForBnchmkRptReq})
      *url = TrimWhiteSpace(*url);
    if (m_copy.UserDefinedHostURL.empty())
      RefuseExchange(pDX, IDC_HOST_URL, "User-defined [Host URL] can not be empty");
  }

  m_copy.SID = TrimWhiteSpace(m_copy.SID);
  m_copy.TID = TrimWhiteSpace(m_copy.TID);
  if (m_copy.SID.empty()) RefuseExchange(pDX, IDC_SENDER_COMP_ID, "SenderCompID can not be empty");
  if (m_copy.TID.empty()) RefuseExchange(pDX, IDC_TARGET_COMP_ID, "TargetCompID can not be empty");

  if (m_copy.EnableProxy && !m_copy.UseIEProxy) {
    if (m_copy.ProxyAddr.empty())
      RefuseExchange(pDX, IDC_PROXY_ADDR, "Please enter an address for Proxy");
    if (m_copy.ProxyPort.empty())
      RefuseExchange(pDX, IDC_PROXY_PORT, "Please enter port for Proxy");
  }
}

bool CKELODlgHandCfg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  OnEnableProxy();
  if (m_copy.EnableDefaultURL)
    OnDefaultURL();
  else
    OnUserDefinedURL();
  ShowTestingChoice();
  OnBankHoliday();
  // The empty box of a stored password the record could not read tells that it is
  // kept, so that nobody takes it for no password at all.
  if (m_copy.UnreadPassword && m_copy.Password.empty()) m_passwordEdit.SetCueBanner(kKeptPassword);
  return true;
}

// The endpoint radio buttons do not mark themselves: the page keeps their marks in
// step with its working copy.
void CKELODlgHandCfg::OnDefaultURL() {
  m_copy.EnableDefaultURL = true;
  CheckDlgButton(IDC_RADIO_DEFAULT_URL, BST_CHECKED);
  CheckDlgButton(IDC_RADIO_USER_URL, BST_UNCHECKED);
  GetDlgItem(IDC_RADIO_PRODUCTION)->EnableWindow(true);
  GetDlgItem(IDC_RADIO_TESTING)->EnableWindow(true);
  for (int id : kUserUrlEdits) GetDlgItem(id)->EnableWindow(false);
}

void CKELODlgHandCfg::OnUserDefinedURL() {
  m_copy.EnableDefaultURL = false;
  CheckDlgButton(IDC_RADIO_DEFAULT_URL, BST_UNCHECKED);
  CheckDlgButton(IDC_RADIO_USER_URL, BST_CHECKED);
  // Disabled, but still showing which built-in endpoint would apply.
  GetDlgItem(IDC_RADIO_PRODUCTION)->EnableWindow(false);
  GetDlgItem(IDC_RADIO_TESTING)->EnableWindow(false);
  for (int id : kUserUrlEdits) GetDlgItem(id)->EnableWindow(true);
}

void CKELODlgHandCfg::OnProduction() {
  m_copy.EnableTestEnv = false;
  ShowTestingChoice();
}

void CKELODlgHandCfg::OnTesting() {
  m_copy.EnableTestEnv = true;
  ShowTestingChoice();
}

void CKELODlgHandCfg::ShowTestingChoice() {
  CheckDlgButton(IDC_RADIO_PRODUCTION, Mark(!m_copy.EnableTestEnv));
  CheckDlgButton(IDC_RADIO_TESTING, Mark(m_copy.EnableTestEnv));
}

void CKELODlgHandCfg::OnEnableProxy() {
  m_copy.EnableProxy = IsDlgButtonChecked(IDC_ENABLE_PROXY) == BST_CHECKED;
  m_systemProxyButton.EnableWindow(m_copy.EnableProxy);
  m_proxyButton.EnableWindow(m_copy.EnableProxy);
  if (!m_copy.EnableProxy) {
    m_proxyAddrEdit.EnableWindow(false);
    m_proxyPortEdit.EnableWindow(false);
    return;
  }
  m_systemProxyButton.SetCheck(Mark(m_copy.UseIEProxy));
  m_proxyButton.SetCheck(Mark(!m_copy.UseIEProxy));
  OnProxyKind();
}

void CKELODlgHandCfg::OnProxyKind() {
  m_copy.UseIEProxy = m_systemProxyButton.GetCheck() == BST_CHECKED;
  m_proxyAddrEdit.EnableWindow(!m_copy.UseIEProxy);
  m_proxyPortEdit.EnableWindow(!m_copy.UseIEProxy);
}

void CKELODlgHandCfg::OnBankHoliday() {
  m_copy.EnableBankHoliday = IsDlgButtonChecked(IDC_BANK_HOLIDAY) == BST_CHECKED;
  m_holidaySettingButton.EnableWindow(m_copy.EnableBankHoliday);
}

// The dialog edits its own copy; the page takes it back only on OK, and the record
// only at the next successful save.
void CKELODlgHandCfg::OnHolidaySetting() {
  ReadCalendar();
  CKELODlgHolidaySetting dialog(m_copy.CurrencyTable, this);
  if (dialog.DoModal() != IDOK) return;
  m_copy.CurrencyTable.clear();
  m_copy.CurrencyTable = dialog.GetHolidayTable();
}

}  // namespace kelo
