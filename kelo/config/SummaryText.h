#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rrstring/RRString.h"

namespace kelo {

// Builds a summary line of "label=value" items separated by "|". Values go in
// unchanged: a "|" or "=" inside a value is not escaped.
class SummaryText {
 public:
  // The static record set's line ends in "|"; the others do not.
  enum class Ending { kNoSeparator, kSeparator };

  // Labels end in "=".
  void AddText(std::string_view label, std::string_view value);
  void AddFlag(std::string_view label, bool value);            // "Yes" or "No"
  void AddNumber(std::string_view label, std::int32_t value);  // decimal, "-" if negative
  // Extends the last item with the joint and the value; the count stays.
  void Continue(std::string_view joint, std::string_view value);

  // Hands the whole line to out in one assignment; returns the number of items.
  int Finish(Ending ending, rr::RRString& out);

 private:
  std::string text_;
  int items_ = 0;
};

}  // namespace kelo
