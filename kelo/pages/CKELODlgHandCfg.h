#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kelo/config/HandlerConfig.h"
#include "kelo/pages/CoreDumpBlock.h"
#include "ui/CButton.h"
#include "ui/CEdit.h"
#include "ui/CPropertyPage.h"

namespace kelo {

// The handler configuration page (template 12000). It edits a working copy of its
// HandlerConfig and writes the copy back into the record only when a save passes
// every check, so a refused save leaves the record as it was.
class CKELODlgHandCfg : public CPropertyPage {
 public:
  explicit CKELODlgHandCfg(std::unique_ptr<HandlerConfig> config);
  ~CKELODlgHandCfg() override;

  // The record as the last successful save left it.
  const HandlerConfig& GetConfig() const { return *m_config; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;

  void OnDefaultURL();
  void OnUserDefinedURL();
  void OnProduction();
  void OnTesting();
  void OnEnableProxy();
  void OnProxyKind();
  void OnBankHoliday();
  void OnHolidaySetting();

  DECLARE_MESSAGE_MAP()

 private:
  void ExchangeTexts(CDataExchange* pDX);
  // Runs the checks of a save in order; the first failing one shows its message and
  // fails the exchange.
  void Validate(CDataExchange* pDX);
  void ShowTestingChoice();

  // First, so that it is made before and ends after anything holding the password.
  CoreDumpBlock m_noCoreDump;
  std::unique_ptr<HandlerConfig> m_config;
  bool m_firstLoad = true;

  // The working copy: the record as the page's controls show it.
  HandlerConfig m_copy;

  CButton m_systemProxyButton;
  CButton m_proxyButton;
  CEdit m_proxyAddrEdit;
  CEdit m_proxyPortEdit;
  CEdit m_passwordEdit;
  CButton m_holidaySettingButton;
};

}  // namespace kelo
