#pragma once

#include <stdexcept>
#include <string>

// Ends the whole run of the user interface: a script that cannot go on, for
// example. The framework passes it through message handlers instead of reporting it
// in a message box as it does with other exceptions.
class UiRunAborted : public std::runtime_error {
 public:
  explicit UiRunAborted(const std::string& what);
  ~UiRunAborted() override;
};
