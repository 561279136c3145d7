#include "ui/terminal/TerminalScreen.h"

#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "ui/terminal/TerminalKey.h"

// Last: it defines the capabilities' names (lines, columns...) as macros.
#include <term.h>

// Set up by Start for the signal handlers, which may use nothing else.
namespace {

int g_wakeRead = -1;
int g_wakeWrite = -1;
int g_terminalFd = -1;
struct termios g_foundModes {};
volatile sig_atomic_t g_restoreReady = 0;
// What puts the screen back: leave the alternate screen, show the cursor, plain
// attributes, the keypad and bracketed paste off.
char g_restoreBytes[512];
std::size_t g_restoreLength = 0;

constexpr std::array<int, 6> kWakeSignals = {SIGINT, SIGTERM, SIGHUP, SIGTSTP, SIGCONT, SIGWINCH};
constexpr std::array<int, 10> kCrashSignals = {SIGSEGV, SIGBUS, SIGFPE,  SIGILL,  SIGABRT,
                                               SIGTRAP, SIGSYS, SIGQUIT, SIGXCPU, SIGXFSZ};

struct sigaction g_previous[65];

void OnWakeSignal(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  if (g_wakeWrite >= 0) [[maybe_unused]]
    ssize_t n = ::write(g_wakeWrite, &byte, 1);
  errno = saved;
}

void RestoreFromHandler() {
  if (!g_restoreReady) return;
  g_restoreReady = 0;
  std::size_t done = 0;
  while (done < g_restoreLength) {
    const ssize_t n = ::write(g_terminalFd, g_restoreBytes + done, g_restoreLength - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::tcsetattr(g_terminalFd, TCSANOW, &g_foundModes);
}

void OnCrashSignal(int signal) {
  RestoreFromHandler();
  // The signal goes on to whoever handled it before (a sanitizer's report, or the
  // default: a core dump), as though nothing had been in between.
  ::sigaction(signal, &g_previous[signal], nullptr);
  ::raise(signal);
}

void AppendRestore(const char* capability) {
  const char* bytes = tigetstr(const_cast<char*>(capability));
  if (bytes == nullptr || bytes == reinterpret_cast<char*>(-1)) return;
  const std::size_t length = std::strlen(bytes);
  if (g_restoreLength + length >= sizeof g_restoreBytes) return;
  std::memcpy(g_restoreBytes + g_restoreLength, bytes, length);
  g_restoreLength += length;
}

void AppendRestoreText(std::string_view text) {
  if (g_restoreLength + text.size() >= sizeof g_restoreBytes) return;
  std::memcpy(g_restoreBytes + g_restoreLength, text.data(), text.size());
  g_restoreLength += text.size();
}

std::string Capability(const char* name) {
  const char* bytes = tigetstr(const_cast<char*>(name));
  if (bytes == nullptr || bytes == reinterpret_cast<char*>(-1)) return {};
  return bytes;
}

// Terminals that take xterm's bracketed paste even where their description does not
// say so; others ignore a private mode they do not know.
bool KnownToPaste(std::string_view term) {
  for (std::string_view prefix :
       {"xterm", "screen", "tmux", "rxvt", "alacritty", "foot", "kitty", "wezterm", "vte", "st-"})
    if (term.starts_with(prefix)) return true;
  return false;
}

void WriteTerminal(std::string_view bytes) {
  std::fflush(stdout);
  while (!bytes.empty()) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

TerminalScreen::TerminalScreen() = default;

TerminalScreen::~TerminalScreen() { Stop(); }

std::optional<std::string> TerminalScreen::Problem() {
  if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0)
    return "standard input and output are not both a terminal";
  const char* term = std::getenv("TERM");
  if (term == nullptr || *term == '\0') return "TERM is not set, so the terminal is unknown";
  const std::string name = term;
  if (name == "dumb") return "TERM=dumb cannot move the cursor";
  int error = 0;
  // The description of a screen curses may already run on stays its current one.
  TERMINAL* const running = cur_term;
  struct Restore {
    TERMINAL* running;
    ~Restore() { set_curterm(running); }
  } restore{running};
  if (setupterm(name.c_str(), STDOUT_FILENO, &error) != OK) {
    if (error == 0) return "the terminal type \"" + name + "\" is not described on this system";
    return "no terminal descriptions (terminfo) were found on this system";
  }
  const char* move = tigetstr(const_cast<char*>("cup"));
  const bool addressable = move != nullptr && move != reinterpret_cast<char*>(-1);
  const bool hardcopy = tigetflag(const_cast<char*>("hc")) > 0;
  del_curterm(cur_term);
  if (!addressable || hardcopy) return "the terminal type \"" + name + "\" cannot move the cursor";
  return std::nullopt;
}

void TerminalScreen::Start() {
  if (running_) return;
  if (screen_ == nullptr) {
    if (std::optional<std::string> problem = Problem()) throw std::runtime_error(*problem);
  }
  ::tcgetattr(STDIN_FILENO, &g_foundModes);
  if (screen_ == nullptr) {
    Open();
  } else {
    // Curses takes the terminal again as it left it, at the size it has now (it may
    // have changed meanwhile, unseen); the screen is drawn anew.
    reset_prog_mode();
    Resize();
  }
  running_ = true;

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    const int error = errno;
    Stop();
    throw std::runtime_error(std::string("cannot watch for signals: ") + std::strerror(error));
  }
  g_wakeRead = pipeFds[0];
  g_wakeWrite = pipeFds[1];
  InstallSignals();
  SetPasteMode(true);
  g_restoreReady = 1;
}

// Once per process: the curses screen stays for the next window, as curses keeps
// parts of it (the panels' own) for the life of the process anyway.
void TerminalScreen::Open() {
  std::setlocale(LC_CTYPE, "");
  unicode_ = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  g_terminalFd = STDOUT_FILENO;
  screen_ = newterm(nullptr, stdout, stdin);
  if (screen_ == nullptr) throw std::runtime_error("curses cannot start on this terminal");
  set_term(screen_);
  // Function keys arrive in one piece on any link; a lone Escape is answered at once.
  set_escdelay(25);
  cbreak();
  noecho();
  nonl();
  intrflush(stdscr, FALSE);
  curs_set(1);
  const char* noColour = std::getenv("NO_COLOR");
  const bool colour = has_colors() && (noColour == nullptr || *noColour == '\0');
  if (colour) {
    start_color();
    use_default_colors();
  }
  palette_ = TerminalPalette::Make(colour);
  DefineExtraKeys();
  // Keys are read from a window nothing is drawn in: reading from a window refreshes
  // it first, which must not paint over the panels.
  input_ = newwin(1, 1, 0, 0);
  keypad(input_, TRUE);
  nodelay(input_, TRUE);

  const char* term = std::getenv("TERM");
  pasteOn_ = Capability("BE");
  pasteOff_ = Capability("BD");
  if (pasteOn_.empty() && KnownToPaste(term != nullptr ? term : "")) {
    pasteOn_ = "\x1b[?2004h";
    pasteOff_ = "\x1b[?2004l";
  }
  g_restoreLength = 0;
  AppendRestore("sgr0");
  AppendRestore("cnorm");
  AppendRestore("rmkx");
  AppendRestoreText(pasteOff_);
  AppendRestore("rmcup");
  // Without an alternate screen (vt100, linux) the page would stay drawn above the
  // prompt: it is wiped instead.
  if (Capability("smcup").empty()) wipeOnStop_ = Capability("clear");
  AppendRestoreText(wipeOnStop_);
}

void TerminalScreen::Stop() {
  if (!running_) return;
  g_restoreReady = 0;
  SetPasteMode(false);
  endwin();
  if (!wipeOnStop_.empty()) WriteTerminal(wipeOnStop_);
  RestoreSignals();
  running_ = false;
  // What curses put back, once more: its own copy was taken when it started, after
  // the tool may have changed nothing, but a stop half-way through must not count.
  ::tcsetattr(STDIN_FILENO, TCSANOW, &g_foundModes);
  ::close(g_wakeRead);
  ::close(g_wakeWrite);
  g_wakeRead = g_wakeWrite = -1;
}

void TerminalScreen::InstallSignals() {
  struct sigaction wake {};
  wake.sa_handler = OnWakeSignal;
  sigemptyset(&wake.sa_mask);
  wake.sa_flags = SA_RESTART;
  for (int signal : kWakeSignals) ::sigaction(signal, &wake, &g_previous[signal]);
  struct sigaction crash {};
  crash.sa_handler = OnCrashSignal;
  sigemptyset(&crash.sa_mask);
  crash.sa_flags = SA_NODEFER;
  for (int signal : kCrashSignals) ::sigaction(signal, &crash, &g_previous[signal]);
}

void TerminalScreen::RestoreSignals() {
  for (int signal : kWakeSignals) ::sigaction(signal, &g_previous[signal], nullptr);
  for (int signal : kCrashSignals) ::sigaction(signal, &g_previous[signal], nullptr);
}

void TerminalScreen::SetPasteMode(bool on) {
  const std::string& bytes = on ? pasteOn_ : pasteOff_;
  if (!bytes.empty()) WriteTerminal(bytes);
}

int TerminalScreen::Rows() const { return running_ ? LINES : 0; }

int TerminalScreen::Columns() const { return running_ ? COLS : 0; }

void TerminalScreen::Beep() {
  if (running_) beep();
}

void TerminalScreen::Resize() {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0)
    resize_term(size.ws_row, size.ws_col);
  clearok(curscr, TRUE);
}

// Ctrl+Z: the terminal goes back as it was found, the process stops, and fg finds
// the screen drawn anew.
void TerminalScreen::Suspend() {
  g_restoreReady = 0;
  SetPasteMode(false);
  def_prog_mode();
  endwin();
  struct sigaction stop {};
  stop.sa_handler = SIG_DFL;
  sigemptyset(&stop.sa_mask);
  struct sigaction ours {};
  ::sigaction(SIGTSTP, &stop, &ours);
  sigset_t unblock;
  sigemptyset(&unblock);
  sigaddset(&unblock, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
  ::raise(SIGTSTP);
  // Continued.
  ::sigaction(SIGTSTP, &ours, nullptr);
  reset_prog_mode();
  SetPasteMode(true);
  g_restoreReady = 1;
  Resize();
}

ScreenEvent TerminalScreen::Next(int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  ScreenEvent event;
  constexpr int kMostEmptyWakes = 64;
  int emptyWakes = 0;
  for (;;) {
    unsigned char signals[16];
    const ssize_t got = ::read(g_wakeRead, signals, sizeof signals);
    bool resized = false;
    for (ssize_t i = 0; i < got; ++i) {
      switch (signals[i]) {
        case SIGINT:
        case SIGTERM:
          event.kind = ScreenEvent::Kind::Interrupted;
          event.signal = signals[i];
          return event;
        case SIGHUP:
          event.kind = ScreenEvent::Kind::HungUp;
          event.signal = SIGHUP;
          return event;
        case SIGTSTP:
          Suspend();
          resized = true;
          break;
        default:  // SIGWINCH, SIGCONT
          Resize();
          resized = true;
          break;
      }
    }
    if (resized) {
      event.kind = ScreenEvent::Kind::Resized;
      return event;
    }

    wint_t value = 0;
    untouchwin(input_);
    const int status = wget_wch(input_, &value);
    if (status != ERR) {
      event.key = DecodeKey(status == KEY_CODE_YES, static_cast<unsigned>(value));
      if (status == KEY_CODE_YES && value == KEY_RESIZE) {
        event.kind = ScreenEvent::Kind::Resized;
        return event;
      }
      if (event.key.code == KeyCode::None) continue;
      event.kind = ScreenEvent::Kind::Key;
      return event;
    }

    int wait = -1;
    if (timeoutMs >= 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) {
        event.kind = ScreenEvent::Kind::TimedOut;
        return event;
      }
      wait = static_cast<int>(left);
    }
    pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {g_wakeRead, POLLIN, 0}};
    const int ready = ::poll(watched, 2, wait);
    if (ready < 0 && errno != EINTR) {
      event.kind = ScreenEvent::Kind::HungUp;
      return event;
    }
    if (ready > 0 && (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      event.kind = ScreenEvent::Kind::HungUp;
      return event;
    }
    // Readable again and again with nothing curses can read: the terminal is gone.
    if (ready > 0 && (watched[0].revents & POLLIN) != 0 && ++emptyWakes > kMostEmptyWakes) {
      event.kind = ScreenEvent::Kind::HungUp;
      return event;
    }
  }
}
