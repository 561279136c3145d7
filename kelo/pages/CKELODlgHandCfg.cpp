#include "kelo/pages/CKELODlgHandCfg.h"

#include <utility>

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

CKELODlgHandCfg::~CKELODlgHandCfg() = default;

void CKELODlgHandCfg::LoadWorkingCopy() {
  const HandlerConfig& c = *m_config;
  m_defaultURL = c.EnableDefaultURL;
  m_testEnv = c.EnableTestEnv;
  m_hostURL = c.UserDefinedHostURL;
  m_urlTestReq = c.UrlForTestReq;
  m_urlUserReq = c.UrlForUserReq;
  m_urlBnchmkSubReq = c.UrlForBnchmkSubReq;
  m_urlBnchmkRptReq = c.UrlForBnchmkRptReq;
  m_enableProxy = c.EnableProxy;
  m_useIEProxy = c.UseIEProxy;
  m_proxyAddr = c.ProxyAddr;
  m_proxyPort = c.ProxyPort;
  m_senderCompID = c.SID;
  m_targetCompID = c.TID;
  m_username = c.Username;
  m_password = c.Password;
  m_bankHoliday = c.EnableBankHoliday;
  m_maxMessagePerSec = c.MaxMessagePerSec;
  m_holidays = c.CurrencyTable;
}

void CKELODlgHandCfg::ExchangeTexts(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_HOST_URL, m_hostURL);
  DDX_Text(pDX, IDC_URL_TEST_REQ, m_urlTestReq);
  DDX_Text(pDX, IDC_URL_USER_REQ, m_urlUserReq);
  DDX_Text(pDX, IDC_URL_BNCHMK_SUB_REQ, m_urlBnchmkSubReq);
  DDX_Text(pDX, IDC_URL_BNCHMK_RPT_REQ, m_urlBnchmkRptReq);
  DDX_Text(pDX, IDC_PROXY_ADDR, m_proxyAddr);
  DDX_Text(pDX, IDC_PROXY_PORT, m_proxyPort);
  DDX_Text(pDX, IDC_SENDER_COMP_ID, m_senderCompID);
  DDX_Text(pDX, IDC_TARGET_COMP_ID, m_targetCompID);
  DDX_Text(pDX, IDC_USERNAME, m_username);
  DDX_Text(pDX, IDC_PASSWORD, m_password);
  // The framework refuses anything but a whole number with its own message.
  DDX_Text(pDX, IDC_MAX_MSG_PER_SEC, m_maxMessagePerSec);
}

void CKELODlgHandCfg::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RADIO_SYSTEM_PROXY, m_systemProxyButton);
  DDX_Control(pDX, IDC_RADIO_PROXY, m_proxyButton);
  DDX_Control(pDX, IDC_PROXY_ADDR, m_proxyAddrEdit);
  DDX_Control(pDX, IDC_PROXY_PORT, m_proxyPortEdit);
  DDX_Control(pDX, IDC_HOLIDAY_SETTING, m_holidaySettingButton);

  // Only the first load takes the record: a later one, when the user comes back to
  // the tab, must keep what was edited since.
  if (!pDX->m_bSaveAndValidate && m_firstLoad) {
    m_firstLoad = false;
    LoadWorkingCopy();
  }
  ExchangeTexts(pDX);
  if (pDX->m_bSaveAndValidate) Validate(pDX);
  DDX_Check(pDX, IDC_ENABLE_PROXY, m_enableProxy);
  DDX_Check(pDX, IDC_BANK_HOLIDAY, m_bankHoliday);
  if (pDX->m_bSaveAndValidate) StoreWorkingCopy();
}

void CKELODlgHandCfg::Validate(CDataExchange* pDX) {
  // The endpoint texts only matter, and are only cleaned up, when they are used.
  if (!m_defaultURL) {
    for (std::string* url :
         {&m_hostURL, &m_urlTestReq, &m_urlUserReq, &m_urlBnchmkSubReq, &m_urlBnchmkRptReq})
      *url = TrimWhiteSpace(*url);
    if (m_hostURL.empty())
      RefuseExchange(pDX, IDC_HOST_URL, "User-defined [Host URL] can not be empty");
  }

  m_senderCompID = TrimWhiteSpace(m_senderCompID);
  m_targetCompID = TrimWhiteSpace(m_targetCompID);
  if (m_senderCompID.empty())
    RefuseExchange(pDX, IDC_SENDER_COMP_ID, "SenderCompID can not be empty");
  if (m_targetCompID.empty())
    RefuseExchange(pDX, IDC_TARGET_COMP_ID, "TargetCompID can not be empty");

  if (m_enableProxy && !m_useIEProxy) {
    if (m_proxyAddr.empty())
      RefuseExchange(pDX, IDC_PROXY_ADDR, "Please enter an address for Proxy");
    if (m_proxyPort.empty()) RefuseExchange(pDX, IDC_PROXY_PORT, "Please enter port for Proxy");
  }
}

