#pragma once

// The facets through which the host speaks to a handler object. CHcdTranslate
// implements the first seven on top of a handler's IHcdOld operations; a handler
// object implements IHcdConfigChangesAction and IHcdDataPersistence itself.

#include "hcd/IHcdAuditing.h"
#include "hcd/IHcdGeneric.h"
#include "hcd/IHcdIdentity.h"
#include "hcd/IHcdPathsValidation.h"
#include "hcd/IHcdPropertyPages.h"
#include "hcd/IHcdSummary.h"
#include "hcd/IHcdUpgrading.h"
#include "hcd/IHcdValidation.h"
