#include "ui/CPropertyPage.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(int templateId) : CDialog(templateId) {}

CPropertyPage::~CPropertyPage() = default;

bool CPropertyPage::OnSetActive() {
  if (firstActivation_) {
    firstActivation_ = false;
  } else {
    UpdateData(false);
  }
  return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}