void CKELODlgHandCfg::StoreWorkingCopy() {
  HandlerConfig& c = *m_config;
  c.EnableDefaultURL = m_defaultURL;
  c.UserDefinedHostURL = m_hostURL;
  c.UrlForTestReq = m_urlTestReq;
  c.UrlForUserReq = m_urlUserReq;
  c.UrlForBnchmkSubReq = m_urlBnchmkSubReq;
  c.UrlForBnchmkRptReq = m_urlBnchmkRptReq;
  c.EnableTestEnv = m_testEnv;
  c.EnableProxy = m_enableProxy;
  c.UseIEProxy = m_useIEProxy;
  c.ProxyAddr = m_proxyAddr;
  c.ProxyPort = m_proxyPort;
  c.TID = m_targetCompID;
  c.SID = m_senderCompID;
  c.Username = m_username;
  c.Password = m_password;
  c.EnableBankHoliday = m_bankHoliday;
  c.MaxMessagePerSec = m_maxMessagePerSec;
  c.CurrencyTable = m_holidays;
}

bool CKELODlgHandCfg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  OnEnableProxy();
  if (m_defaultURL)
    OnDefaultURL();
  else
    OnUserDefinedURL();
  ShowTestingChoice();
  OnBankHoliday();
  return true;
}

// The endpoint radio buttons do not mark themselves: the page keeps their marks in
// step with its working copy.
void CKELODlgHandCfg::OnDefaultURL() {
  m_defaultURL = true;
  CheckDlgButton(IDC_RADIO_DEFAULT_URL, BST_CHECKED);
  CheckDlgButton(IDC_RADIO_USER_URL, BST_UNCHECKED);
  GetDlgItem(IDC_RADIO_PRODUCTION)->EnableWindow(true);
  GetDlgItem(IDC_RADIO_TESTING)->EnableWindow(true);
  for (int id : kUserUrlEdits) GetDlgItem(id)->EnableWindow(false);
}

void CKELODlgHandCfg::OnUserDefinedURL() {
  m_defaultURL = false;
  CheckDlgButton(IDC_RADIO_DEFAULT_URL, BST_UNCHECKED);
  CheckDlgButton(IDC_RADIO_USER_URL, BST_CHECKED);
  // Disabled, but still showing which built-in endpoint would apply.
  GetDlgItem(IDC_RADIO_PRODUCTION)->EnableWindow(false);
  GetDlgItem(IDC_RADIO_TESTING)->EnableWindow(false);
  for (int id : kUserUrlEdits) GetDlgItem(id)->EnableWindow(true);
}

void CKELODlgHandCfg::OnProduction() {
  m_testEnv = false;
  ShowTestingChoice();
}

void CKELODlgHandCfg::OnTesting() {
  m_testEnv = true;
  ShowTestingChoice();
}

void CKELODlgHandCfg::ShowTestingChoice() {
  CheckDlgButton(IDC_RADIO_PRODUCTION, Mark(!m_testEnv));
  CheckDlgButton(IDC_RADIO_TESTING, Mark(m_testEnv));
}

void CKELODlgHandCfg::OnEnableProxy() {
  m_enableProxy = IsDlgButtonChecked(IDC_ENABLE_PROXY) == BST_CHECKED;
  m_systemProxyButton.EnableWindow(m_enableProxy);
  m_proxyButton.EnableWindow(m_enableProxy);
  if (!m_enableProxy) {
    m_proxyAddrEdit.EnableWindow(false);
    m_proxyPortEdit.EnableWindow(false);
    return;
  }
  m_systemProxyButton.SetCheck(Mark(m_useIEProxy));
  m_proxyButton.SetCheck(Mark(!m_useIEProxy));
  OnProxyKind();
}

void CKELODlgHandCfg::OnProxyKind() {
  m_useIEProxy = m_systemProxyButton.GetCheck() == BST_CHECKED;
  m_proxyAddrEdit.EnableWindow(!m_useIEProxy);
  m_proxyPortEdit.EnableWindow(!m_useIEProxy);
}

void CKELODlgHandCfg::OnBankHoliday() {
  m_bankHoliday = IsDlgButtonChecked(IDC_BANK_HOLIDAY) == BST_CHECKED;
  m_holidaySettingButton.EnableWindow(m_bankHoliday);
}

// The dialog edits its own copy; the page takes it back only on OK, and the record
// only at the next successful save.
void CKELODlgHandCfg::OnHolidaySetting() {
  CKELODlgHolidaySetting dialog(m_holidays, this);
  if (dialog.DoModal() != IDOK) return;
  m_holidays.clear();
  m_holidays = dialog.GetHolidayTable();
}

}  // namespace kelo
