#include "hcd/CHcdWrapper.h"

CHcdWrapper::CHcdWrapper(IHcdIdentity* identity, IHcdPropertyPages* propertyPages,
                         IHcdGeneric* generic, IHcdSummary* summary, IHcdValidation* validation,
                         IHcdConfigChangesAction* configChangesAction, IHcdAuditing* auditing,
                         IHcdDataPersistence* dataPersistence, IHcdPathsValidation* pathsValidation,
                         IHcdUpgrading* upgrading)
    : m_identity(identity),
      m_propertyPages(propertyPages),
      m_generic(generic),
      m_summary(summary),
      m_validation(validation),
      m_configChangesAction(configChangesAction),
      m_auditing(auditing),
      m_dataPersistence(dataPersistence),
      m_pathsValidation(pathsValidation),
      m_upgrading(upgrading) {}

CHcdWrapper::~CHcdWrapper() = default;

IHcdSolo* CHcdWrapper::GetSolo() { return nullptr; }
