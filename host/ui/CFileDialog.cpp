#include "ui/CFileDialog.h"

#include "ui/CWnd.h"
#include "ui/backend/UiBackend.h"

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName,
                         unsigned flags, const char* filter, CWnd* parent)
    : parent_(parent) {
  request_.open = openFileDialog;
  request_.defaultExtension = defaultExtension ? defaultExtension : "";
  request_.initialFileName = fileName ? fileName : "";
  request_.flags = flags;
  if (filter) request_.filters = ParseFileFilter(filter);
}

CFileDialog::~CFileDialog() = default;

int CFileDialog::DoModal() {
  UiWindow* owner = parent_ ? parent_->GetUiWindow() : nullptr;
  std::optional<std::string> chosen = UiBackend::Current().ChooseFile(owner, request_);
  path_ = chosen ? std::move(*chosen) : std::string();
  return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetFileName() const {
  const std::size_t slash = path_.find_last_of('/');
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}
