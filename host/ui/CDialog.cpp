#include "ui/CDialog.h"

#include <stdexcept>
#include <string>

#include "ui/CDataExchange.h"
#include "ui/DDX.h"
#include "ui/TemplateRegistry.h"
#include "ui/backend/UiBackend.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(int templateId, CWnd* parent)
    : template_(TemplateRegistry::Instance().Get(templateId)), parent_(parent) {}

CDialog::~CDialog() { DestroyWindow(); }

bool CDialog::CreateWindowFor(WindowRole role) {
  if (window_) return false;
  UiWindow* parentWindow = parent_ ? parent_->GetUiWindow() : nullptr;
  window_ = UiBackend::Current().CreateWindow(*template_, role, parentWindow, *this);
  AttachWindow(*window_);
  return true;
}

void CDialog::DestroyWindow() {
  if (!window_) return;
  DetachWindow();
  window_.reset();
}

int CDialog::DoModal() {
  if (!CreateWindowFor(WindowRole::ModalDialog)) {
    throw std::logic_error("dialog " + std::to_string(GetTemplateId()) + " is already open");
  }
  struct Closer {
    CDialog* dialog;
    ~Closer() { dialog->DestroyWindow(); }
  } closer{this};
  OnInitDialog();
  return window_->RunModal();
}

bool CDialog::Create() {
  if (!CreateWindowFor(WindowRole::Modeless)) return false;
  OnInitDialog();
  return true;
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  try {
    DDX_StorableTexts(&exchange, *template_);
    DoDataExchange(&exchange);
    return true;
  } catch (const CDataExchange::Failure&) {
    if (window_ && exchange.m_idLastControl != 0) window_->SetFocus(exchange.m_idLastControl);
    return false;
  }
}

void CDialog::EndDialog(int result) {
  if (window_) window_->EndModal(result);
}

void CDialog::RenderToPng(const std::string& path) {
  const bool created = Create();
  struct Closer {
    CDialog* dialog;
    bool created;
    ~Closer() {
      if (created) dialog->DestroyWindow();
    }
  } closer{this, created};
  UiBackend::Current().RenderWindowToPng(*window_, path);
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  if (!UpdateData(true)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_BN_CLICKED(IDOK, &CDialog::OnOK)
ON_BN_CLICKED(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()
