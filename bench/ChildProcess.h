#pragma once

#include <string>
#include <vector>

namespace bench {

// What a finished child process left behind.
struct ChildOutcome {
  bool exited = false;  // false: killed by a signal, or never started
  int exitCode = -1;
  long maxRssKb = 0;      // its peak resident set
  double cpuSeconds = 0;  // user and system time it used
  std::string errorText;  // what it wrote to stderr
};

// Runs the program with the arguments (argv[0] is its path), the environment of this
// process plus extraEnv ("NAME=value"), stdout thrown away, stderr captured. Throws
// std::runtime_error when it cannot be started.
ChildOutcome RunChild(const std::vector<std::string>& argv,
                      const std::vector<std::string>& extraEnv = {});

}  // namespace bench
