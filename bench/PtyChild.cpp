#include "bench/PtyChild.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace bench {

PtyChild::PtyChild(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                   int columns, int rows) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  winsize size{};
  size.ws_col = static_cast<unsigned short>(columns);
  size.ws_row = static_cast<unsigned short>(rows);
  started_ = Clock::now();
  pid_ = forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ < 0) throw std::runtime_error(std::string("forkpty: ") + std::strerror(errno));
  if (pid_ == 0) {
    ::execve(args[0], args.data(), envp.data());
    ::_exit(127);
  }
}

PtyChild::~PtyChild() {
  Stop();
  if (master_ >= 0) ::close(master_);
}

void PtyChild::Write(std::string_view keys) {
  while (!keys.empty()) {
    const ssize_t n = ::write(master_, keys.data(), keys.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("cannot write to the terminal");
    keys.remove_prefix(static_cast<std::size_t>(n));
  }
}

PtyChild::Clock::time_point PtyChild::SettleAfter(std::string_view marker,
                                                  std::chrono::milliseconds quiet,
                                                  std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  const std::size_t from = output_.size();
  Clock::time_point last{};
  bool seen = false;
  for (;;) {
    const Clock::time_point now = Clock::now();
    if (now > deadline)
      throw std::runtime_error("the terminal did not settle: no \"" + std::string(marker) +
                               "\" in time");
    std::chrono::milliseconds wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        seen ? last + quiet - now : deadline - now);
    if (seen && wait.count() <= 0) return last;
    pollfd readable{master_, POLLIN, 0};
    const int ready = ::poll(&readable, 1, static_cast<int>(std::max<long long>(wait.count(), 0)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) continue;
    char chunk[65536];
    const ssize_t n = ::read(master_, chunk, sizeof chunk);
    if (n <= 0) throw std::runtime_error("the program in the terminal ended");
    last = Clock::now();
    output_.append(chunk, static_cast<std::size_t>(n));
    if (!seen) seen = marker.empty() || output_.find(marker, from) != std::string::npos;
  }
}

void PtyChild::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  // Drain what it writes while it puts the terminal back, so that it never blocks.
  for (int i = 0; i < 200; ++i) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    pollfd readable{master_, POLLIN, 0};
    if (::poll(&readable, 1, 10) > 0) {
      char chunk[4096];
      if (::read(master_, chunk, sizeof chunk) <= 0) ::usleep(1000);
    }
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace bench
