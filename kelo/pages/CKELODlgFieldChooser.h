#pragma once

#include <string>

#include "ui/CDialogEx.h"
#include "ui/CListBox.h"

namespace kelo {

// The modal "Select Field" dialog (template 12001): offers the handler's field names
// and gives back the one the user confirmed with OK, or "" when the user cancelled.
class CKELODlgFieldChooser : public CDialogEx {
  DECLARE_DYNAMIC(CKELODlgFieldChooser)

 public:
  explicit CKELODlgFieldChooser(CWnd* parent = nullptr);
  ~CKELODlgFieldChooser() override;

  // With the flag the four party and source names are offered too. Set it before
  // running the dialog.
  void SetFieldChooser(bool fieldChooser) { m_fieldChooser = fieldChooser; }
  const std::string& GetChosenField() const { return m_chosenField; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  // Ends with OK only when a name is selected; otherwise beeps and stays open.
  void OnOK() override;

 private:
  CListBox m_fieldList;
  std::string m_selectedField;
  std::string m_chosenField;
  bool m_fieldChooser = false;
};

}  // namespace kelo
