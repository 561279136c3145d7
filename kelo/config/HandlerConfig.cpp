#include "kelo/config/HandlerConfig.h"

#include <utility>

#include "kelo/config/HolidayTableText.h"
#include "kelo/config/PasswordScrambling.h"
#include "kelo/config/PropertyValues.h"
#include "kelo/config/SummaryText.h"

namespace kelo {

void HandlerConfig::ReadWithoutHolidays(const CPrivateProperty& bag) {
  // Read into a fresh record so that every missing key yields the default, and this
  // record stays whole if reading fails for lack of memory.
  HandlerConfig read;
  GetInt(bag, "ConfigurationVersion", read.ConfigurationVersion);
  GetBool(bag, "EnableDefaultURL", read.EnableDefaultURL);
  GetText(bag, "UserDefinedHostURL", read.UserDefinedHostURL);
  GetText(bag, "UrlForTestReq", read.UrlForTestReq);
  GetText(bag, "UrlForUserReq", read.UrlForUserReq);
  GetText(bag, "UrlForBnchmkSubReq", read.UrlForBnchmkSubReq);
  GetText(bag, "UrlForBnchmkRptReq", read.UrlForBnchmkRptReq);
  GetBool(bag, "EnableTestEnv", read.EnableTestEnv);
  GetBool(bag, "EnableProxy", read.EnableProxy);
  GetBool(bag, "UseIEProxy", read.UseIEProxy);
  GetText(bag, "ProxyAddr", read.ProxyAddr);
  GetText(bag, "ProxyPort", read.ProxyPort);
  GetText(bag, "SID", read.SID);
  GetText(bag, "TID", read.TID);
  GetText(bag, "Username", read.Username);
  std::string stored;
  GetText(bag, "Password", stored);
  GetBool(bag, "EnableBankHoliday", read.EnableBankHoliday);
  GetInt(bag, "MaxMessagePerSec", read.MaxMessagePerSec);
  DecodePassword(stored, read.Password);  // a failure leaves it empty
  *this = std::move(read);
}

void HandlerConfig::ReadFromProperty(const CPrivateProperty& bag) {
  HolidayTable table;
  ReadHolidayTable(bag, table);
  ReadWithoutHolidays(bag);
  CurrencyTable = std::move(table);
}

void HandlerConfig::WriteToProperty(CPrivateProperty& bag) const {
  bag.SetValueToProperty("ConfigurationVersion", ConfigurationVersion);
  bag.SetValueToProperty("EnableDefaultURL", EnableDefaultURL);
  bag.SetValueToProperty("EnableTestEnv", EnableTestEnv);
  SetText(bag, "UserDefinedHostURL", UserDefinedHostURL);
  SetText(bag, "UrlForTestReq", UrlForTestReq);
  SetText(bag, "UrlForUserReq", UrlForUserReq);
  SetText(bag, "UrlForBnchmkSubReq", UrlForBnchmkSubReq);
  SetText(bag, "UrlForBnchmkRptReq", UrlForBnchmkRptReq);
  bag.SetValueToProperty("EnableProxy", EnableProxy);
  bag.SetValueToProperty("UseIEProxy", UseIEProxy);
  SetText(bag, "ProxyAddr", ProxyAddr);
  SetText(bag, "ProxyPort", ProxyPort);
  SetText(bag, "SID", SID);
  SetText(bag, "TID", TID);
  SetText(bag, "Username", Username);
  SetText(bag, "Password", EncodePassword(Password));
  bag.SetValueToProperty("EnableBankHoliday", EnableBankHoliday);
  WriteHolidayTable(CurrencyTable, bag);
  bag.SetValueToProperty("MaxMessagePerSec", MaxMessagePerSec);
}

int HandlerConfig::Summarise(rr::RRString& out) const {
  SummaryText text;
  text.AddNumber("Configuration Version=", ConfigurationVersion);
  text.AddFlag("Using Default URL=", EnableDefaultURL);
  if (EnableDefaultURL) {
    text.AddFlag("Using Test Environement=", EnableTestEnv);
  } else {
    text.AddText("User Defined Host URL=", UserDefinedHostURL);
    text.AddText("URL for TestRequest=", UrlForTestReq);
    text.AddText("URL for UserRequest=", UrlForUserReq);
    text.AddText("URL for BnchmkSubReq=", UrlForBnchmkSubReq);
    text.AddText("URL for BnchmkRptReq=", UrlForBnchmkRptReq);
  }
  text.AddFlag("Use Proxy=", EnableProxy);
  text.AddFlag("Use IE Proxy Setting=", UseIEProxy);
  text.AddText("Proxy Address=", ProxyAddr + ":" + ProxyPort);
  text.AddText("KEL User Account=", Username);
  text.AddText("SID=", SID);
  text.AddText("TID=", TID);
  text.AddFlag("Enable Bank Holiday=", EnableBankHoliday);
  text.AddNumber("Max Message Per Second=", MaxMessagePerSec);
  return text.Finish(SummaryText::Ending::kNoSeparator, out);
}

}  // namespace kelo
