#pragma once

#include <memory>
#include <string>

class ScopedUiBackend;

// The user interface a command runs on: with a script, the scripted backend plays
// the user (message boxes go to stderr); without one, the Qt backend opens windows.
// Installed for the life of the returned object.
std::unique_ptr<ScopedUiBackend> InstallUi(const std::string& scriptPath);
