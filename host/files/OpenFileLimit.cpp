#include "files/OpenFileLimit.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstring>

namespace {

std::string Limit(rlim_t limit) {
  return limit == RLIM_INFINITY ? "no limit" : std::to_string(limit);
}

}  // namespace

std::string OpenFileLimitText() {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return "this process may open no more files";
  std::string text = "this process may open " + Limit(limit.rlim_cur) + " files at once (ulimit -n";
  if (limit.rlim_max != limit.rlim_cur)
    text += "; raise it in the shell with ulimit -n, up to the hard limit of " +
            Limit(limit.rlim_max) + ")";
  else
    text +=
        ", which is also its hard limit: only root raises that, with ulimit -n or in "
        "/etc/security/limits.conf)";
  return text;
}

std::string SystemReason(int error) {
  std::string reason = std::strerror(error);
  if (error == EMFILE) reason += ": " + OpenFileLimitText();
  return reason;
}
