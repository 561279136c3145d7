#include "ui/scripted/ScriptError.h"

ScriptError::ScriptError(int line, const std::string& what)
    : UiRunAborted("script line " + std::to_string(line) + ": " + what), line_(line) {}

ScriptError::~ScriptError() = default;
