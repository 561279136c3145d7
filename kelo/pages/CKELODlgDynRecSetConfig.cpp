#include "kelo/pages/CKELODlgDynRecSetConfig.h"

#include <utility>

#include "kelo/pages/PageExchange.h"
#include "kelo/pages/ResourceIds.h"
#include "kelo/pages/TextTrim.h"
#include "ui/CDataExchange.h"
#include "ui/DDX.h"

namespace kelo {

IMPLEMENT_DYNAMIC(CKELODlgDynRecSetConfig, CPropertyPage)

CKELODlgDynRecSetConfig::CKELODlgDynRecSetConfig(std::unique_ptr<CKELODynRecSetConfig> config)
    : CPropertyPage(IDD_KELO_DYNRECSET),
      m_config(std::move(config)),
      m_securityID(m_config->SecurityID) {}

CKELODlgDynRecSetConfig::~CKELODlgDynRecSetConfig() = default;

void CKELODlgDynRecSetConfig::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SECURITY_ID, m_securityID);
  if (!pDX->m_bSaveAndValidate) return;
  m_securityID = TrimWhiteSpace(m_securityID);
  if (m_securityID.empty()) RefuseExchange(pDX, IDC_SECURITY_ID, "Security ID can not be empty");
  m_config->SecurityID = m_securityID;
}

}  // namespace kelo
