// hcd_peak_rss PROGRAM [ARGS...]: runs the program, its output thrown away and its
// errors passed on, and then writes "hcd_peak_rss: KB" (its peak resident set) to
// stderr, exiting with its exit code.
//
// The kernel carries a process's peak over exec, so a child started straight from a
// large process (such as hcd_bench) would report that process's size. This helper
// is small and forks its child itself, so the figure is the program's own. It uses
// the C library only, to stay small.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: hcd_peak_rss PROGRAM [ARGS...]\n");
    return 2;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("hcd_peak_rss: fork");
    return 125;
  }
  if (pid == 0) {
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
    execv(argv[1], argv + 1);
    std::perror("hcd_peak_rss: exec");
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::perror("hcd_peak_rss: wait");
      return 125;
    }
  }
  std::fprintf(stderr, "hcd_peak_rss: %ld\n", usage.ru_maxrss);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}
