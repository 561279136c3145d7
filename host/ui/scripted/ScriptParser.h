#pragma once

#include <string_view>
#include <vector>

#include "ui/scripted/ScriptAction.h"
#include "ui/scripted/UserAction.h"

// Parses a script (see docs/script-language.md): one action per line, blank lines
// and lines starting with "#" skipped, a "#" at the start of a word ending the line.
// Checks the action names, their argument counts and the forms of dates, years and
// answers; throws ScriptError naming the line for the first problem.
std::vector<ScriptAction> ParseScript(std::string_view text, int firstLine = 1);

// The action a parsed line stands for; the line must come from ParseScript, which
// checked its form.
UserAction UserActionOf(const ScriptAction& line);
