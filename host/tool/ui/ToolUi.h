#pragma once

#include <memory>
#include <string>
#include <vector>

class ScopedUiBackend;

// The user interface a command runs on. With a script, the scripted backend plays
// the user (message boxes go to stderr). Without one, the pages show with Qt when a
// display answers, in the terminal when none does and standard input and output are
// a terminal; `--ui qt|terminal` on the command line, else the environment variable
// HCDTOOL_UI, chooses instead.

// Takes "--ui qt|terminal" out of args, else reads HCDTOOL_UI, for the InstallUi
// calls of the rest of the run. Throws UsageError for another value, and for --ui
// beside a script, which shows no window.
void TakeUiChoice(std::vector<std::string>& args, bool scripted);

// Installs the user interface for the life of the returned object. Throws
// std::runtime_error in one line, at once, when no window can be opened: no display
// and no terminal, Qt asked for on an offscreen platform (nobody could press OK), a
// terminal that cannot address the cursor.
std::unique_ptr<ScopedUiBackend> InstallUi(const std::string& scriptPath);

// The environment variable that chooses the backend when --ui does not.
inline constexpr const char* kUiVariable = "HCDTOOL_UI";
