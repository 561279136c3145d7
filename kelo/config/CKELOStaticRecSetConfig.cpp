#include "kelo/config/CKELOStaticRecSetConfig.h"

#include <utility>

#include "kelo/config/RecordFields.h"
#include "kelo/config/SummaryText.h"

namespace kelo {
namespace {

using R = CKELOStaticRecSetConfig;
using F = RecordField<R>;

// In the order the fields are stored and summarised. Each row: key, member and
// default; then the summary item (label, place) and when a change counts. A change
// counts only in what identifies the submission: the party and the instrument.
// clang-format off
constexpr F kFields[] = {
    {"PartyID", F::Text{&R::PartyID, ""},
        {"Party ID=", 1}, Always<R>},
    {"PartyIDSource", F::Text{&R::PartyIDSource, ""},
        {"Party ID Source=", 2}, Always<R>},
    {"PartyRole", F::Text{&R::PartyRole, ""},
        {"Party Role=", 3}, Always<R>},
    {"Currency", F::Text{&R::Currency, ""},
        {"Currency=", 4}, Always<R>},
    {"SecurityID", F::Text{&R::SecurityID, ""},
        {"Security ID=", 5}, Always<R>},
    {"SecurityIDSource", F::Text{&R::SecurityIDSource, ""},
        {"Security ID Source=", 6}, Always<R>},
    {"FullCurveInSub", F::Flag{&R::FullCurveInSub, true},
        {"Full Curve In Submission=", 7}, Never<R>},
    {"WriteResponseToFile", F::Flag{&R::WriteResponseToFile, false},
        {"Write Response to CSV file=", 8}, Never<R>},
    {"FileLocation", F::Text{&R::FileLocation, ""},
        {"CSV file location=", 9}, Never<R>},
    {"DisableOptimisation", F::Flag{&R::DisableOptimisation, false},
        {"Disable Optimisation=", 10}, Never<R>},
    {"OptimiseInitialImage", F::Flag{&R::OptimiseInitialImage, true},
        {"Optimise Initial Image=", 11}, Never<R>},
    {"SuppressInitOutput", F::Flag{&R::SuppressInitOutput, true},
        {"Suppress Initial Output=", 12}, Never<R>},
};
// clang-format on
static_assert(IsSoundFieldTable<R>(kFields));

}  // namespace

FieldTable<CKELOStaticRecSetConfig> CKELOStaticRecSetConfig::Fields() { return kFields; }

CKELOStaticRecSetConfig::CKELOStaticRecSetConfig() { SetDefaults<R>(kFields, *this); }

void CKELOStaticRecSetConfig::ReadFromProperty(const CPrivateProperty& bag) {
  CKELOStaticRecSetConfig read;
  ReadFields<R>(kFields, bag, read);
  *this = std::move(read);
}

void CKELOStaticRecSetConfig::WriteToProperty(CPrivateProperty& bag) const {
  WriteFields<R>(kFields, *this, bag);
}

int CKELOStaticRecSetConfig::Summarise(rr::RRString& out) const {
  SummaryText text;
  SummariseFields<R>(kFields, *this, text);
  return text.Finish(SummaryText::Ending::kSeparator, out);
}

}  // namespace kelo
