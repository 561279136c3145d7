#include "kelo/config/CKELOStaticRecSetConfig.h"

#include <utility>

#include "kelo/config/RecordFields.h"
#include "kelo/config/SummaryText.h"

namespace kelo {
namespace {

using R = CKELOStaticRecSetConfig;
using F = RecordField<R>;

// In the order the fields are stored and summarised.
constexpr F kFields[] = {
    {"PartyID", F::Text{&R::PartyID, ""}, "Party ID="},
    {"PartyIDSource", F::Text{&R::PartyIDSource, ""}, "Party ID Source="},
    {"PartyRole", F::Text{&R::PartyRole, ""}, "Party Role="},
    {"Currency", F::Text{&R::Currency, ""}, "Currency="},
    {"SecurityID", F::Text{&R::SecurityID, ""}, "Security ID="},
    {"SecurityIDSource", F::Text{&R::SecurityIDSource, ""}, "Security ID Source="},
    {"FullCurveInSub", F::Flag{&R::FullCurveInSub, true}, "Full Curve In Submission="},
    {"WriteResponseToFile", F::Flag{&R::WriteResponseToFile, false}, "Write Response to CSV file="},
    {"FileLocation", F::Text{&R::FileLocation, ""}, "CSV file location="},
    {"DisableOptimisation", F::Flag{&R::DisableOptimisation, false}, "Disable Optimisation="},
    {"OptimiseInitialImage", F::Flag{&R::OptimiseInitialImage, true}, "Optimise Initial Image="},
    {"SuppressInitOutput", F::Flag{&R::SuppressInitOutput, true}, "Suppress Initial Output="},
};

}  // namespace

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
