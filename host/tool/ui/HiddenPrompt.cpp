#include "tool/ui/HiddenPrompt.h"

#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iterator>
#include <stdexcept>

namespace {

// The signals whose default ends the process, and the one that stops it from the
// keyboard: each would otherwise leave the terminal without echo. SIGTTIN and SIGTTOU
// keep their default: they stop a process in the background before it reads or
// changes the terminal.
constexpr int kEnding[] = {SIGHUP,  SIGINT,  SIGQUIT,   SIGTERM, SIGALRM, SIGUSR1, SIGUSR2,
                           SIGPIPE, SIGPOLL, SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ, SIGPWR};
constexpr std::size_t kCaught = std::size(kEnding) + 1;  // and SIGTSTP

volatile sig_atomic_t gReceived = 0;

void Note(int signal) {
  if (gReceived == 0) gReceived = signal;
}

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t wrote = ::write(fd, text.data(), text.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return;  // a prompt that cannot be shown does not stop the question
    text.remove_prefix(static_cast<std::size_t>(wrote));
  }
}

// The handlers of the question, the signals blocked but while it waits for the
// terminal, so that none comes between a look at gReceived and the wait; all put
// back as they were when it goes.
class CaughtSignals {
 public:
  CaughtSignals() {
    gReceived = 0;
    sigset_t block;
    ::sigemptyset(&block);
    for (std::size_t i = 0; i < kCaught; ++i) {
      const int signal = i < std::size(kEnding) ? kEnding[i] : SIGTSTP;
      signals_[i] = signal;
      struct sigaction note {};
      note.sa_handler = Note;
      ::sigfillset(&note.sa_mask);
      // Without SA_RESTART: the wait ends at once.
      if (::sigaction(signal, nullptr, &before_[i]) != 0 || before_[i].sa_handler == SIG_IGN) {
        caught_[i] = false;
        continue;
      }
      caught_[i] = ::sigaction(signal, &note, nullptr) == 0;
      if (caught_[i]) ::sigaddset(&block, signal);
    }
    ::sigprocmask(SIG_BLOCK, &block, &mask_);
  }
  ~CaughtSignals() {
    Restore();
    ::sigprocmask(SIG_SETMASK, &mask_, nullptr);
  }
  CaughtSignals(const CaughtSignals&) = delete;
  CaughtSignals& operator=(const CaughtSignals&) = delete;

  // The mask to wait with: the one from before the question.
  const sigset_t& WaitMask() const { return mask_; }

  // Ends the process by the signal as it would have ended without the question, or
  // (SIGTSTP) stops it and returns once it goes on.
  void Deliver(int signal) {
    if (signal == SIGTSTP) {
      struct sigaction stop {};
      stop.sa_handler = SIG_DFL;
      struct sigaction mine {};
      ::sigaction(SIGTSTP, &stop, &mine);
      Unblocked(SIGTSTP);
      ::sigaction(SIGTSTP, &mine, nullptr);
      gReceived = 0;
      return;
    }
    Restore();
    Unblocked(signal);
  }

 private:
  void Restore() {
    for (std::size_t i = 0; i < kCaught; ++i)
      if (caught_[i]) ::sigaction(signals_[i], &before_[i], nullptr);
  }
  // Raised and let through; held back again after.
  static void Unblocked(int signal) {
    sigset_t one;
    ::sigemptyset(&one);
    ::sigaddset(&one, signal);
    ::raise(signal);
    ::sigprocmask(SIG_UNBLOCK, &one, nullptr);
    ::sigprocmask(SIG_BLOCK, &one, nullptr);
  }

  int signals_[kCaught] = {};
  struct sigaction before_[kCaught] = {};
  bool caught_[kCaught] = {};
  sigset_t mask_{};
};

// The terminal's modes as they were, put back however the question ends.
class QuietTerminal {
 public:
  QuietTerminal(int fd, const termios& before) : fd_(fd), before_(before) {}
  ~QuietTerminal() { Restore(); }
  QuietTerminal(const QuietTerminal&) = delete;
  QuietTerminal& operator=(const QuietTerminal&) = delete;

  void Quiet() {
    termios quiet = before_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    ::tcsetattr(fd_, TCSAFLUSH, &quiet);
  }
  void Restore() { ::tcsetattr(fd_, TCSANOW, &before_); }

 private:
  int fd_;
  termios before_;
};

}  // namespace

std::optional<std::string> ReadHiddenLine(int fd, std::string_view prompt) {
  termios before{};
  if (::tcgetattr(fd, &before) != 0)
    throw std::runtime_error(std::string("cannot ask at the terminal: ") + std::strerror(errno));
  CaughtSignals signals;
  QuietTerminal terminal(fd, before);
  for (;;) {
    WriteAll(STDERR_FILENO, prompt);
    terminal.Quiet();
    std::string line;
    int received = 0;
    for (;;) {
      pollfd wait{fd, POLLIN, 0};
      const int ready = ::ppoll(&wait, 1, nullptr, &signals.WaitMask());
      if (gReceived != 0) {
        received = gReceived;
        break;
      }
      if (ready < 0) {
        if (errno == EINTR) continue;
        throw std::runtime_error(std::string("cannot read the terminal: ") + std::strerror(errno));
      }
      char buffer[256];
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR || errno == EAGAIN) continue;
        throw std::runtime_error(std::string("cannot read the terminal: ") + std::strerror(errno));
      }
      if (got == 0) {
        // ECHONL showed no line end: the next output starts a line of its own.
        WriteAll(STDERR_FILENO, "\n");
        return std::nullopt;
      }
      line.append(buffer, static_cast<std::size_t>(got));
      if (const std::size_t end = line.find('\n'); end != std::string::npos) {
        line.resize(end);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
      }
    }
    // What was typed is dropped: the question starts again once the process goes on.
    terminal.Restore();
    WriteAll(STDERR_FILENO, "\n");
    signals.Deliver(received);
    if (received != SIGTSTP)
      throw std::runtime_error("the question was ended by signal " + std::to_string(received));
  }
}
