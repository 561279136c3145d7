#include "kelo/persist/FieldValidation.h"

#include <iterator>

namespace kelo {

namespace {

// Checked in this order; the first match wins.
constexpr const char* kAlwaysValid[] = {
    "BENCHMK_SUB_REQ_ID",   "BENCHMARK_PRICE",        "BENCHMARK_PRICE_TYPE",
    "BENCHMK_SUB_REQ_TYPE", "BENCHMK_ENABLE_HOLIDAY",
};

constexpr const char* kPartyFields[] = {
    "PARTY_ID",
    "PARTY_ID_SOURCE",
    "PARTY_ROLE",
    "SECURITY_ID_SOURCE",
};

// Byte-wise sorted, as the chooser's list box orders them, so that adding them in
// this order to an unsorted list shows the same thing.
constexpr const char* kChooserBenchmarkFields[] = {
    "BENCHMARK_PRICE",
    "BENCHMARK_PRICE_TYPE",
    "BENCHMK_ENABLE_HOLIDAY",
    "BENCHMK_SUB_REQ_TYPE",
};

template <std::size_t N>
bool IsOneOf(const rr::RRString& field, const char* const (&names)[N]) {
  for (const char* name : names) {
    if (field == name) return true;
  }
  return false;
}

}  // namespace

int IsFieldValid(const rr::RRString& field, int partyFields, rr::RRString& error) {
  if (IsOneOf(field, kAlwaysValid)) return 1;
  if (partyFields != 0 && IsOneOf(field, kPartyFields)) return 1;
  error = kFieldRefusalText;
  return 0;
}

std::vector<const char*> FieldChooserNames(bool fieldChooserFlag) {
  std::vector<const char*> names(std::begin(kChooserBenchmarkFields),
                                 std::end(kChooserBenchmarkFields));
  if (fieldChooserFlag) names.insert(names.end(), std::begin(kPartyFields), std::end(kPartyFields));
  return names;
}

}  // namespace kelo
