#pragma once

#include <cstdint>
#include <string>

namespace kelo {

// Seconds since 1970-01-01 00:00:00 UTC as local time in the ctime layout with a
// zero-padded day and fixed English names, line feed included:
// "Thu Jan 01 00:00:00 1970\n". A time outside 1970 to the end of the year 3000
// (UTC), or one the C library cannot convert, gives "(time out of range: <seconds>)".
std::string LastUpdateText(std::int64_t secondsSinceEpoch);

}  // namespace kelo
