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
    : CPropertyPage(IDD_KELO_DYNRECSET), m_config(std::move(config)), m_copy(*m_config) {}

CKELODlgDynRecSetConfig::~CKELODlgDynRecSetConfig() = default;

void CKELODlgDynRecSetConfig::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SECURITY_ID, m_copy.SecurityID);
  if (!pDX->m_bSaveAndValidate) return;
  m_copy.SecurityID = TrimWhiteSpace(m_copy.SecurityID);
  if (m_copy.SecurityID.empty())
    RefuseExchange(pDX, IDC_SECURITY_ID, "Security ID can not be empty");
  *m_config = m_copy;
}

}  // namespace kelo
