#include "kelo/pages/CKELODlgStaticRecSetCfg.h"

#include <utility>

#include "kelo/pages/PageExchange.h"
#include "kelo/pages/ResourceIds.h"
#include "kelo/pages/TextTrim.h"
#include "ui/CDataExchange.h"
#include "ui/CFileDialog.h"
#include "ui/DDX.h"

namespace kelo {

namespace {

std::string ChoiceText(const ChoiceRow& row) {
  std::string text = row.code;
  text += " - ";
  text += row.name;
  return text;
}

}  // namespace

IMPLEMENT_DYNAMIC(CKELODlgStaticRecSetCfg, CPropertyPage)

BEGIN_MESSAGE_MAP(CKELODlgStaticRecSetCfg, CPropertyPage)
ON_CBN_SELCHANGE(IDC_SECURITY_ID_SOURCE, &CKELODlgStaticRecSetCfg::OnSecurityIDSourceChange)
ON_CBN_EDITCHANGE(IDC_SECURITY_ID_SOURCE, &CKELODlgStaticRecSetCfg::OnSecurityIDSourceChange)
ON_CBN_SELCHANGE(IDC_PARTY_ID_SOURCE, &CKELODlgStaticRecSetCfg::OnPartyIDSourceChange)
ON_CBN_EDITCHANGE(IDC_PARTY_ID_SOURCE, &CKELODlgStaticRecSetCfg::OnPartyIDSourceChange)
ON_CBN_SELCHANGE(IDC_PARTY_ROLE, &CKELODlgStaticRecSetCfg::OnPartyRoleChange)
ON_CBN_EDITCHANGE(IDC_PARTY_ROLE, &CKELODlgStaticRecSetCfg::OnPartyRoleChange)
ON_BN_CLICKED(IDC_WRITE_RESPONSE, &CKELODlgStaticRecSetCfg::OnWriteResponse)
ON_BN_CLICKED(IDC_BROWSE, &CKELODlgStaticRecSetCfg::OnBrowse)
ON_BN_CLICKED(IDC_DISABLE_OPTIMISATION, &CKELODlgStaticRecSetCfg::OnDisableOptimisation)
END_MESSAGE_MAP()

CKELODlgStaticRecSetCfg::CKELODlgStaticRecSetCfg(std::unique_ptr<CKELOStaticRecSetConfig> config)
    : CPropertyPage(IDD_KELO_STATICRECSET), m_config(std::move(config)), m_copy(*m_config) {}

CKELODlgStaticRecSetCfg::~CKELODlgStaticRecSetCfg() = default;

void CKELODlgStaticRecSetCfg::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PARTY_ID_SOURCE, m_partyIDSourceCombo);
  DDX_Control(pDX, IDC_PARTY_ROLE, m_partyRoleCombo);
  DDX_Control(pDX, IDC_SECURITY_ID_SOURCE, m_securityIDSourceCombo);
  DDX_Text(pDX, IDC_PARTY_ID, m_copy.PartyID);
  DDX_Text(pDX, IDC_CURRENCY, m_copy.Currency);
  DDX_Text(pDX, IDC_SECURITY_ID, m_copy.SecurityID);
  DDX_Text(pDX, IDC_FILE_LOCATION, m_copy.FileLocation);
  DDX_Check(pDX, IDC_FULL_CURVE, m_copy.FullCurveInSub);
  DDX_Check(pDX, IDC_WRITE_RESPONSE, m_copy.WriteResponseToFile);
  DDX_Check(pDX, IDC_DISABLE_OPTIMISATION, m_copy.DisableOptimisation);
  DDX_Check(pDX, IDC_OPTIMISE_INITIAL_IMAGE, m_copy.OptimiseInitialImage);
  DDX_Check(pDX, IDC_SUPPRESS_INIT_OUTPUT, m_copy.SuppressInitOutput);
  if (!pDX->m_bSaveAndValidate) return;
  Validate(pDX);
  *m_config = m_copy;
}

