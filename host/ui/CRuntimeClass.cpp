#include "ui/CRuntimeClass.h"

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* at = this; at; at = at->m_pBaseClass) {
    if (at == base) return true;
  }
  return false;
}
