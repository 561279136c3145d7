#include "ui/scripted/ScriptError.h"

ScriptError::ScriptError(int line, const std::string& what)
    : UiRunAborted(line > 0 ? "script line " + std::to_string(line) + ": " + what : what),
      line_(line),
      reason_(what) {}

ScriptError::~ScriptError() = default;
