#include "kelo/config/ConfigSummaries.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"
#include "props/CPrivateProperty.h"

namespace kelo {
namespace {

struct Summary {
  std::string text;
  int items;
  bool operator==(const Summary&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const Summary& s) {
    return os << s.items << " \"" << s.text << "\"";
  }
};

Summary OfHandler(const CPrivateProperty& bag) {
  rr::RRString out = "previous";
  const int items = SummariseHandler(bag, out);
  return {out.str(), items};
}

Summary OfRecordSet(const CPrivateProperty& bag, bool dynamic) {
  rr::RRString out = "previous";
  const int items = SummariseRecordSet(bag, dynamic, out);
  return {out.str(), items};
}

TEST(ConfigSummaries, EmptyBagIsNotConfigured) {
  const CPrivateProperty empty;
  const Summary notConfigured{"Not=Configured", 1};
  EXPECT_EQ(OfHandler(empty), notConfigured);
  EXPECT_EQ(OfRecordSet(empty, false), notConfigured);
  EXPECT_EQ(OfRecordSet(empty, true), notConfigured);
}

TEST(ConfigSummaries, HandlerTexts) {
  CPrivateProperty bag;
  bag.SetValueToProperty("Username", "u");
  EXPECT_EQ(OfHandler(bag),
            (Summary{"Configuration Version=1|Using Default URL=Yes|Using Test Environement=No|"
                     "Use Proxy=Yes|Use IE Proxy Setting=Yes|Proxy Address=:|KEL User Account=u|"
                     "SID=|TID=|Enable Bank Holiday=No|Max Message Per Second=30",
                     11}));

  bag.SetValueToProperty("EnableDefaultURL", false);
  EXPECT_EQ(OfHandler(bag),
            (Summary{"Configuration Version=1|Using Default URL=No|User Defined Host URL=|"
                     "URL for TestRequest=|URL for UserRequest=|URL for BnchmkSubReq=|"
                     "URL for BnchmkRptReq=|Use Proxy=Yes|Use IE Proxy Setting=Yes|"
                     "Proxy Address=:|KEL User Account=u|SID=|TID=|Enable Bank Holiday=No|"
                     "Max Message Per Second=30",
                     15}));
}

TEST(ConfigSummaries, HandlerValuesUnchangedAndSecretsLeftOut) {
  HandlerConfig config;
  config.ConfigurationVersion = 3;
  config.EnableDefaultURL = false;
  config.UserDefinedHostURL = "h=1|2";
  config.UrlForTestReq = "t";
  config.UrlForUserReq = "u";
  config.UrlForBnchmkSubReq = "s";
  config.UrlForBnchmkRptReq = "r";
  config.EnableProxy = false;
  config.UseIEProxy = false;
  config.ProxyAddr = "proxy";
  config.ProxyPort = "3128";
  config.SID = " S ";
  config.TID = "T";
  config.Username = "name";
  config.Password = "hidden-password";
  config.EnableBankHoliday = true;
  config.MaxMessagePerSec = -5;
  config.CurrencyTable.EnsureCurrency("GBP")["2024-12-25"] = "Christmas Day";
  CPrivateProperty bag;
  config.WriteToProperty(bag);
  EXPECT_EQ(OfHandler(bag),
            (Summary{"Configuration Version=3|Using Default URL=No|User Defined Host URL=h=1|2|"
                     "URL for TestRequest=t|URL for UserRequest=u|URL for BnchmkSubReq=s|"
                     "URL for BnchmkRptReq=r|Use Proxy=No|Use IE Proxy Setting=No|"
                     "Proxy Address=proxy:3128|KEL User Account=name|SID= S |TID=T|"
                     "Enable Bank Holiday=Yes|Max Message Per Second=-5",
                     15}));

  // The record's own Summarise gives the same line.
  HandlerConfig read;
  read.ReadFromProperty(bag);
  rr::RRString out;
  EXPECT_EQ(read.Summarise(out), 15);
  EXPECT_EQ(out.str(), OfHandler(bag).text);
}

TEST(ConfigSummaries, StaticRecordSetTexts) {
  CPrivateProperty bag;
  bag.SetValueToProperty("PartyID", "P");
  EXPECT_EQ(OfRecordSet(bag, false),
            (Summary{"Party ID=P|Party ID Source=|Party Role=|Currency=|Security ID=|"
                     "Security ID Source=|Full Curve In Submission=Yes|"
                     "Write Response to CSV file=No|CSV file location=|Disable Optimisation=No|"
                     "Optimise Initial Image=Yes|Suppress Initial Output=Yes|",
                     12}));

  CKELOStaticRecSetConfig config;
  config.PartyID = "P1";
  config.PartyIDSource = "D";
  config.PartyRole = "62";
  config.Currency = "EUR";
  config.SecurityID = "S";
  config.SecurityIDSource = "8";
  config.FileLocation = "/tmp/a b.csv";
  config.FullCurveInSub = false;
  config.WriteResponseToFile = true;
  config.DisableOptimisation = true;
  config.OptimiseInitialImage = false;
  config.SuppressInitOutput = false;
  CPrivateProperty full;
  config.WriteToProperty(full);
  EXPECT_EQ(OfRecordSet(full, false),
            (Summary{"Party ID=P1|Party ID Source=D|Party Role=62|Currency=EUR|Security ID=S|"
                     "Security ID Source=8|Full Curve In Submission=No|"
                     "Write Response to CSV file=Yes|CSV file location=/tmp/a b.csv|"
                     "Disable Optimisation=Yes|Optimise Initial Image=No|"
                     "Suppress Initial Output=No|",
                     12}));
}

TEST(ConfigSummaries, DynamicRecordSetTexts) {
  CPrivateProperty bag;
  bag.SetValueToProperty("SecurityID", "X");
  bag.SetValueToProperty("FullCurveInSub", true);
  EXPECT_EQ(OfRecordSet(bag, true), (Summary{"Security ID=X|Full Curve In Submission=Yes", 2}));

  bag.SetValueToProperty("FullCurveInSub", false);
  EXPECT_EQ(OfRecordSet(bag, true), (Summary{"Security ID=X|Full Curve In Submission=No", 2}));

  // The same bag read as a static record set shows the static line.
  EXPECT_EQ(OfRecordSet(bag, false).items, 12);
  EXPECT_EQ(OfRecordSet(bag, false).text.substr(0, 12), "Party ID=|Pa");
}

}  // namespace
}  // namespace kelo
