#include "ui/CWnd.h"

#include <stdexcept>
#include <string>

#include "ui/AfxFunctions.h"
#include "ui/HandlerGuard.h"
#include "ui/backend/MessageBoxRequest.h"
#include "ui/backend/UiBackend.h"

// What a window and the control handles bound through it share: the toolkit window
// while it lives, null after.
struct CWnd::Link {
  UiWindow* window = nullptr;
};

const CRuntimeClass CWnd::classCWnd{"CWnd", nullptr};

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (ownsLink_ && link_) link_->window = nullptr;
}

void CWnd::SubclassDlgItem(int id, CWnd& window) {
  if (!window.ownsLink_ || !window.IsBound()) {
    throw std::logic_error("control " + std::to_string(id) +
                           " cannot be bound: its dialog has no window");
  }
  if (ownsLink_) throw std::logic_error("a window cannot become a control handle");
  link_ = window.link_;
  id_ = id;
}

bool CWnd::IsBound() const { return link_ && link_->window; }

int CWnd::GetDlgCtrlID() const { return id_; }

UiWindow& CWnd::BoundWindow() const {
  if (!link_) throw std::logic_error("control handle is not bound to a window");
  if (!link_->window) {
    throw std::logic_error("the window of control " + std::to_string(id_) + " is closed");
  }
  return *link_->window;
}

UiWindow& CWnd::OwnWindow() const {
  if (!ownsLink_ || !IsBound()) throw std::logic_error("the dialog has no window");
  return *link_->window;
}

UiWindow* CWnd::GetUiWindow() const { return IsBound() ? link_->window : nullptr; }

void CWnd::AttachWindow(UiWindow& window) {
  DetachWindow();
  link_ = std::make_shared<Link>(Link{&window});
  ownsLink_ = true;
  id_ = 0;
}

void CWnd::DetachWindow() {
  items_.clear();
  if (ownsLink_ && link_) link_->window = nullptr;
  link_.reset();
  ownsLink_ = false;
}

void CWnd::EnableWindow(bool enable) { BoundWindow().SetEnabled(id_, enable); }

bool CWnd::IsWindowEnabled() const { return BoundWindow().IsEnabled(id_); }

void CWnd::SetWindowText(std::string_view text) { BoundWindow().SetText(id_, text); }

std::string CWnd::GetWindowText() const { return BoundWindow().Text(id_); }

void CWnd::GetWindowText(std::string& text) const { text = GetWindowText(); }

void CWnd::SetFocus() { BoundWindow().SetFocus(id_); }

CWnd* CWnd::GetDlgItem(int id) {
  OwnWindow();
  auto& item = items_[id];
  if (!item) {
    item = std::make_unique<CWnd>();
    item->SubclassDlgItem(id, *this);
  }
  return item.get();
}

void CWnd::SetDlgItemText(int id, std::string_view text) { OwnWindow().SetText(id, text); }

std::string CWnd::GetDlgItemText(int id) const { return OwnWindow().Text(id); }

void CWnd::GetDlgItemText(int id, std::string& text) const { text = GetDlgItemText(id); }

void CWnd::CheckDlgButton(int id, int state) { OwnWindow().SetCheck(id, state); }

int CWnd::IsDlgButtonChecked(int id) const { return OwnWindow().Check(id); }

void CWnd::GotoDlgCtrl(CWnd* control) {
  if (control) control->SetFocus();
}

int CWnd::MessageBox(std::string_view text, std::string_view caption, unsigned type) {
  MessageBoxRequest request{std::string(text),
                            caption.empty() ? AfxGetAppName() : std::string(caption), type};
  return UiBackend::Current().MessageBox(GetUiWindow(), request);
}

void CWnd::OnControlNotify(int controlId, int notifyCode) {
  GuardHandler([&] { return OnCommand(controlId, notifyCode); }, false);
}

bool CWnd::OnCommand(int controlId, int notifyCode) {
  for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
    for (const MessageMapEntry* entry = map->entries; entry->handler; ++entry) {
      if (entry->controlId == controlId && entry->notifyCode == notifyCode) {
        (this->*(entry->handler))();
        return true;
      }
    }
  }
  return false;
}

const MessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const MessageMap* CWnd::GetThisMessageMap() {
  static const MessageMapEntry entries[] = {{0, 0, nullptr}};
  static const MessageMap map{nullptr, entries};
  return &map;
}

const CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

bool CWnd::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
