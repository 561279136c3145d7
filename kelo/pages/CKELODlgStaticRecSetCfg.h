#pragma once

#include <memory>
#include <string>

#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/pages/ChoiceRow.h"
#include "ui/CComboBox.h"
#include "ui/CPropertyPage.h"

namespace kelo {

// The static record set page (template 12003). It edits a working copy of its
// record and writes the copy back only when a save passes every check, so a refused
// save leaves the record as it was.
class CKELODlgStaticRecSetCfg : public CPropertyPage {
  DECLARE_DYNAMIC(CKELODlgStaticRecSetCfg)

 public:
  explicit CKELODlgStaticRecSetCfg(std::unique_ptr<CKELOStaticRecSetConfig> config);
  ~CKELODlgStaticRecSetCfg() override;

  // The record as the last successful save left it.
  const CKELOStaticRecSetConfig& GetConfig() const { return *m_config; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;

  void OnSecurityIDSourceChange();
  void OnPartyIDSourceChange();
  void OnPartyRoleChange();
  void OnWriteResponse();
  void OnBrowse();
  void OnDisableOptimisation();

  DECLARE_MESSAGE_MAP()

 private:
  // A combo box with its choices and the working value it edits.
  struct Choice {
    CComboBox& combo;
    ChoiceTable table;
    std::string& value;
    bool trim;
  };

  Choice PartyIDSource() {
    return {m_partyIDSourceCombo, PartyIDSourceChoices, m_copy.PartyIDSource, false};
  }
  Choice PartyRole() { return {m_partyRoleCombo, PartyRoleChoices, m_copy.PartyRole, false}; }
  Choice SecurityIDSource() {
    return {m_securityIDSourceCombo, SecurityIDSourceChoices, m_copy.SecurityIDSource, true};
  }

  static void Fill(const Choice& choice);
  // The working value from the combo box: the code of the selected choice, else the
  // typed text. False when that is empty.
  static bool ReadBack(const Choice& choice);
  void Validate(CDataExchange* pDX);

  std::unique_ptr<CKELOStaticRecSetConfig> m_config;

  // The working copy: the record as the page's controls show it.
  CKELOStaticRecSetConfig m_copy;

  CComboBox m_partyIDSourceCombo;
  CComboBox m_partyRoleCombo;
  CComboBox m_securityIDSourceCombo;
};

}  // namespace kelo
