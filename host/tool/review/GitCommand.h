#pragma once

#include <string>
#include <vector>

// What a git command answered.
struct GitResult {
  int exitCode = 0;
  std::string out;
  std::string err;
};

// Runs git (found on PATH) with the arguments, no shell between, and waits for it.
// Throws std::runtime_error when git cannot be started or ends by a signal.
GitResult RunGit(const std::vector<std::string>& args);

// What git said when it failed, as one line for a message of ours: every line of its
// stderr, so that its reason and its advice both stay (a repository of another user
// is refused with the reason first and the command that allows it last), without
// the "fatal: " and "error: " marks. "git exited with N" when it said nothing.
std::string GitMessage(const GitResult& result);
