#pragma once

#include <span>
#include <string>
#include <vector>

class ToolContext;

// One hcdtool command: its name, its argument synopsis for --help, a line of
// description, and the function that runs it with the arguments after its name.
struct Command {
  const char* name;
  const char* synopsis;
  const char* description;
  int (*run)(ToolContext& context, const std::vector<std::string>& args);
};

std::span<const Command> AllCommands();
const Command* FindCommand(const std::string& name);

int RunInfo(ToolContext& context, const std::vector<std::string>& args);
int RunSummary(ToolContext& context, const std::vector<std::string>& args);
int RunCheckChange(ToolContext& context, const std::vector<std::string>& args);
int RunValidateField(ToolContext& context, const std::vector<std::string>& args);
int RunDescribePersist(ToolContext& context, const std::vector<std::string>& args);
int RunEdit(ToolContext& context, const std::vector<std::string>& args);
int RunChooseField(ToolContext& context, const std::vector<std::string>& args);
int RunHolidays(ToolContext& context, const std::vector<std::string>& args);
int RunPlan(ToolContext& context, const std::vector<std::string>& args);
int RunLint(ToolContext& context, const std::vector<std::string>& args);
int RunImportHolidays(ToolContext& context, const std::vector<std::string>& args);
int RunExportHolidays(ToolContext& context, const std::vector<std::string>& args);
int RunTour(ToolContext& context, const std::vector<std::string>& args);
