#pragma once

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

// One line of a script as its words: what the parser checks before the line becomes
// a UserAction (ScriptParser.h).
struct ScriptAction {
  int line = 0;
  std::string verb;
  std::vector<ScriptToken> args;
};
