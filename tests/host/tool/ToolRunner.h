#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Runs hcdtool as a separate process, the way a user's script would.
struct ToolResult {
  int exitCode = -1;  // 128 + signal when killed by one
  std::string out;
  std::string err;
  bool timedOut = false;
  long maxRssKb = 0;  // peak resident memory of the run
};

struct ToolLimits {
  std::string workDir;            // empty: the test's own
  int timeoutSeconds = 120;       // then the run is killed and timedOut set
  std::int64_t maxFileSize = -1;  // RLIMIT_FSIZE for the run: writes beyond fail (EFBIG)
};

ToolResult RunTool(const std::vector<std::string>& args, const ToolLimits& limits = {});
