#pragma once

#include <span>
#include <string>
#include <vector>

class Module;

// One hcdtool command: its name, its argument synopsis for --help, a line of
// description, and the function that runs it with the arguments after its name.
struct Command {
  const char* name;
  const char* synopsis;
  const char* description;
  int (*run)(Module& module, const std::vector<std::string>& args);
};

std::span<const Command> AllCommands();
const Command* FindCommand(const std::string& name);

int RunInfo(Module& module, const std::vector<std::string>& args);
int RunSummary(Module& module, const std::vector<std::string>& args);
int RunCheckChange(Module& module, const std::vector<std::string>& args);
int RunValidateField(Module& module, const std::vector<std::string>& args);
int RunDescribePersist(Module& module, const std::vector<std::string>& args);
int RunEdit(Module& module, const std::vector<std::string>& args);
int RunChooseField(Module& module, const std::vector<std::string>& args);
int RunHolidays(Module& module, const std::vector<std::string>& args);
int RunPlan(Module& module, const std::vector<std::string>& args);
int RunLint(Module& module, const std::vector<std::string>& args);
int RunImportHolidays(Module& module, const std::vector<std::string>& args);
int RunExportHolidays(Module& module, const std::vector<std::string>& args);
int RunShow(Module& module, const std::vector<std::string>& args);
int RunGet(Module& module, const std::vector<std::string>& args);
int RunSet(Module& module, const std::vector<std::string>& args);
int RunApply(Module& module, const std::vector<std::string>& args);
int RunAddHolidays(Module& module, const std::vector<std::string>& args);
int RunRemoveHolidays(Module& module, const std::vector<std::string>& args);
int RunDiff(Module& module, const std::vector<std::string>& args);
int RunGitSetup(Module& module, const std::vector<std::string>& args);
int RunTour(Module& module, const std::vector<std::string>& args);
