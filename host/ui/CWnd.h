#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui/CRuntimeClass.h"
#include "ui/MessageMap.h"
#include "ui/WinConstants.h"
#include "ui/backend/UiEventSink.h"

class UiWindow;

// A handle on a window or on one control of a window. Dialogs and pages are
// CWnd-derived objects that own their window (see CDialog); controls are handles
// bound to a control of such a window (DDX_Control, GetDlgItem), owning nothing.
// Using a handle that is not bound, or whose window was destroyed, throws
// std::logic_error.
class CWnd : public UiEventSink {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Binds this handle to control `id` of `window`'s window (the handle's previous
  // binding is dropped). Throws std::logic_error when `window` has no window.
  void SubclassDlgItem(int id, CWnd& window);
  // True while this handle names a live control or window.
  bool IsBound() const;
  int GetDlgCtrlID() const;

  // Operations of the control this handle is bound to.
  void EnableWindow(bool enable = true);
  bool IsWindowEnabled() const;
  void SetWindowText(std::string_view text);
  std::string GetWindowText() const;
  void GetWindowText(std::string& text) const;
  void SetFocus();

  // Operations on the controls of this window.
  // A handle owned by this window, valid until the window is destroyed.
  CWnd* GetDlgItem(int id);
  void SetDlgItemText(int id, std::string_view text);
  std::string GetDlgItemText(int id) const;
  void GetDlgItemText(int id, std::string& text) const;
  void CheckDlgButton(int id, int state);
  int IsDlgButtonChecked(int id) const;
  void GotoDlgCtrl(CWnd* control);
  // A message box owned by this window; an empty caption means the application's
  // name. Unlike AfxMessageBox, no icon is added.
  int MessageBox(std::string_view text, std::string_view caption = {}, unsigned type = MB_OK);

  // The class of the object, as far as the classes declare it (DECLARE_DYNAMIC).
  static const CRuntimeClass classCWnd;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* runtimeClass) const;

  // The toolkit window of a window, or the one a control handle is on; null when
  // there is none.
  UiWindow* GetUiWindow() const;

  // Delivered by the backend; routes through the message map. An exception from a
  // handler is reported in an error message box, except UiRunAborted, which passes.
  void OnControlNotify(int controlId, int notifyCode) final;

 protected:
  // Routes a notification; true when a handler took it.
  virtual bool OnCommand(int controlId, int notifyCode);
  virtual const MessageMap* GetMessageMap() const;
  static const MessageMap* GetThisMessageMap();

  // For windows that own a toolkit window (CDialog): the handle becomes bound to
  // it, and every control handle bound through it lapses when it is dropped.
  void AttachWindow(UiWindow& window);
  void DetachWindow();

  // The bound window and id; throws std::logic_error when not bound.
  UiWindow& BoundWindow() const;
  int BoundId() const { return id_; }

 private:
  struct Link;

  // This window's own toolkit window; throws std::logic_error when it has none.
  UiWindow& OwnWindow() const;

  std::shared_ptr<Link> link_;
  bool ownsLink_ = false;
  int id_ = 0;
  std::map<int, std::unique_ptr<CWnd>> items_;
};
