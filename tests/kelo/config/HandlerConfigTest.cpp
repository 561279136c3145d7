#include "kelo/config/HandlerConfig.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
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
  EXPECT_EQ(read.ConfigurationVersion, 1);
  EXPECT_TRUE(read.EnableDefaultURL);
  EXPECT_FALSE(read.EnableTestEnv);
  EXPECT_TRUE(read.EnableProxy);
  EXPECT_TRUE(read.UseIEProxy);
  EXPECT_EQ(read.MaxMessagePerSec, 30);
  EXPECT_FALSE(read.EnableBankHoliday);
  EXPECT_TRUE(read.CurrencyTable.empty());
  EXPECT_EQ(read.Password, "");
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

TEST(HandlerConfig, UnreadablePasswordReadsAsEmptyAndIsKeptUntilReplaced) {
  const std::string valid = EncodePassword("secret");
  std::string upper = valid;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  std::string badDigits = valid;
  badDigits[0] = badDigits[0] == '0' ? '1' : '0';  // the first block no longer deciphers
  struct Case {
    const char* name;
    std::function<void(CPrivateProperty&)> store;
    std::string password;  // empty: unreadable
  };
  const Case cases[] = {
      {"as written", [&](CPrivateProperty& b) { b.SetValueToProperty("Password", valid.c_str()); },
       "secret"},
      {"one extra digit",
       [&](CPrivateProperty& b) { b.SetValueToProperty("Password", (valid + "a").c_str()); },
       "secret"},
      {"capital digits",
       [&](CPrivateProperty& b) { b.SetValueToProperty("Password", upper.c_str()); }, ""},
      {"plain text", [](CPrivateProperty& b) { b.SetValueToProperty("Password", "secret"); }, ""},
      {"cut by one digit pair",
       [&](CPrivateProperty& b) {
         b.SetValueToProperty("Password", valid.substr(0, valid.size() - 2).c_str());
       },
       ""},
      {"digits that do not decode",
       [&](CPrivateProperty& b) { b.SetValueToProperty("Password", badDigits.c_str()); }, ""},
      {"another type", [](CPrivateProperty& b) { b.SetValueToProperty("Password", 1234); }, ""},
      {"a group",
       [](CPrivateProperty& b) { b.Properties()["Password"].SetValueToProperty("Inner", true); },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CPrivateProperty bag;
    bag.SetValueToProperty("SID", "S");
    c.store(bag);
    bag.SetValueToProperty("TID", "T");
    const CPrivateProperty stored = *bag.Properties().find("Password");
    HandlerConfig read;
    read.ReadFromProperty(bag);
    EXPECT_EQ(read.Password, c.password);

    // Written back untouched, into the same bag or a fresh one, it is what was stored
    // when it could not be read; a readable one is scrambled anew, as ever.
    CPrivateProperty fresh;
    read.WriteToProperty(fresh);
    read.WriteToProperty(bag);
    for (const CPrivateProperty* written : {&fresh, &bag}) {
      const CPrivateProperty& password = *written->Properties().find("Password");
      std::string decoded;
      if (c.password.empty()) {
        EXPECT_EQ(password, stored);
      } else {
        ASSERT_EQ(password.Type(), CPrivateProperty::EType::String);
        EXPECT_TRUE(DecodePassword(password.StringValue(), decoded));
        EXPECT_EQ(decoded, c.password);
      }
    }

    // A new password replaces whatever was stored.
    read.Password = "new one";
    read.WriteToProperty(bag);
    const CPrivateProperty& replaced = *bag.Properties().find("Password");
    std::string decoded;
    ASSERT_EQ(replaced.Type(), CPrivateProperty::EType::String);
    EXPECT_TRUE(DecodePassword(replaced.StringValue(), decoded));
    EXPECT_EQ(decoded, "new one");
  }
}

}  // namespace
}  // namespace kelo
