#include "fuzz/RecordDifference.h"

#include <cstdint>

#include "fuzz/FuzzCheck.h"

namespace fuzz {
namespace {

std::string ValueText(const std::string& value) { return Shown(value); }
std::string ValueText(bool value) { return value ? "true" : "false"; }
std::string ValueText(std::int32_t value) { return std::to_string(value); }

// Collects the first difference of a walk over fields; later fields are not looked at.
class Difference {
 public:
  template <typename T>
  Difference& Field(const char* name, const T& a, const T& b) {
    if (text_.empty() && !(a == b))
      text_ = std::string(name) + ": " + ValueText(a) + " vs " + ValueText(b);
    return *this;
  }
  Difference& Nested(const std::string& text) {
    if (text_.empty()) text_ = text;
    return *this;
  }
  std::string Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace

std::string FirstDifference(const kelo::HolidayTable& a, const kelo::HolidayTable& b) {
  auto currencyA = a.begin();
  auto currencyB = b.begin();
  for (; currencyA != a.end() && currencyB != b.end(); ++currencyA, ++currencyB) {
    if (currencyA->first != currencyB->first) {
      return "CurrencyTable: currency " + Shown(currencyA->first) + " vs " +
             Shown(currencyB->first);
    }
    const kelo::HolidayList& listA = currencyA->second;
    const kelo::HolidayList& listB = currencyB->second;
    auto holidayA = listA.begin();
    auto holidayB = listB.begin();
    for (; holidayA != listA.end() && holidayB != listB.end(); ++holidayA, ++holidayB) {
      if (*holidayA != *holidayB) {
        return "CurrencyTable_" + currencyA->first + ": " + Shown(holidayA->first) + " " +
               Shown(holidayA->second) + " vs " + Shown(holidayB->first) + " " +
               Shown(holidayB->second);
      }
    }
    if (holidayA != listA.end() || holidayB != listB.end()) {
      return "CurrencyTable_" + currencyA->first + ": " + std::to_string(listA.size()) + " vs " +
             std::to_string(listB.size()) + " holidays";
    }
  }
  if (currencyA != a.end() || currencyB != b.end()) {
    return "CurrencyTable: " + std::to_string(a.size()) + " vs " + std::to_string(b.size()) +
           " currencies";
  }
  return {};
}

std::string FirstDifference(const kelo::HandlerConfig& a, const kelo::HandlerConfig& b) {
  return Difference()
      .Field("ConfigurationVersion", a.ConfigurationVersion, b.ConfigurationVersion)
      .Field("EnableDefaultURL", a.EnableDefaultURL, b.EnableDefaultURL)
      .Field("EnableTestEnv", a.EnableTestEnv, b.EnableTestEnv)
      .Field("UserDefinedHostURL", a.UserDefinedHostURL, b.UserDefinedHostURL)
      .Field("UrlForTestReq", a.UrlForTestReq, b.UrlForTestReq)
      .Field("UrlForUserReq", a.UrlForUserReq, b.UrlForUserReq)
      .Field("UrlForBnchmkSubReq", a.UrlForBnchmkSubReq, b.UrlForBnchmkSubReq)
      .Field("UrlForBnchmkRptReq", a.UrlForBnchmkRptReq, b.UrlForBnchmkRptReq)
      .Field("EnableProxy", a.EnableProxy, b.EnableProxy)
      .Field("UseIEProxy", a.UseIEProxy, b.UseIEProxy)
      .Field("ProxyAddr", a.ProxyAddr, b.ProxyAddr)
      .Field("ProxyPort", a.ProxyPort, b.ProxyPort)
      .Field("SID", a.SID, b.SID)
      .Field("TID", a.TID, b.TID)
      .Field("Username", a.Username, b.Username)
      .Field("Password", a.Password, b.Password)
      .Field("MaxMessagePerSec", a.MaxMessagePerSec, b.MaxMessagePerSec)
      .Field("EnableBankHoliday", a.EnableBankHoliday, b.EnableBankHoliday)
      .Nested(FirstDifference(a.CurrencyTable, b.CurrencyTable))
      .Text();
}

std::string FirstDifference(const kelo::CKELOStaticRecSetConfig& a,
                            const kelo::CKELOStaticRecSetConfig& b) {
  return Difference()
      .Field("PartyID", a.PartyID, b.PartyID)
      .Field("PartyIDSource", a.PartyIDSource, b.PartyIDSource)
      .Field("PartyRole", a.PartyRole, b.PartyRole)
      .Field("Currency", a.Currency, b.Currency)
      .Field("SecurityID", a.SecurityID, b.SecurityID)
      .Field("SecurityIDSource", a.SecurityIDSource, b.SecurityIDSource)
      .Field("FileLocation", a.FileLocation, b.FileLocation)
      .Field("FullCurveInSub", a.FullCurveInSub, b.FullCurveInSub)
      .Field("WriteResponseToFile", a.WriteResponseToFile, b.WriteResponseToFile)
      .Field("DisableOptimisation", a.DisableOptimisation, b.DisableOptimisation)
      .Field("OptimiseInitialImage", a.OptimiseInitialImage, b.OptimiseInitialImage)
      .Field("SuppressInitOutput", a.SuppressInitOutput, b.SuppressInitOutput)
      .Text();
}

std::string FirstDifference(const kelo::CKELODynRecSetConfig& a,
                            const kelo::CKELODynRecSetConfig& b) {
  return Difference()
      .Field("SecurityID", a.SecurityID, b.SecurityID)
      .Field("FullCurveInSub", a.FullCurveInSub, b.FullCurveInSub)
      .Text();
}

}  // namespace fuzz
