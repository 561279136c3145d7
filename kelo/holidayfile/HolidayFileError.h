#pragma once

#include <stdexcept>
#include <string>

namespace kelo {

// A holiday file that cannot be read or written as a whole: the message says why,
// for example "england.ics: it is not an iCalendar file".
class HolidayFileError : public std::runtime_error {
 public:
  explicit HolidayFileError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace kelo
