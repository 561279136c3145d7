#include "tool/output/Pager.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "text/TextEscape.h"
#include "tool/output/ToolOutput.h"

extern char** environ;

namespace {

bool forbidden = false;
// Set once the pager runs; read by the signal handler.
volatile sig_atomic_t pagerPid = -1;
int savedStderr = -1;
std::string pagerCommand;

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

std::string PagerCommand() {
  for (const char* name : {"HCDTOOL_PAGER", "PAGER"})
    if (const char* value = std::getenv(name); value != nullptr) return value;
  return "less";
}

bool NoPager(const std::string& command) {
  return command.find_first_not_of(" \t") == std::string::npos || command == "cat";
}

// A command of one word runs as it is; anything else through the shell, as git does.
bool NeedsShell(const std::string& command) {
  return command.find_first_of("|&;<>()$`\\\"' \t\n*?[#~=%") != std::string::npos;
}

// The person's terminal is left to the pager: the run waits for it to end before
// ending as the signal says.
void WaitThenEnd(int signal) {
  ::close(STDOUT_FILENO);
  ::close(STDERR_FILENO);
  int status = 0;
  while (::waitpid(pagerPid, &status, 0) < 0 && errno == EINTR) {
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void ForbidPager() { forbidden = true; }

bool PagerWanted() {
  return !forbidden && ::isatty(STDOUT_FILENO) == 1 && !NoPager(PagerCommand());
}

void StartPager() {
  if (pagerPid > 0 || !PagerWanted()) return;
  const std::string command = PagerCommand();
  std::cout.flush();

  // What the pager gets: the environment with less's options, prepared before the fork.
  std::vector<std::string> environment;
  bool less = false;
  bool lv = false;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    environment.emplace_back(*entry);
    less = less || environment.back().rfind("LESS=", 0) == 0;
    lv = lv || environment.back().rfind("LV=", 0) == 0;
  }
  if (!less) environment.emplace_back("LESS=FRX");
  if (!lv) environment.emplace_back("LV=-c");
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string shell = "/bin/sh";
  std::string dashC = "-c";
  std::string word = command;
  std::vector<char*> argv;
  if (NeedsShell(command)) {
    argv = {shell.data(), dashC.data(), word.data(), nullptr};
  } else {
    argv = {word.data(), nullptr};
  }

  int data[2];
  int failure[2];
  if (::pipe2(data, O_CLOEXEC) != 0) return;
  if (::pipe2(failure, O_CLOEXEC) != 0) {
    ::close(data[0]);
    ::close(data[1]);
    return;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(data[0], STDIN_FILENO);
    ::signal(SIGPIPE, SIG_DFL);
    if (argv.size() == 4)
      ::execve(argv[0], argv.data(), envp.data());
    else
      ::execvpe(argv[0], argv.data(), envp.data());
    const int error = errno;
    [[maybe_unused]] const ssize_t told = ::write(failure[1], &error, sizeof error);
    ::_exit(127);
  }
  ::close(data[0]);
  ::close(failure[1]);
  int error = 0;
  ssize_t got = -1;
  if (pid > 0) {
    while ((got = ::read(failure[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
  }
  ::close(failure[0]);
  if (pid < 0 || got > 0) {
    // No pager: the output goes to the terminal as it would without one.
    ::close(data[1]);
    if (pid > 0) ::waitpid(pid, nullptr, 0);
    return;
  }

  savedStderr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
  std::cerr.flush();
  ::dup2(data[1], STDOUT_FILENO);
  if (::isatty(STDERR_FILENO) == 1) ::dup2(data[1], STDERR_FILENO);
  ::close(data[1]);
  pagerPid = pid;
  pagerCommand = command;
  if (auto* output = dynamic_cast<ToolOutput*>(std::cout.rdbuf())) output->ReadByPager();

  struct sigaction action {};
  action.sa_handler = WaitThenEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

std::string FinishPager() {
  if (pagerPid <= 0) return {};
  // The run is done: a Ctrl+C now is the person's in the pager, not the run's.
  for (const int signal : {SIGINT, SIGQUIT}) ::signal(signal, SIG_IGN);
  std::cerr.flush();
  if (savedStderr >= 0) {
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    savedStderr = -1;
  }
  ::close(STDOUT_FILENO);
  int status = 0;
  pid_t ended = -1;
  while ((ended = ::waitpid(pagerPid, &status, 0)) < 0 && errno == EINTR) {
  }
  pagerPid = -1;
  if (ended < 0 || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) return {};
  const std::string how =
      WIFEXITED(status) ? "ended with status " + std::to_string(WEXITSTATUS(status))
                        : std::string("was ended by signal ") + std::to_string(WTERMSIG(status));
  return "the pager " + ShownToken(pagerCommand, TextBytes::Utf8) + " " + how +
         ", so the output may not have been shown (HCDTOOL_PAGER or PAGER names it; "
         "--no-pager goes without)";
}
