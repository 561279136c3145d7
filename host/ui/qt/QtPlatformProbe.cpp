#include "ui/qt/QtPlatformProbe.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QScreen>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// Long enough for a window system on a slow remote link; a child still busy then
// is taken as one that will never answer.
constexpr std::chrono::seconds kProbeTimeout{20};

// libxcb is what Qt's xcb platform connects with; it is looked up only when needed,
// so the backend links nothing of X itself.
bool XDisplayAnswers() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return false;
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

int g_reportFd = -1;

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

// In the child: every message of Qt goes to the parent, one line each, and a fatal
// one ends the child before Qt can abort it.
void ReportMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  QString line = message.trimmed();
  line = line.left(line.indexOf(QLatin1Char('\n')) < 0 ? line.size()
                                                       : line.indexOf(QLatin1Char('\n')));
  WriteAll(g_reportFd, line.toLocal8Bit().toStdString() + "\n");
  if (type == QtFatalMsg) ::_exit(1);
}

[[noreturn]] void ProbeInChild(int reportFd) {
  // What does not come through Qt's messages (a graphics driver's own words) stays
  // out of the tool's output.
  const int nothing = ::open("/dev/null", O_RDWR);
  if (nothing >= 0) {
    ::dup2(nothing, STDOUT_FILENO);
    ::dup2(nothing, STDERR_FILENO);
  }
  g_reportFd = reportFd;
  // A process with an application of its own has its platform running already.
  if (QCoreApplication::instance() != nullptr) ::_exit(0);
  qInstallMessageHandler(ReportMessage);
  int argc = 1;
  char name[] = "hcdtool";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  if (QGuiApplication::primaryScreen() == nullptr) {
    WriteAll(reportFd, "the platform has no screen to open a window on\n");
    ::_exit(1);
  }
  ::_exit(0);
}

std::string PlatformName() {
  const char* named = std::getenv("QT_QPA_PLATFORM");
  return named != nullptr && *named != '\0' ? named : "xcb";
}

// Starts the platform in a child process, where an abort harms nothing.
std::optional<std::string> ProbeChild() {
  int fds[2];
  if (::pipe(fds) != 0) return "cannot start a process to try the platform";
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return "cannot start a process to try the platform";
  }
  if (child == 0) {
    ::close(fds[0]);
    ProbeInChild(fds[1]);
  }
  ::close(fds[1]);

  std::string seen;
  const auto deadline = std::chrono::steady_clock::now() + kProbeTimeout;
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd readable{fds[0], POLLIN, 0};
    const int ready = ::poll(&readable, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    char chunk[512];
    const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (seen.size() < 4096) seen.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0) return std::nullopt;

  const std::string platform = "the Qt platform \"" + PlatformName() + "\"";
  if (timedOut)
    return platform + " did not start within " + std::to_string(kProbeTimeout.count()) + " seconds";
  // Qt's first word is the cause; what follows is its consequence.
  const std::string first = seen.substr(0, seen.find('\n'));
  if (!first.empty()) return platform + " cannot start: " + first;
  if (WIFSIGNALED(status))
    return platform + " cannot start: it ended with signal " + std::to_string(WTERMSIG(status));
  return platform + " cannot start";
}

}  // namespace

std::optional<std::string> QtPlatformProblem() {
  const std::string platform = PlatformName();
  if (platform.starts_with("xcb") && !XDisplayAnswers())
    return "no X display answers (set DISPLAY, or QT_QPA_PLATFORM=offscreen to run without a "
           "screen)";
  return ProbeChild();
}
