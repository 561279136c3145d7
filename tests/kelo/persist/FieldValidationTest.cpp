#include "kelo/persist/FieldValidation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kelo {
namespace {

constexpr const char* kUntouched = "left by the caller";

struct FieldCase {
  rr::RRString field;
  int partyFields;
  bool accepted;
};

TEST(FieldValidation, AcceptsExactlyTheHandlerFields) {
  const FieldCase cases[] = {
      {"BENCHMK_SUB_REQ_ID", 0, true},
      {"BENCHMARK_PRICE", 0, true},
      {"BENCHMARK_PRICE_TYPE", 0, true},
      {"BENCHMK_SUB_REQ_TYPE", 0, true},
      {"BENCHMK_ENABLE_HOLIDAY", 0, true},
      {"BENCHMK_ENABLE_HOLIDAY", 1, true},
      {"PARTY_ID", 0, false},
      {"PARTY_ID_SOURCE", 0, false},
      {"PARTY_ROLE", 0, false},
      {"SECURITY_ID_SOURCE", 0, false},
      {"PARTY_ID", 1, true},
      {"PARTY_ID_SOURCE", 1, true},
      {"PARTY_ROLE", 1, true},
      {"SECURITY_ID_SOURCE", 1, true},
      // Any non-zero flag switches the party fields on.
      {"PARTY_ROLE", -1, true},
      {"SECURITY_ID_SOURCE", 2, true},
      {"", 0, false},
      {"", 1, false},
      // The whole name must match, byte for byte.
      {"BENCHMARK_PRICE_", 1, false},
      {"BENCHMARK_PRIC", 1, false},
      {"BENCHMARK_PRICE_TYPE ", 1, false},
      {" PARTY_ID", 1, false},
      {"benchmark_price", 1, false},
      {rr::RRString("PARTY_ID\0X", 10), 1, false},
      {rr::RRString("BENCHMARK_PRICE\0", 16), 1, false},
      {"BENCHMK_SUB_REQ_I", 1, false},
      {"PARTY", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("field \"" + c.field.str() + "\" party " + std::to_string(c.partyFields));
    rr::RRString error = kUntouched;
    EXPECT_EQ(IsFieldValid(c.field, c.partyFields, error), c.accepted ? 1 : 0);
    EXPECT_EQ(error.str(), c.accepted ? std::string(kUntouched) : std::string(kFieldRefusalText));
  }
}

TEST(FieldValidation, RefusalTextIsTheHostsSentence) {
  rr::RRString error;
  ASSERT_EQ(IsFieldValid("NOT_A_FIELD", 1, error), 0);
  EXPECT_EQ(error.str(), "The field specified is not valid. Please select another.");
}

TEST(FieldChooserNames, ListsTheBenchmarkFieldsAndThePartyFieldsOnlyWithTheFlag) {
  auto asStrings = [](const std::vector<const char*>& names) {
    return std::vector<std::string>(names.begin(), names.end());
  };
  EXPECT_EQ(asStrings(FieldChooserNames(false)),
            (std::vector<std::string>{"BENCHMARK_PRICE", "BENCHMARK_PRICE_TYPE",
                                      "BENCHMK_ENABLE_HOLIDAY", "BENCHMK_SUB_REQ_TYPE"}));
  EXPECT_EQ(asStrings(FieldChooserNames(true)),
            (std::vector<std::string>{"BENCHMARK_PRICE", "BENCHMARK_PRICE_TYPE",
                                      "BENCHMK_ENABLE_HOLIDAY", "BENCHMK_SUB_REQ_TYPE", "PARTY_ID",
                                      "PARTY_ID_SOURCE", "PARTY_ROLE", "SECURITY_ID_SOURCE"}));
}

TEST(FieldChooserNames, OffersOnlyNamesThatValidationAccepts) {
  for (const bool flag : {false, true}) {
    const auto names = FieldChooserNames(flag);
    // The chooser's list sorts itself; the order given must already be that order.
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const char* a, const char* b) {
      return std::string(a) < std::string(b);
    }));
    for (const char* name : names) {
      rr::RRString error;
      EXPECT_EQ(IsFieldValid(name, flag ? 1 : 0, error), 1) << name;
    }
  }
}

}  // namespace
}  // namespace kelo
