#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Types passed between the host and the handler interfaces. The user-interface
// classes are the framework's; the interfaces only pass pointers to them.
class CPropertyPage;
class CWnd;
class CPrivateProperty;
class IExtraRecordSetInfo;
class IHcdRecordSetValidationIf;
class IHcdSolo;

namespace rr {
class RRString;
}

// Name/value pairs that a persisted-data description appends to.
using HcdDescription = std::vector<std::pair<std::string, std::string>>;
