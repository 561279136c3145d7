#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "props/CPrivateProperty.h"

namespace kelo {
namespace {

auto Fields(const CKELOStaticRecSetConfig& c) {
  return std::tie(c.PartyID, c.PartyIDSource, c.PartyRole, c.Currency, c.SecurityID,
                  c.SecurityIDSource, c.FileLocation, c.FullCurveInSub, c.WriteResponseToFile,
                  c.DisableOptimisation, c.OptimiseInitialImage, c.SuppressInitOutput);
}

auto Fields(const CKELODynRecSetConfig& c) { return std::tie(c.SecurityID, c.FullCurveInSub); }

CKELOStaticRecSetConfig ChangedStatic() {
  CKELOStaticRecSetConfig c;
  c.PartyID = " P 1 ";
  c.PartyIDSource = "D";
  c.PartyRole = "62";
  c.Currency = "EUR";
  c.SecurityID =
      "EURIBOR\xA0"
      "3M";
  c.SecurityIDSource = "8";
  c.FileLocation = "C:\\reports\\out file.csv";
  c.FullCurveInSub = false;
  c.WriteResponseToFile = true;
  c.DisableOptimisation = true;
  c.OptimiseInitialImage = false;
  c.SuppressInitOutput = false;
  return c;
}

std::vector<std::string> Keys(const CPrivateProperty& bag) {
  std::vector<std::string> keys;
  for (const auto& entry : bag.Properties()) keys.push_back(entry.first);
  return keys;
}

TEST(StaticRecSetConfig, MissingKeysReadAsDefaults) {
  CPrivateProperty bag;
  bag.SetValueToProperty("PartyID", "P");
  CKELOStaticRecSetConfig read = ChangedStatic();
  read.ReadFromProperty(bag);
  CKELOStaticRecSetConfig expected;
  expected.PartyID = "P";
  EXPECT_EQ(Fields(read), Fields(expected));
  EXPECT_EQ(read.PartyIDSource, "");
  EXPECT_TRUE(read.FullCurveInSub);
  EXPECT_FALSE(read.WriteResponseToFile);
  EXPECT_FALSE(read.DisableOptimisation);
  EXPECT_TRUE(read.OptimiseInitialImage);
  EXPECT_TRUE(read.SuppressInitOutput);
}

TEST(StaticRecSetConfig, WriteThenReadRestoresEveryField) {
  for (const CKELOStaticRecSetConfig& original : {CKELOStaticRecSetConfig(), ChangedStatic()}) {
    CPrivateProperty bag;
    original.WriteToProperty(bag);
    EXPECT_EQ(Keys(bag),
              (std::vector<std::string>{
                  "PartyID", "PartyIDSource", "PartyRole", "Currency", "SecurityID",
                  "SecurityIDSource", "FullCurveInSub", "WriteResponseToFile", "FileLocation",
                  "DisableOptimisation", "OptimiseInitialImage", "SuppressInitOutput"}));
    CKELOStaticRecSetConfig read;
    read.ReadFromProperty(bag);
    EXPECT_EQ(Fields(read), Fields(original));
  }
}

TEST(DynRecSetConfig, DefaultsAndReadDefaultsAgree) {
  CKELODynRecSetConfig constructed;
  EXPECT_EQ(constructed.SecurityID, "");
  EXPECT_TRUE(constructed.FullCurveInSub);

  CPrivateProperty bag;
  bag.SetValueToProperty("SecurityID", "X");
  CKELODynRecSetConfig read;
  read.FullCurveInSub = false;
  read.ReadFromProperty(bag);
  EXPECT_EQ(read.SecurityID, "X");
  EXPECT_TRUE(read.FullCurveInSub);
}

TEST(DynRecSetConfig, WriteThenReadRestoresBothFields) {
  CKELODynRecSetConfig changed;
  changed.SecurityID = "  SONIA \xFF";
  changed.FullCurveInSub = false;
  for (const CKELODynRecSetConfig& original : {CKELODynRecSetConfig(), changed}) {
    CPrivateProperty bag;
    original.WriteToProperty(bag);
    EXPECT_EQ(Keys(bag), (std::vector<std::string>{"SecurityID", "FullCurveInSub"}));
    CKELODynRecSetConfig read;
    read.ReadFromProperty(bag);
    EXPECT_EQ(Fields(read), Fields(original));
  }
}

// Pages own their record through the base and destroy it through the base.
static_assert(std::has_virtual_destructor_v<ILocalData>);
static_assert(std::is_base_of_v<ILocalData, CKELOStaticRecSetConfig>);
static_assert(std::is_base_of_v<ILocalData, CKELODynRecSetConfig>);

}  // namespace
}  // namespace kelo
