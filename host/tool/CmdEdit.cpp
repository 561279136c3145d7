#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "files/AtomicSave.h"
#include "files/EditedFile.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/module/ModuleSheet.h"
#include "tool/module/SheetSave.h"
#include "tool/ui/EditFileChooser.h"
#include "tool/ui/ToolUi.h"
#include "ui/AfxFunctions.h"
#include "ui/WinConstants.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/backend/UiRunAborted.h"

namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// A window system a person looks at: not Qt's offscreen or minimal platforms.
bool DisplayForPeople() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0' && std::strncmp(platform, "xcb", 3) != 0 &&
      std::strncmp(platform, "wayland", 7) != 0)
    return false;
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

// An edit started from a desktop (a file manager's "Open with", or the file chosen
// in a window) has nobody reading its standard error: a refusal before the sheet
// opens is then also shown in a message box, when there is a display to show it
// on. Nothing more is tried when the box cannot be shown either.
void ShowRefusal(const std::string& reason, bool windowShown) {
  if (!windowShown && (::isatty(STDERR_FILENO) != 0 || !DisplayForPeople())) return;
  try {
    const auto ui = windowShown ? nullptr : InstallUi("");
    AfxMessageBox("Cannot edit: " + reason, MB_OK | MB_ICONERROR);
  } catch (const std::exception&) {
  }
}

}  // namespace

int RunEdit(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> givenKind = TakeConfigKindIfGiven(args);
  const std::string script = TakeOption(args, "--script");
  TakeUiChoice(args, !script.empty());
  std::optional<ChosenEditFile> chosen;
  if (args.empty()) {
    chosen = ChooseFileToEdit(script, givenKind);
    if (!chosen) {
      std::cerr << "hcdtool: not edited: no file was chosen\n";
      return kExitRefused;
    }
  } else {
    ExpectPositional(args, 1, "one FILE");
  }
  const std::string path = chosen ? chosen->path : args[0];
  const ConfigKind kind = chosen ? chosen->kind : KindOfPlace(path, givenKind);

  // A file that does not exist yet, or is empty, is a configuration that does not
  // exist yet: the pages start from their defaults.
  std::optional<EditedFile> file;
  CHandlerPrivateProps bag;
  try {
    // Refused up front what the save would refuse at the end, so the user does not
    // edit for nothing; a FIFO is refused before it is opened, and no writer's bytes
    // are taken.
    CheckSaveTarget(path);
    file.emplace(path);
    bag = ParseConfiguration(path, file->Content(), EmptyIs::NewConfiguration);
  } catch (const std::exception& e) {
    file.reset();
    if (script.empty()) ShowRefusal(e.what(), chosen.has_value());
    throw;
  }
  const auto ui = chosen ? std::move(chosen->ui) : InstallUi(script);

  ModuleSheet sheet(module, kind, bag);
  sheet.Sheet().SetDocument(path);
  SheetSave save(*file, bag, sheet.Page(), sheet.Sheet(), !script.empty());
  sheet.Sheet().SetApplyHandler([&save] { return save.Apply(); });
  bool saved = false;
  try {
    saved = sheet.Run();
  } catch (const SaveAborted& e) {
    throw std::runtime_error(e.what());
  } catch (const UiRunAborted& e) {
    // Ctrl+C, or the terminal gone: the end a signal would have been, once the
    // terminal is as it was.
    if (e.Signal() != 0) {
      std::cerr << "hcdtool: " << e.what() << "; " << ShownToken(path, TextBytes::Utf8)
                << " is unchanged\n";
      return 128 + e.Signal();
    }
    throw std::runtime_error(
        (script.empty() ? std::string() : ShownToken(script, TextBytes::Utf8) + ": ") + e.what());
  }
  if (!saved) {
    std::cerr << "hcdtool: not saved: the edit was cancelled or refused; "
              << ShownToken(path, TextBytes::Utf8) << " is unchanged\n";
    return kExitRefused;
  }
  return kExitOk;
}
