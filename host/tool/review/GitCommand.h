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
