#pragma once

#include <string>

#include "ui/CDialog.h"

// One page of a property sheet, built from a registered template whose title is the
// tab's caption. The host deletes pages through CPropertyPage*.
class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(int templateId);
  ~CPropertyPage() override;

  const std::string& GetCaption() const { return GetTemplate().title; }

  // The page becomes the active tab: every activation but the first reloads the
  // controls (UpdateData(false)). False keeps the previous tab.
  virtual bool OnSetActive();
  // The page is left or the sheet accepted: saves the controls (UpdateData(true)).
  // False keeps the page active and the sheet open.
  virtual bool OnKillActive();
  // The sheet closed with OK, after every page's OnKillActive succeeded.
  void OnOK() override;
  // The sheet closed any other way.
  void OnCancel() override;

 private:
  friend class CPropertySheet;
  bool firstActivation_ = true;
};
