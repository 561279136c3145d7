#pragma once

#include <string>

#include "ui/backend/UiRunAborted.h"

// A script that cannot go on: a line that does not parse, a control that is not
// there, an action the control does not have, an expectation that failed. The
// message begins with "script line N: ", unless the action was queued by a program
// (line 0): then it is the reason alone.
class ScriptError : public UiRunAborted {
 public:
  ScriptError(int line, const std::string& what);
  ~ScriptError() override;

  int line() const { return line_; }
  // What went wrong, without the line.
  const std::string& reason() const { return reason_; }

 private:
  int line_;
  std::string reason_;
};
