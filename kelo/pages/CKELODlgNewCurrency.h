#pragma once

#include <string>

#include "ui/CDialogEx.h"

namespace kelo {

// The modal "New currency" dialog (template 12075) of the holiday setting dialog: asks
// for the code of a currency the calendar does not hold yet. OK ends it only with a
// code the stored calendar can carry; otherwise a warning says why and it stays open.
class CKELODlgNewCurrency : public CDialogEx {
 public:
  explicit CKELODlgNewCurrency(CWnd* parent = nullptr);
  ~CKELODlgNewCurrency() override;

  // The code confirmed with OK, without blanks around it.
  const std::string& GetCurrency() const { return m_currency; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

 private:
  std::string m_currency;
};

}  // namespace kelo
