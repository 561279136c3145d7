#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/terminal/CellLayout.h"
#include "ui/terminal/Curses.h"
#include "ui/terminal/TerminalKey.h"
#include "ui/terminal/TerminalScreen.h"

class TerminalLayer;
class TerminalWindow;

// The terminal while the backend shows something: the stack of layers, the status
// line under them, and the loop that reads keys. Curses runs while at least one
// layer shows, so that what the tool writes before and after lands on the
// terminal's own screen.
//
// A signal that ends the run (SIGINT, SIGTERM, SIGHUP, the terminal gone) unwinds
// every loop with UiRunAborted: nothing more of the pages runs, so nothing is saved
// that OK did not save already.
class TerminalApplication {
 public:
  TerminalApplication();
  ~TerminalApplication();
  TerminalApplication(const TerminalApplication&) = delete;
  TerminalApplication& operator=(const TerminalApplication&) = delete;

  // Shows the layer above the others and runs it until it is done.
  void Run(TerminalLayer& layer);
  // While a key is handled: the status line says this until a key other than a
  // character typed (so that typing on does not wipe it at once); with `beep`, the
  // terminal beeps too (a refused character). An empty text only beeps.
  void Tell(std::string text, bool beep = false);
  void Beep();
  // A page refused what was asked: a beep, and "Refused:" with the focused
  // control's name and keys on the status line.
  void Refuse();

  // Escape on something changed: "Discard changes?", No the default. True for Yes.
  bool ConfirmDiscard(std::string_view caption);
  // A dialog just confirmed after changes: the layer it was opened from changed.
  void MarkChanged();

  void Forget(const TerminalWindow& window);
  void WindowFocused(const TerminalWindow& window);

  bool Unicode() const;
  // Where the hardware cursor was put when the screen was last drawn.
  CellPoint CursorOnScreen() const { return cursor_; }

  // The folder a file chooser opens in: the one last chosen in, else the folder of
  // the file the innermost sheet edits, else the working folder.
  std::string ChooserFolder() const;
  void RememberFolder(std::string folder) { lastFolder_ = std::move(folder); }
  void PushDocument(std::string path) { documents_.push_back(std::move(path)); }
  void PopDocument() { documents_.pop_back(); }

  // How long Escape waits for a letter that makes it Alt with the letter.
  static constexpr int kEscapeWaitMs = 1000;
  // Below this the pages cannot be used (a field and its label, OK and Cancel, the
  // status line): the screen says so, keys are refused, and all comes back as the
  // terminal grows.
  static constexpr int kLeastColumns = 40;
  static constexpr int kLeastRows = 12;

 private:
  struct Shown {
    TerminalLayer* layer;
    WINDOW* window;
    PANEL* panel;
    CellRect place;
  };

  void Render();
  // The screen while it is below the least size.
  void RenderTooSmall(int rows, int columns);
  void PlaceLayer(Shown& shown, int rows, int columns);
  TerminalKey NextKey();
  void Pop();
  [[noreturn]] void Abort(const ScreenEvent& event);
  // F1: every key of the layer on top, one a line.
  void ShowKeys(const TerminalLayer& layer);

  TerminalScreen screen_;
  std::vector<Shown> shown_;
  WINDOW* status_ = nullptr;
  PANEL* statusPanel_ = nullptr;
  std::string told_;
  std::optional<TerminalKey> pending_;
  CellPoint cursor_;
  bool tooSmall_ = false;
  bool showingKeys_ = false;
  std::string lastFolder_;
  std::vector<std::string> documents_;
};
