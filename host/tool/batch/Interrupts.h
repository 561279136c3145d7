#pragma once

#include <signal.h>

// Ctrl+C (SIGINT), SIGTERM and SIGHUP while a change of many files is under way. Until
// the first file is replaced they are noted, and the run stops at its next step with
// nothing changed; while files are replaced they wait (Held), so that the run either
// replaces every file or, killed outright, leaves its journal.
class InterruptWatch {
 public:
  // Installs the handlers that note the signals; the previous ones come back when
  // this goes. One at a time.
  InterruptWatch();
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  // The signal that came, or 0.
  static int Received();
  // The exit code of a run stopped by that signal: 128 plus its number (130 for Ctrl+C).
  static int ExitCode(int signal) { return 128 + signal; }

  // The three signals blocked for the life of this object; one that comes meanwhile
  // is delivered (and noted) when it goes.
  class Held {
   public:
    Held();
    ~Held();
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

   private:
    sigset_t before_;
  };

 private:
  struct sigaction previous_[3];
};
