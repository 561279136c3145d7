#include "kelo/config/CKELOStaticRecSetConfig.h"

#include <utility>

#include "kelo/config/PropertyValues.h"
#include "kelo/config/SummaryText.h"

namespace kelo {

void CKELOStaticRecSetConfig::ReadFromProperty(const CPrivateProperty& bag) {
  CKELOStaticRecSetConfig read;
  GetText(bag, "PartyID", read.PartyID);
  GetText(bag, "PartyIDSource", read.PartyIDSource);
  GetText(bag, "PartyRole", read.PartyRole);
  GetText(bag, "Currency", read.Currency);
  GetText(bag, "SecurityID", read.SecurityID);
  GetText(bag, "SecurityIDSource", read.SecurityIDSource);
  GetBool(bag, "FullCurveInSub", read.FullCurveInSub);
  GetBool(bag, "WriteResponseToFile", read.WriteResponseToFile);
  GetText(bag, "FileLocation", read.FileLocation);
  GetBool(bag, "DisableOptimisation", read.DisableOptimisation);
  GetBool(bag, "OptimiseInitialImage", read.OptimiseInitialImage);
  GetBool(bag, "SuppressInitOutput", read.SuppressInitOutput);
  *this = std::move(read);
}

void CKELOStaticRecSetConfig::WriteToProperty(CPrivateProperty& bag) const {
  SetText(bag, "PartyID", PartyID);
  SetText(bag, "PartyIDSource", PartyIDSource);
  SetText(bag, "PartyRole", PartyRole);
  SetText(bag, "Currency", Currency);
  SetText(bag, "SecurityID", SecurityID);
  SetText(bag, "SecurityIDSource", SecurityIDSource);
  bag.SetValueToProperty("FullCurveInSub", FullCurveInSub);
  bag.SetValueToProperty("WriteResponseToFile", WriteResponseToFile);
  SetText(bag, "FileLocation", FileLocation);
  bag.SetValueToProperty("DisableOptimisation", DisableOptimisation);
  bag.SetValueToProperty("OptimiseInitialImage", OptimiseInitialImage);
  bag.SetValueToProperty("SuppressInitOutput", SuppressInitOutput);
}

int CKELOStaticRecSetConfig::Summarise(rr::RRString& out) const {
  SummaryText text;
  text.AddText("Party ID=", PartyID);
  text.AddText("Party ID Source=", PartyIDSource);
  text.AddText("Party Role=", PartyRole);
  text.AddText("Currency=", Currency);
  text.AddText("Security ID=", SecurityID);
  text.AddText("Security ID Source=", SecurityIDSource);
  text.AddFlag("Full Curve In Submission=", FullCurveInSub);
  text.AddFlag("Write Response to CSV file=", WriteResponseToFile);
  text.AddText("CSV file location=", FileLocation);
  text.AddFlag("Disable Optimisation=", DisableOptimisation);
  text.AddFlag("Optimise Initial Image=", OptimiseInitialImage);
  text.AddFlag("Suppress Initial Output=", SuppressInitOutput);
  return text.Finish(SummaryText::Ending::kSeparator, out);
}

}  // namespace kelo
