#pragma once

#include <memory>
#include <string>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "ui/CPropertyPage.h"

namespace kelo {

// The dynamic record set page (template 12004): only the Security ID is edited; the
// record's FullCurveInSub passes through unchanged.
class CKELODlgDynRecSetConfig : public CPropertyPage {
  DECLARE_DYNAMIC(CKELODlgDynRecSetConfig)

 public:
  explicit CKELODlgDynRecSetConfig(std::unique_ptr<CKELODynRecSetConfig> config);
  ~CKELODlgDynRecSetConfig() override;

  // The record as the last successful save left it.
  const CKELODynRecSetConfig& GetConfig() const { return *m_config; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  std::unique_ptr<CKELODynRecSetConfig> m_config;
  // The working copy: the record as the page's controls show it.
  CKELODynRecSetConfig m_copy;
};

}  // namespace kelo
