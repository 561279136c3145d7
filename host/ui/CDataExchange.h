#pragma once

class CWnd;

// One run of a window's DoDataExchange: the load (controls from members) or the
// save (members from controls, with checks) direction.
class CDataExchange {
 public:
  // Thrown by Fail() and caught by CDialog::UpdateData; not a std::exception, so
  // that handlers catching those let it pass.
  struct Failure {};

  CDataExchange(CWnd* dialog, bool saveAndValidate);

  // Remembers the control being exchanged: a failure gives it the focus.
  void PrepareCtrl(int controlId);
  // Ends the exchange as failed; the caller has shown its message already.
  [[noreturn]] void Fail();

  bool m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  int m_idLastControl = 0;
};