void CKELODlgStaticRecSetCfg::Validate(CDataExchange* pDX) {
  m_copy.PartyID = TrimWhiteSpace(m_copy.PartyID);
  if (m_copy.PartyID.empty())
    RefuseExchange(pDX, IDC_PARTY_ID, "Party ID is free form field but can not be empty");
  m_copy.Currency = TrimWhiteSpace(m_copy.Currency);
  if (m_copy.Currency.empty()) RefuseExchange(pDX, IDC_CURRENCY, "Currency can not be empty");
  m_copy.SecurityID = TrimWhiteSpace(m_copy.SecurityID);
  if (m_copy.SecurityID.empty())
    RefuseExchange(pDX, IDC_SECURITY_ID, "Security ID can not be empty");
  if (!ReadBack(PartyIDSource()))
    RefuseExchange(pDX, IDC_PARTY_ID_SOURCE, "Party ID Source can not be empty");
  if (!ReadBack(PartyRole())) RefuseExchange(pDX, IDC_PARTY_ROLE, "Party Role can not be empty");
  if (!ReadBack(SecurityIDSource()))
    RefuseExchange(pDX, IDC_SECURITY_ID_SOURCE, "Security ID Source can not be empty");
  // The file location is only cleaned up and required when the file is written.
  if (m_copy.WriteResponseToFile) {
    m_copy.FileLocation = TrimWhiteSpace(m_copy.FileLocation);
    if (m_copy.FileLocation.empty())
      RefuseExchange(pDX, IDC_FILE_LOCATION, "Please specify a file location for Response");
  }
}

bool CKELODlgStaticRecSetCfg::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (const Choice& choice : {PartyIDSource(), PartyRole(), SecurityIDSource()}) {
    Fill(choice);
    ReadBack(choice);
  }
  OnWriteResponse();
  OnDisableOptimisation();
  return true;
}

void CKELODlgStaticRecSetCfg::Fill(const Choice& choice) {
  int match = -1;
  for (std::size_t row = 0; row < choice.table.size(); ++row) {
    const int item = choice.combo.AddString(ChoiceText(choice.table[row]));
    choice.combo.SetItemData(item, row);
    if (choice.value == choice.table[row].code) match = static_cast<int>(row);
  }
  // The list sorts itself, so an item's index may move as later rows arrive: find
  // the matching row by the number attached to it.
  if (match >= 0) {
    for (int item = 0; item < choice.combo.GetCount(); ++item) {
      if (choice.combo.GetItemData(item) == static_cast<std::uintptr_t>(match)) {
        choice.combo.SetCurSel(item);
        return;
      }
    }
  }
  if (choice.value.empty())
    choice.combo.SetCurSel(0);
  else
    choice.combo.SetWindowText(choice.value);
}

bool CKELODlgStaticRecSetCfg::ReadBack(const Choice& choice) {
  const int item = choice.combo.GetCurSel();
  if (item != CB_ERR) {
    const std::uintptr_t row = choice.combo.GetItemData(item);
    if (row < choice.table.size()) {
      choice.value = choice.table[row].code;
      return true;
    }
  }
  std::string text = choice.combo.GetWindowText();
  if (choice.trim) text = TrimWhiteSpace(text);
  choice.value = std::move(text);
  return !choice.value.empty();
}

void CKELODlgStaticRecSetCfg::OnSecurityIDSourceChange() { ReadBack(SecurityIDSource()); }
void CKELODlgStaticRecSetCfg::OnPartyIDSourceChange() { ReadBack(PartyIDSource()); }
void CKELODlgStaticRecSetCfg::OnPartyRoleChange() { ReadBack(PartyRole()); }

void CKELODlgStaticRecSetCfg::OnWriteResponse() {
  m_copy.WriteResponseToFile = IsDlgButtonChecked(IDC_WRITE_RESPONSE) == BST_CHECKED;
  GetDlgItem(IDC_FILE_LOCATION)->EnableWindow(m_copy.WriteResponseToFile);
  GetDlgItem(IDC_BROWSE)->EnableWindow(m_copy.WriteResponseToFile);
}

void CKELODlgStaticRecSetCfg::OnBrowse() {
  CFileDialog chooser(true, "csv", "*.csv",
                      OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_OVERWRITEPROMPT,
                      "CSV Files (*.csv)|*.csv|", nullptr);
  if (chooser.DoModal() == IDOK) SetDlgItemText(IDC_FILE_LOCATION, chooser.GetPathName());
}

// The image optimisation switch only applies while optimisation as a whole is
// disabled; its mark is kept either way.
void CKELODlgStaticRecSetCfg::OnDisableOptimisation() {
  GetDlgItem(IDC_OPTIMISE_INITIAL_IMAGE)
      ->EnableWindow(IsDlgButtonChecked(IDC_DISABLE_OPTIMISATION) == BST_CHECKED);
}

}  // namespace kelo
