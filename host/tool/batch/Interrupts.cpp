#include "tool/batch/Interrupts.h"

#include <array>
#include <csignal>

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t received = 0;

extern "C" void Note(int signal) {
  if (received == 0) received = signal;
}

sigset_t Watched() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

InterruptWatch::InterruptWatch() {
  received = 0;
  struct sigaction action {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // Interrupted system calls go on: the run looks at Received() between its steps.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    ::sigaction(kSignals[i], &action, &previous_[i]);
}

InterruptWatch::~InterruptWatch() {
  for (std::size_t i = 0; i < kSignals.size(); ++i)
    ::sigaction(kSignals[i], &previous_[i], nullptr);
}

int InterruptWatch::Received() { return received; }

InterruptWatch::Held::Held() {
  const sigset_t set = Watched();
  ::sigprocmask(SIG_BLOCK, &set, &before_);
}

InterruptWatch::Held::~Held() { ::sigprocmask(SIG_SETMASK, &before_, nullptr); }
