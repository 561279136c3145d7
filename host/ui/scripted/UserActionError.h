#pragma once

#include <stdexcept>
#include <string>

// A user action the control cannot take: it is disabled, it has no such action, the
// entry or date asked for is not there.
class UserActionError : public std::invalid_argument {
 public:
  explicit UserActionError(const std::string& what) : std::invalid_argument(what) {}
};
