#pragma once

#include "props/CPrivateProperty.h"
#include "rrstring/RRString.h"

namespace kelo {

// The summary line of a handler's bag and its number of items. A bag with no
// property at all is a configuration that does not exist yet: "Not=Configured", 1.
int SummariseHandler(const CPrivateProperty& bag, rr::RRString& out);

// The same for a record set's bag, read as a dynamic or a static record set.
int SummariseRecordSet(const CPrivateProperty& bag, bool dynamic, rr::RRString& out);

}  // namespace kelo
