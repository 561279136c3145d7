#include "tool/ui/ToolUi.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/ui/UiBackendLoader.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

enum class UiChoice { Automatic, Qt, Terminal };

UiChoice& Chosen() {
  static UiChoice choice = UiChoice::Automatic;
  return choice;
}

std::optional<UiChoice> ParseChoice(const std::string& value) {
  if (value == "qt") return UiChoice::Qt;
  if (value == "terminal") return UiChoice::Terminal;
  return std::nullopt;
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Qt's platforms that show nothing to a person.
bool Invisible(const std::string& platform) {
  return platform.starts_with("offscreen") || platform.starts_with("minimal");
}

// libxcb is what Qt's X platform connects with; it is looked up only when needed,
// so that the tool links nothing of X, and a server without X needs none.
bool XDisplayAnswers() {
  if (Variable("DISPLAY").empty()) return false;
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (xcb == nullptr) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool answers = false;
  if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
    void* connection = connect(nullptr, nullptr);
    answers = hasError(connection) == 0;
    disconnect(connection);
  }
  dlclose(xcb);
  return answers;
}

bool WaylandAnswers() {
  const std::string display = Variable("WAYLAND_DISPLAY");
  if (display.empty()) return false;
  const std::string socket =
      display.starts_with('/') ? display : Variable("XDG_RUNTIME_DIR") + "/" + display;
  return ::access(socket.c_str(), F_OK) == 0;
}

bool OnATerminal() { return ::isatty(STDIN_FILENO) != 0 && ::isatty(STDOUT_FILENO) != 0; }

std::string WhyNoDisplay(const std::string& platform) {
  if (Invisible(platform))
    return "QT_QPA_PLATFORM=" + ShownToken(platform, TextBytes::Utf8) + " shows no window";
  if (Variable("DISPLAY").empty() && Variable("WAYLAND_DISPLAY").empty())
    return "no display is set (DISPLAY)";
  if (!Variable("DISPLAY").empty())
    return "the X display " + ShownToken(Variable("DISPLAY"), TextBytes::Utf8) + " does not answer";
  return "the Wayland display does not answer";
}

std::unique_ptr<UiBackend> LoadChosen() {
  const std::string platform = Variable("QT_QPA_PLATFORM");
  switch (Chosen()) {
    case UiChoice::Qt:
      // Nobody could press OK in a window nobody sees: refused now, not waited on.
      if (Invisible(platform))
        throw std::runtime_error(
            "no window can be opened: QT_QPA_PLATFORM=" + ShownToken(platform, TextBytes::Utf8) +
            " shows no window to anybody; edit with --ui terminal, or "
            "play the user with --script");
      // Qt's X platform without an X display: said here, with what can be done.
      if (UiLibraryInstalled(UiLibrary::Qt) && (platform.empty() || platform.starts_with("xcb")) &&
          !XDisplayAnswers())
        throw std::runtime_error("no window can be opened: " + WhyNoDisplay(platform) +
                                 "; edit with --ui terminal, or play the user with --script");
      return LoadUiBackend(UiLibrary::Qt);
    case UiChoice::Terminal:
      return LoadUiBackend(UiLibrary::Terminal);
    case UiChoice::Automatic:
      break;
  }
  // A platform named other than X, Wayland or an invisible one is what the user
  // asked for; Qt says itself whether it starts.
  if (!platform.empty() && !Invisible(platform) && !platform.starts_with("xcb") &&
      !platform.starts_with("wayland"))
    return LoadUiBackend(UiLibrary::Qt);
  const bool display =
      !Invisible(platform) &&
      (platform.starts_with("wayland") ? WaylandAnswers() : XDisplayAnswers() || WaylandAnswers());
  if (display && (UiLibraryInstalled(UiLibrary::Qt) || !OnATerminal()))
    return LoadUiBackend(UiLibrary::Qt);
  if (OnATerminal()) return LoadUiBackend(UiLibrary::Terminal);
  // Wayland named without a compositor to answer: Qt says best what it lacks.
  if (platform.starts_with("wayland")) return LoadUiBackend(UiLibrary::Qt);
  throw std::runtime_error("no window can be opened: " + WhyNoDisplay(platform) +
                           ", and standard input and output are not a terminal; run it on a "
                           "desktop or in a terminal, or play the user with --script");
}

}  // namespace

void TakeUiChoice(std::vector<std::string>& args, bool scripted) {
  const std::string option = TakeOption(args, "--ui");
  if (!option.empty()) {
    const std::optional<UiChoice> choice = ParseChoice(option);
    if (!choice)
      throw UsageError("--ui takes qt or terminal, not " + QuotedToken(option, TextBytes::Utf8));
    if (scripted)
      throw UsageError("--ui and --script exclude each other: a script shows no window");
    Chosen() = *choice;
    return;
  }
  const std::string variable = Variable(kUiVariable);
  if (variable.empty() || scripted) {
    Chosen() = UiChoice::Automatic;
    return;
  }
  const std::optional<UiChoice> choice = ParseChoice(variable);
  if (!choice)
    throw UsageError(std::string(kUiVariable) + " takes qt or terminal, not " +
                     QuotedToken(variable, TextBytes::Utf8));
  Chosen() = *choice;
}

std::unique_ptr<ScopedUiBackend> InstallUi(const std::string& scriptPath) {
  if (scriptPath.empty()) return std::make_unique<ScopedUiBackend>(LoadChosen());

  const std::string script = ReadInputFile(scriptPath);
  auto backend = std::make_unique<ScriptedBackend>();
  backend->SetMessageStream(&std::cerr);
  backend->SetOutputStream(&std::cout);
  try {
    backend->Load(script);
  } catch (const ScriptError& e) {
    throw std::runtime_error(ShownToken(scriptPath, TextBytes::Utf8) + ": " + e.what());
  }
  return std::make_unique<ScopedUiBackend>(std::move(backend));
}
