#pragma once

#include <memory>
#include <string>

#include "ui/CWnd.h"
#include "ui/DialogTemplate.h"
#include "ui/backend/WindowRole.h"

class CDataExchange;

// A window built from a registered dialog template, with data exchange between its
// controls and the object's members. The template is looked up at construction:
// an id that is not registered throws std::runtime_error ("dialog template 12000 is
// not registered").
class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(int templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  const DialogTemplate& GetTemplate() const { return *template_; }
  int GetTemplateId() const { return template_->id; }

  // Builds the window, runs OnInitDialog and the modal loop, destroys the window;
  // the result given to EndDialog (IDOK, IDCANCEL, ...).
  virtual int DoModal();
  // Builds the window without running it and runs OnInitDialog: for showing or
  // rendering it, and for tests. False when it already has a window.
  bool Create();
  void DestroyWindow();
  bool HasWindow() const { return window_ != nullptr; }

  // Runs DoDataExchange in the direction; false when a check failed (its message
  // has been shown and the failing control has the focus).
  bool UpdateData(bool saveAndValidate = true);
  // Ends the modal loop with the result.
  void EndDialog(int result);

  // Paints the window into a PNG file; the backend may refuse.
  void RenderToPng(const std::string& path);

 protected:
  // Loads the controls (UpdateData(false)); true lets the framework set the focus.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange* pDX);
  // IDOK: saves the controls and, when that succeeds, ends with IDOK.
  virtual void OnOK();
  // IDCANCEL: ends with IDCANCEL.
  virtual void OnCancel();

  // Builds the window for the role; false when it already has one.
  bool CreateWindowFor(WindowRole role);
  CWnd* GetParent() const { return parent_; }

  DECLARE_MESSAGE_MAP()

 private:
  std::shared_ptr<const DialogTemplate> template_;
  CWnd* parent_;
  std::unique_ptr<UiWindow> window_;
};
