#include "bench/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace bench {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Owns a file descriptor.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

}  // namespace

ChildOutcome RunChild(const std::vector<std::string>& argvIn,
                      const std::vector<std::string>& extraEnv) {
  std::vector<std::string> args = argvIn;
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0)
    throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  Fd readEnd(pipeFds[0]);
  Fd writeEnd(pipeFds[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDERR_FILENO);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, args.front().c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    throw std::runtime_error("cannot start " + args.front() + ": " + std::strerror(spawned));
  writeEnd.Close();

  ChildOutcome outcome;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(readEnd.get(), buffer, sizeof buffer);
    if (got > 0) {
      outcome.errorText.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  outcome.exited = WIFEXITED(status);
  outcome.exitCode = outcome.exited ? WEXITSTATUS(status) : -1;
  outcome.maxRssKb = usage.ru_maxrss;
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  outcome.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return outcome;
}

}  // namespace bench
