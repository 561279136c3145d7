#include "kelo/pages/TextTrim.h"

namespace kelo {

std::string TrimWhiteSpace(std::string_view text) {
  constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
  const auto first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kWhiteSpace);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace kelo
