#pragma once

#include <memory>
#include <optional>
#include <string>

#include "tool/ToolArgs.h"

class ScopedUiBackend;

// The file of an edit started without one (from a desktop menu), as the user chose
// it, and the user interface that asked, which the edit goes on with.
struct ChosenEditFile {
  std::unique_ptr<ScopedUiBackend> ui;
  std::string path;
  ConfigKind kind = ConfigKind::Handler;
};

// Installs the user interface (the script's, else Qt's) and asks for an existing
// configuration in the framework's file chooser; nothing when the user cancelled.
// When no kind is given and the chosen file's place does not say one, a window asks
// the user what the file holds (Cancel there goes back to the chooser); a script
// cannot be asked, and gets a UsageError as for a missing option. Throws UsageError
// too when no window can be opened to ask in (as for any missing argument).
std::optional<ChosenEditFile> ChooseFileToEdit(const std::string& scriptPath,
                                               const std::optional<ConfigKind>& given);
