#pragma once

#include <vector>

#include "rrstring/RRString.h"

// The field names this handler serves: which names the host may map onto its
// fields, and which the field chooser offers. Nothing here is stored; it sits beside
// the persisted-data description because both answer for the runtime's per-record
// fields.
namespace kelo {

// What the host is told when it offers a field name this handler does not serve.
inline constexpr const char kFieldRefusalText[] =
    "The field specified is not valid. Please select another.";

// 1 when the whole name is one of the handler's fields; the four party fields count
// only when partyFields is non-zero. On refusal returns 0 and sets error to
// kFieldRefusalText; on acceptance error keeps whatever the caller put in it.
int IsFieldValid(const rr::RRString& field, int partyFields, rr::RRString& error);

// The names the field chooser offers, in the order its sorted list shows them: the
// four benchmark fields, then, with the flag, the four party fields. The texts are
// static. "BENCHMK_SUB_REQ_ID" is accepted by IsFieldValid but never offered.
std::vector<const char*> FieldChooserNames(bool fieldChooserFlag);

}  // namespace kelo
