#include <cstdio>
#include <iostream>

#include "hcd/IHcdIdentity.h"
#include "hcd/ModuleVersionInfo.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/JsonOutput.h"

int RunInfo(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  if (!args.empty()) throw UsageError("info takes no arguments");

  // The version record is read from the file before the module runs any code.
  const ModuleVersionInfo version = ModuleVersionInfo::ReadFromFile(module.Path());
  IHcdIdentity& identity = module.Identity();

  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(identity.GetHandlerCode()));
  if (json) {
    Json record = Json::object();
    for (const auto& [key, value] : version.entries)
      record[JsonLatin1(key).get<std::string>()] = JsonLatin1(value);
    PrintJson(Json{{"module", JsonText(module.Path())},
                   {"name", JsonLatin1(identity.GetHandlerName())},
                   {"description", JsonLatin1(identity.GetHandlerDescription())},
                   {"code", code},
                   {"help_topic", static_cast<int>(identity.GetHelpID())},
                   {"version", std::move(record)}},
              std::cout);
    return kExitOk;
  }
  const auto stored = [](std::string_view text) { return ShownStored(text); };
  std::cout << "module: " << ShownPath(module.Path()) << '\n'
            << "name: " << stored(identity.GetHandlerName()) << '\n'
            << "description: " << stored(identity.GetHandlerDescription()) << '\n'
            << "code: " << code << '\n'
            << "help topic: " << static_cast<int>(identity.GetHelpID()) << '\n';
  for (const auto& [key, value] : version.entries)
    std::cout << stored(key) << ": " << stored(value) << '\n';
  return kExitOk;
}
