#include <iostream>

#include "tool/Commands.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"

int RunTour(ToolContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError("tour takes no arguments");
  std::cout << "== identity\n";
  return RunInfo(context, {});
}
