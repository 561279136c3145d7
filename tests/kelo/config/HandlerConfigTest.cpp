#include "kelo/config/HandlerConfig.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "kelo/config/PasswordScrambling.h"
#include "props/CPrivateProperty.h"

namespace kelo {
namespace {

HandlerConfig Changed() {
  HandlerConfig c;
  c.ConfigurationVersion = -7;
  c.EnableDefaultURL = false;
  c.EnableTestEnv = true;
  c.UserDefinedHostURL = " host.example ";
  c.UrlForTestReq = "/test?a=1|b=2";
  c.UrlForUserReq = "   ";
  c.UrlForBnchmkSubReq = "/sub\xE9\xFF";
  c.UrlForBnchmkRptReq = "/rpt";
  c.EnableProxy = false;
  c.UseIEProxy = false;
  c.ProxyAddr = "10.0.0.1";
  c.ProxyPort = "8080";
  c.SID = "BANK01";
  c.TID = "KEL";
  c.Username = "user name";
  c.Password = "p\xE4ss w\xF6rd|=";
  c.MaxMessagePerSec = 0;
  c.EnableBankHoliday = true;
  c.CurrencyTable.EnsureCurrency("EUR")["2024-12-25"] = "Christmas Day";
  c.CurrencyTable.EnsureCurrency("GBP")["2024-12-26"] = "Boxing Day";
  c.CurrencyTable.EnsureCurrency("GBP")["2024-12-28"] = "Weekend";
  return c;
}

TEST(HandlerConfig, MissingKeysReadAsDefaults) {
  CPrivateProperty bag;
  bag.SetValueToProperty("Username", "u");
  HandlerConfig read = Changed();  // nothing of it may survive the read
  read.ReadFromProperty(bag);
  HandlerConfig expected;
  expected.Username = "u";
  EXPECT_EQ(read, expected);
  EXPECT_EQ(expected.ConfigurationVersion, 1);
  EXPECT_TRUE(expected.EnableDefaultURL);
  EXPECT_FALSE(expected.EnableTestEnv);
  EXPECT_TRUE(expected.EnableProxy);
  EXPECT_TRUE(expected.UseIEProxy);
  EXPECT_EQ(expected.MaxMessagePerSec, 30);
  EXPECT_FALSE(expected.EnableBankHoliday);
  EXPECT_TRUE(expected.CurrencyTable.empty());
  EXPECT_EQ(expected.Password, "");
}

TEST(HandlerConfig, WriteThenReadRestoresEveryField) {
  for (const HandlerConfig& original : {HandlerConfig(), Changed()}) {
    CPrivateProperty bag;
    original.WriteToProperty(bag);
    HandlerConfig read;
    read.ReadFromProperty(bag);
    EXPECT_EQ(read, original);
  }
}

TEST(HandlerConfig, ReadWithoutHolidaysReadsAllButTheCalendar) {
  CPrivateProperty bag;
  Changed().WriteToProperty(bag);
  HandlerConfig read = Changed();
  read.ReadWithoutHolidays(bag);
  HandlerConfig expected = Changed();
  expected.CurrencyTable.clear();
  EXPECT_EQ(read, expected);
}

TEST(HandlerConfig, WritesKeysInStoredOrder) {
  CPrivateProperty bag;
  Changed().WriteToProperty(bag);
  std::vector<std::string> keys;
  for (const auto& entry : bag.Properties()) keys.push_back(entry.first);
  const std::vector<std::string> expected = {"ConfigurationVersion",
                                             "EnableDefaultURL",
                                             "EnableTestEnv",
                                             "UserDefinedHostURL",
                                             "UrlForTestReq",
                                             "UrlForUserReq",
                                             "UrlForBnchmkSubReq",
                                             "UrlForBnchmkRptReq",
                                             "EnableProxy",
                                             "UseIEProxy",
                                             "ProxyAddr",
                                             "ProxyPort",
                                             "SID",
                                             "TID",
                                             "Username",
                                             "Password",
                                             "EnableBankHoliday",
                                             "CurrencyTable_EUR",
                                             "CurrencyTable_GBP",
                                             "CurrencyTable",
                                             "MaxMessagePerSec"};
  EXPECT_EQ(keys, expected);
}

TEST(HandlerConfig, WriteOverwritesButRemovesNothing) {
  CPrivateProperty bag;
  bag.SetValueToProperty("SID", "old");
  bag.SetValueToProperty("Other", "kept");
  HandlerConfig().WriteToProperty(bag);
  rr::RRString value;
  bag.GetValueFromProperty("SID", value, "missing");
  EXPECT_EQ(value, "");
  bag.GetValueFromProperty("Other", value, "missing");
  EXPECT_EQ(value, "kept");
}

TEST(HandlerConfig, PasswordIsStoredScrambled) {
  CPrivateProperty bag;
  HandlerConfig().WriteToProperty(bag);
  rr::RRString stored;
  bag.GetValueFromProperty("Password", stored, "missing");
  EXPECT_EQ(stored.length(), 32u);

  HandlerConfig withPassword;
  withPassword.Password = "secret";
  withPassword.WriteToProperty(bag);
  bag.GetValueFromProperty("Password", stored, "missing");
  EXPECT_EQ(stored.str().find("secret"), std::string::npos);
  std::string decoded;
  EXPECT_TRUE(DecodePassword(stored.str(), decoded));
  EXPECT_EQ(decoded, "secret");
}

TEST(HandlerConfig, UnreadablePasswordReadsAsEmpty) {
  const std::string valid = EncodePassword("secret");
  std::string upper = valid;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  struct Case {
    const char* name;
    std::string stored;
    std::string password;
  };
  const Case cases[] = {
      {"as written", valid, "secret"},
      {"one extra digit", valid + "a", "secret"},
      {"capital digits", upper, ""},
      {"plain text", "secret", ""},
      {"cut by one digit pair", valid.substr(0, valid.size() - 2), ""},
  };
  for (const Case& c : cases) {
    CPrivateProperty bag;
    bag.SetValueToProperty("Password", c.stored.c_str());
    HandlerConfig read;
    read.ReadFromProperty(bag);
    EXPECT_EQ(read.Password, c.password) << c.name;
  }
}

}  // namespace
}  // namespace kelo
