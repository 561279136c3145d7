#include "kelo/persist/LastUpdateText.h"

#include <boost/lexical_cast.hpp>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace kelo {

namespace {

// The calendar the runtime's platform supports; beyond it the C library's
// conversion is not relied on.
constexpr std::int64_t kLatestSupported =
    std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::sys_days{std::chrono::year{3001} / 1 / 1}.time_since_epoch())
        .count() -
    1;
static_assert(sizeof(std::time_t) >= sizeof(std::int64_t), "the year 3000 needs a 64-bit time_t");

// Not the locale's names: the description reads the same on every machine.
constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string OutOfRange(std::int64_t seconds) {
  return "(time out of range: " + boost::lexical_cast<std::string>(seconds) + ")";
}

}  // namespace

std::string LastUpdateText(std::int64_t secondsSinceEpoch) {
  if (secondsSinceEpoch < 0 || secondsSinceEpoch > kLatestSupported) {
    return OutOfRange(secondsSinceEpoch);
  }
  const auto time = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr || local.tm_wday < 0 || local.tm_wday > 6 ||
      local.tm_mon < 0 || local.tm_mon > 11) {
    return OutOfRange(secondsSinceEpoch);
  }
  // The zone offset keeps the local year within 1969..3001, so four digits suffice.
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d\n",
                                   kWeekdays[local.tm_wday], kMonths[local.tm_mon], local.tm_mday,
                                   local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof text) {
    return OutOfRange(secondsSinceEpoch);
  }
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace kelo
