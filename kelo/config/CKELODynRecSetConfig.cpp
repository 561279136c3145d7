#include "kelo/config/CKELODynRecSetConfig.h"

#include <utility>

#include "kelo/config/RecordFields.h"
#include "kelo/config/SummaryText.h"

namespace kelo {
namespace {

using R = CKELODynRecSetConfig;
using F = RecordField<R>;

// In the order the fields are stored and summarised. Each row: key, member and
// default; then the summary item (label, place) and when a change counts. A change
// counts only in the instrument. No page edits the flag, so a new record set stores
// its default; true matches the static record set.
// clang-format off
constexpr F kFields[] = {
    {"SecurityID", F::Text{&R::SecurityID, ""},
        {"Security ID=", 1}, Always<R>},
    {"FullCurveInSub", F::Flag{&R::FullCurveInSub, true},
        {"Full Curve In Submission=", 2}, Never<R>},
};
// clang-format on
static_assert(IsSoundFieldTable<R>(kFields));

}  // namespace

FieldTable<CKELODynRecSetConfig> CKELODynRecSetConfig::Fields() { return kFields; }

CKELODynRecSetConfig::CKELODynRecSetConfig() { SetDefaults<R>(kFields, *this); }

void CKELODynRecSetConfig::ReadFromProperty(const CPrivateProperty& bag) {
  CKELODynRecSetConfig read;
  ReadFields<R>(kFields, bag, read);
  *this = std::move(read);
}

void CKELODynRecSetConfig::WriteToProperty(CPrivateProperty& bag) const {
  WriteFields<R>(kFields, *this, bag);
}

int CKELODynRecSetConfig::Summarise(rr::RRString& out) const {
  SummaryText text;
  SummariseFields<R>(kFields, *this, text);
  return text.Finish(SummaryText::Ending::kNoSeparator, out);
}

}  // namespace kelo
