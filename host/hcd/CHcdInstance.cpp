#include "hcd/CHcdInstance.h"

CHcdInstance::CHcdInstance(bool createMode) : m_createMode(createMode) {}
CHcdInstance::~CHcdInstance() = default;

bool CHcdInstance::CheckCreateMode() { return m_createMode; }

bool CHcdInstance::AttachHcdWrapper(CHcdWrapper* wrapper) {
  m_attached = wrapper;
  return wrapper != nullptr;
}

bool CHcdInstance::DetachHcdWrapper(CHcdWrapper* wrapper) {
  const bool wasAttached = wrapper != nullptr && wrapper == m_attached;
  m_attached = nullptr;
  return wasAttached;
}

void CHcdInstance::ReportAttachFailure(const rr::RRString& reason) { m_attachFailure = reason; }
