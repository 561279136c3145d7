#pragma once

#include <optional>
#include <string>

#include "ui/terminal/Curses.h"
#include "ui/terminal/TerminalKey.h"
#include "ui/terminal/TerminalPalette.h"

// What waiting on the terminal brought.
struct ScreenEvent {
  enum class Kind {
    Key,
    Resized,  // the terminal changed its size, or came back after a stop: draw anew
    TimedOut,
    Interrupted,  // SIGINT or SIGTERM: `signal`
    HungUp,       // SIGHUP, or the terminal went away
  };
  Kind kind = Kind::TimedOut;
  TerminalKey key;
  int signal = 0;
};

// The terminal as curses runs it, from Start to Stop, on standard input and output.
//
// The terminal is left as it was found on every way out: Stop (and the destructor)
// end curses, which puts back the modes it found and leaves the alternate screen;
// SIGINT, SIGTERM and SIGHUP only stop the wait (Next reports them, the caller
// unwinds and ends with Stop); a crash signal (SIGSEGV, SIGABRT from an uncaught
// exception, SIGQUIT...) puts the modes and the screen back from the handler itself,
// with what async-signal-safe calls allow, before the signal goes on to its previous
// handler. Ctrl+Z leaves the terminal as it was, stops, and draws again after fg.
class TerminalScreen {
 public:
  TerminalScreen();
  ~TerminalScreen();
  TerminalScreen(const TerminalScreen&) = delete;
  TerminalScreen& operator=(const TerminalScreen&) = delete;

  // Why the pages cannot be shown on standard input and output, in one line: not a
  // terminal, no TERM, a terminal that cannot address the cursor (TERM=dumb), a
  // terminal type the system does not describe. Nothing when they can.
  static std::optional<std::string> Problem();

  // Throws std::runtime_error when curses cannot start. After Stop, Start takes the
  // terminal again with the same curses screen.
  void Start();
  void Stop();
  bool Running() const { return running_; }

  int Rows() const;
  int Columns() const;
  const TerminalPalette& Palette() const { return palette_; }
  // Whether the terminal shows Unicode (a UTF-8 locale): box lines and arrows.
  bool Unicode() const { return unicode_; }

  // The next key or event, waiting at most timeoutMs (-1: no limit).
  ScreenEvent Next(int timeoutMs);
  void Beep();

 private:
  void Open();
  void InstallSignals();
  void RestoreSignals();
  void Suspend();
  void Resize();
  void SetPasteMode(bool on);

  bool running_ = false;
  SCREEN* screen_ = nullptr;
  WINDOW* input_ = nullptr;
  TerminalPalette palette_;
  bool unicode_ = false;
  std::string pasteOn_;
  std::string pasteOff_;
  // The terminal's "clear" when it has no alternate screen to leave.
  std::string wipeOnStop_;
};
