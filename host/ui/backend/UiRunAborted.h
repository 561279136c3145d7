#pragma once

#include <stdexcept>
#include <string>

// Ends the whole run of the user interface: a script that cannot go on, for
// example. The framework passes it through message handlers instead of reporting it
// in a message box as it does with other exceptions.
class UiRunAborted : public std::runtime_error {
 public:
  // `signal`: the signal that ended the run (SIGINT when the user pressed Ctrl+C,
  // SIGHUP when the terminal went away), 0 for anything else.
  explicit UiRunAborted(const std::string& what, int signal = 0);
  ~UiRunAborted() override;

  int Signal() const { return signal_; }

 private:
  int signal_;
};
