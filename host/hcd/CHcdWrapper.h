#pragma once

#include "hcd/HcdFacets.h"

class IHcdConfigChangesAction;
class IHcdDataPersistence;

// What a handler module hands to the host: one pointer per facet. A facet the
// handler does not offer is null. The wrapper owns none of them.
class CHcdWrapper {
 public:
  CHcdWrapper(IHcdIdentity* identity, IHcdPropertyPages* propertyPages, IHcdGeneric* generic,
              IHcdSummary* summary, IHcdValidation* validation,
              IHcdConfigChangesAction* configChangesAction, IHcdAuditing* auditing,
              IHcdDataPersistence* dataPersistence, IHcdPathsValidation* pathsValidation,
              IHcdUpgrading* upgrading);
  virtual ~CHcdWrapper();
  CHcdWrapper(const CHcdWrapper&) = delete;
  CHcdWrapper& operator=(const CHcdWrapper&) = delete;

  // A handler that runs one instance only answers with its solo interface; the
  // host's default is none.
  virtual IHcdSolo* GetSolo();

  IHcdIdentity* Identity() const { return m_identity; }
  IHcdPropertyPages* PropertyPages() const { return m_propertyPages; }
  IHcdGeneric* Generic() const { return m_generic; }
  IHcdSummary* Summary() const { return m_summary; }
  IHcdValidation* Validation() const { return m_validation; }
  IHcdConfigChangesAction* ConfigChangesAction() const { return m_configChangesAction; }
  IHcdAuditing* Auditing() const { return m_auditing; }
  IHcdDataPersistence* DataPersistence() const { return m_dataPersistence; }
  IHcdPathsValidation* PathsValidation() const { return m_pathsValidation; }
  IHcdUpgrading* Upgrading() const { return m_upgrading; }

 private:
  IHcdIdentity* m_identity;
  IHcdPropertyPages* m_propertyPages;
  IHcdGeneric* m_generic;
  IHcdSummary* m_summary;
  IHcdValidation* m_validation;
  IHcdConfigChangesAction* m_configChangesAction;
  IHcdAuditing* m_auditing;
  IHcdDataPersistence* m_dataPersistence;
  IHcdPathsValidation* m_pathsValidation;
  IHcdUpgrading* m_upgrading;
};
