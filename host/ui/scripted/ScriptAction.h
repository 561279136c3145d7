#pragma once

#include <functional>
#include <string>
#include <vector>

// One word of a script line: bare, or quoted in double quotes.
struct ScriptToken {
  std::string text;
  bool quoted = false;
  // A control named "above CAPTION": the control just above the one the caption names.
  bool above = false;

  // A bare whole number: an id or an index.
  bool IsNumber() const;
  int Number() const;
};

// One line of a script, or a step of code a test put between lines.
struct ScriptAction {
  int line = 0;
  std::string verb;
  std::vector<ScriptToken> args;
  std::function<void()> step;
};
