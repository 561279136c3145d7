#include "tests/host/tool/ToolRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args, const std::string& workDir) {
  char outName[] = "/tmp/hcdtool-out-XXXXXX";
  char errName[] = "/tmp/hcdtool-err-XXXXXX";
  const int outFd = mkstemp(outName);
  const int errFd = mkstemp(errName);
  if (outFd < 0 || errFd < 0) throw std::runtime_error("cannot create capture files");

  std::vector<std::string> argvStrings = {HCDTOOL_PATH};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : argvStrings) argv.push_back(s.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  posix_spawn_file_actions_adddup2(&actions, errFd, 2);
  if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());

  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(outFd);
  close(errFd);
  ToolResult result;
  if (rc == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  result.out = Slurp(outName);
  result.err = Slurp(errName);
  unlink(outName);
  unlink(errName);
  return result;
}
