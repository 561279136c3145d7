#pragma once

#include <string>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/holiday/HolidayTable.h"

// The first field in which two configuration records differ, as a message naming the
// field and both values; empty when every field, the holiday calendar included, is
// equal. Fields are walked in the order of the record's field table.
namespace fuzz {

std::string FirstDifference(const kelo::HolidayTable& a, const kelo::HolidayTable& b);
std::string FirstDifference(const kelo::HandlerConfig& a, const kelo::HandlerConfig& b);
std::string FirstDifference(const kelo::CKELOStaticRecSetConfig& a,
                            const kelo::CKELOStaticRecSetConfig& b);
std::string FirstDifference(const kelo::CKELODynRecSetConfig& a,
                            const kelo::CKELODynRecSetConfig& b);

}  // namespace fuzz
