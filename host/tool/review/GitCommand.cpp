#include "tool/review/GitCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string_view>

extern char** environ;

namespace {

// Both ends closed however the run ends.
struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
      throw std::runtime_error(std::string("cannot run git: ") + std::strerror(errno));
    read = ends[0];
    write = ends[1];
  }
  ~Pipe() {
    if (read >= 0) ::close(read);
    if (write >= 0) ::close(write);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  void CloseWrite() {
    ::close(write);
    write = -1;
  }
};

// Reads both pipes to their ends at once, so that neither fills while the other waits.
void Drain(Pipe& out, Pipe& err, GitResult& result) {
  pollfd fds[2] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
  std::string* into[2] = {&result.out, &result.err};
  int open = 2;
  char buffer[4096];
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

GitResult RunGit(const std::vector<std::string>& args) {
  std::vector<std::string> words = {"git"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  Pipe out;
  Pipe err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out.write, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.write, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  const int spawned = ::posix_spawnp(&pid, "git", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    throw std::runtime_error(std::string("cannot run git: ") + std::strerror(spawned));
  out.CloseWrite();
  err.CloseWrite();
  GitResult result;
  Drain(out, err, result);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) throw std::runtime_error("git ended without an exit code");
  result.exitCode = WEXITSTATUS(status);
  return result;
}

std::string GitMessage(const GitResult& result) {
  std::string said;
  std::string_view rest = result.err;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) continue;
    line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    for (const std::string_view mark : {"fatal: ", "error: "})
      if (line.starts_with(mark)) line.remove_prefix(mark.size());
    // A line that announces the next ("..., call:") runs on into it.
    if (!said.empty()) said += said.back() == ':' ? " " : "; ";
    said += line;
  }
  return said.empty() ? "git exited with " + std::to_string(result.exitCode) : said;
}
