#include "kelo/handler/IHCDClassicDynamic.h"

namespace kelo {

// The wrapper base is built first and receives the addresses of the facets inside
// m_translate before that member exists; nothing calls through them until the
// whole object has been constructed.
IHCDClassicDynamic::IHCDClassicDynamic()
    : CHcdWrapper(&m_translate, &m_translate, &m_translate, &m_translate, &m_translate,
                  static_cast<IHcdConfigChangesAction*>(this), &m_translate,
                  static_cast<IHcdDataPersistence*>(this), &m_translate, nullptr),
      m_translate(static_cast<IHcdOld*>(this)) {}

IHCDClassicDynamic::~IHCDClassicDynamic() = default;

void IHCDClassicDynamic::ReservedNotify2(long, void*) {}

}  // namespace kelo
