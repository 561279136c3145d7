#pragma once

#include <string>
#include <string_view>

namespace kelo {

// The text without the blanks, tabs, line ends, vertical tabs and form feeds at
// either end.
std::string TrimWhiteSpace(std::string_view text);

}  // namespace kelo
