#pragma once

#include <cstdint>
#include <memory>
#include <optional>
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
  // A page over a record read without its calendar (ReadWithoutHolidays) from bag: the
  // calendar is read, from a copy of what bag stores of it, when the holiday setting
  // dialog or GetConfig first needs it. A page opened only to read or type its fields
  // then never reads every holiday of a large calendar.
  CKELODlgHandCfg(std::unique_ptr<HandlerConfig> config, const CPrivateProperty& bag);
  ~CKELODlgHandCfg() override;

  // The record as the last successful save left it, its calendar read.
  const HandlerConfig& GetConfig();

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
  // Reads the stored calendar into the record and the working copy, unless read.
  void ReadCalendar();

  // First, so that it is made before and ends after anything holding the password.
  CoreDumpBlock m_noCoreDump;
  std::unique_ptr<HandlerConfig> m_config;
  bool m_firstLoad = true;

  // The working copy: the record as the page's controls show it.
  HandlerConfig m_copy;
  // The calendar as stored, until ReadCalendar; the CurrencyTable of both records is
  // empty while it is held.
  std::optional<CPrivateProperty> m_unreadCalendar;

  CButton m_systemProxyButton;
  CButton m_proxyButton;
  CEdit m_proxyAddrEdit;
  CEdit m_proxyPortEdit;
  CEdit m_passwordEdit;
  CButton m_holidaySettingButton;
};

}  // namespace kelo
