#pragma once

#include <string>
#include <vector>

// Runs hcdtool as a separate process, the way a user's script would.
struct ToolResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

ToolResult RunTool(const std::vector<std::string>& args, const std::string& workDir = "");
