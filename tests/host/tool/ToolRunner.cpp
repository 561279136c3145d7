#include "tests/host/tool/ToolRunner.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "props/CHandlerPrivateProps.h"

extern char** environ;

namespace {

// Gives up, for this process and what it executes, root's right to read and search
// past file permissions. A process without that right (any other user) has nothing
// to give up, and the calls fail harmlessly.
void DropPermissionOverride() {
  for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
    ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0);
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  if (::syscall(SYS_capget, &header, data) != 0) return;
  const unsigned kept = ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
  data[0].effective &= kept;
  data[0].permitted &= kept;
  data[0].inheritable &= kept;
  ::syscall(SYS_capset, &header, data);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

std::string ToolPath() {
  const char* other = std::getenv("HCDTOOL_UNDER_TEST");
  return other != nullptr && *other != '\0' ? other : HCDTOOL_PATH;
}

ToolResult RunTool(const std::vector<std::string>& args, const ToolLimits& limits) {
  char outName[] = "/tmp/hcdtool-out-XXXXXX";
  char errName[] = "/tmp/hcdtool-err-XXXXXX";
  const int outFd = mkstemp(outName);
  const int errFd = mkstemp(errName);
  if (outFd < 0 || errFd < 0) throw std::runtime_error("cannot create capture files");

  std::vector<std::string> argvStrings = {ToolPath()};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : argvStrings) argv.push_back(s.data());
  argv.push_back(nullptr);

  int closedPipe[2] = {-1, -1};
  if (limits.stdoutTo == ToolStdout::ClosedPipe) {
    if (pipe(closedPipe) != 0) throw std::runtime_error("cannot create a pipe");
    close(closedPipe[0]);
  }

  const pid_t pid = fork();
  if (pid == 0) {
    const int in =
        open(limits.stdinFrom.empty() ? "/dev/null" : limits.stdinFrom.c_str(), O_RDONLY);
    dup2(in, 0);
    if (limits.stdoutTo == ToolStdout::DevFull)
      dup2(open("/dev/full", O_WRONLY), 1);
    else if (limits.stdoutTo == ToolStdout::ClosedPipe)
      dup2(closedPipe[1], 1);
    else
      dup2(outFd, 1);
    for (const std::string& setting : limits.environment) {
      const std::size_t equals = setting.find('=');
      const std::string name = setting.substr(0, equals);
      if (equals + 1 == setting.size())
        unsetenv(name.c_str());
      else
        setenv(name.c_str(), setting.substr(equals + 1).c_str(), 1);
    }
    dup2(errFd, 2);
    if (!limits.workDir.empty() && chdir(limits.workDir.c_str()) != 0) _exit(126);
    if (limits.boundByPermissions) DropPermissionOverride();
    if (limits.maxFileSize >= 0) {
      // A write past the limit then fails with EFBIG instead of killing the tool,
      // much as a full disk fails it with ENOSPC.
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{static_cast<rlim_t>(limits.maxFileSize),
                         static_cast<rlim_t>(limits.maxFileSize)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (limits.maxAddressSpace >= 0) {
      const rlimit limit{static_cast<rlim_t>(limits.maxAddressSpace),
                         static_cast<rlim_t>(limits.maxAddressSpace)};
      setrlimit(RLIMIT_AS, &limit);
    }
    if (limits.maxOpenFiles >= 0) {
      const rlimit limit{static_cast<rlim_t>(limits.maxOpenFiles),
                         static_cast<rlim_t>(limits.maxOpenFiles)};
      setrlimit(RLIMIT_NOFILE, &limit);
    }
    execve(argv[0], argv.data(), environ);
    _exit(127);
  }
  close(outFd);
  close(errFd);
  if (closedPipe[1] >= 0) close(closedPipe[1]);

  ToolResult result;
  if (pid > 0) {
    int status = 0;
    rusage usage{};
    const auto started = std::chrono::steady_clock::now();
    const auto deadline = started + std::chrono::seconds(limits.timeoutSeconds);
    bool signalled = limits.signalAfterUs < 0;
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
      if (!signalled) {
        const auto due = started + std::chrono::microseconds(limits.signalAfterUs);
        if (std::chrono::steady_clock::now() < due) {
          std::this_thread::sleep_until(
              std::min(due, std::chrono::steady_clock::now() + std::chrono::milliseconds(2)));
          continue;
        }
        kill(pid, limits.signal);
        signalled = true;
      }
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
        result.timedOut = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.maxRssKb = usage.ru_maxrss;
  }
  result.out = Slurp(outName);
  result.err = Slurp(errName);
  unlink(outName);
  unlink(errName);
  return result;
}

bool PermissionsBind(const std::filesystem::path& unreadableFolder) {
  const pid_t pid = fork();
  if (pid == 0) {
    DropPermissionOverride();
    const int fd = open(unreadableFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    _exit(fd < 0 && errno == EACCES ? 0 : 1);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> KeysOf(const std::filesystem::path& file) {
  CHandlerPrivateProps bag;
  bag.fromXML(ReadAll(file));
  std::vector<std::string> keys;
  for (const auto& [name, child] : bag.Properties()) keys.push_back(name);
  return keys;
}
