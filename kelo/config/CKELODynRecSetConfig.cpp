#include "kelo/config/CKELODynRecSetConfig.h"

#include <utility>

#include "kelo/config/PropertyValues.h"
#include "kelo/config/SummaryText.h"

namespace kelo {

void CKELODynRecSetConfig::ReadFromProperty(const CPrivateProperty& bag) {
  CKELODynRecSetConfig read;
  GetText(bag, "SecurityID", read.SecurityID);
  GetBool(bag, "FullCurveInSub", read.FullCurveInSub);
  *this = std::move(read);
}

void CKELODynRecSetConfig::WriteToProperty(CPrivateProperty& bag) const {
  SetText(bag, "SecurityID", SecurityID);
  bag.SetValueToProperty("FullCurveInSub", FullCurveInSub);
}

int CKELODynRecSetConfig::Summarise(rr::RRString& out) const {
  SummaryText text;
  text.AddText("Security ID=", SecurityID);
  text.AddFlag("Full Curve In Submission=", FullCurveInSub);
  return text.Finish(SummaryText::Ending::kNoSeparator, out);
}

}  // namespace kelo
