#include <iostream>

#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/output/JsonOutput.h"

int RunSummary(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 1, "one FILE");
  const ConfigKind kind = KindOfPlace(args[0], given);

  const CHandlerPrivateProps bag = ReadConfiguration(args[0], EmptyIs::Refused);
  const Module::Summary summary = module.Summarise(kind, bag);
  if (json) {
    PrintJson(Json{{"path", JsonText(args[0])},
                   {"kind", KindName(kind)},
                   {"summary", JsonLatin1(summary.text)},
                   {"count", summary.count}},
              std::cout);
    return kExitOk;
  }
  // A value may hold a line feed; the count must stay on line 2 all the same.
  std::cout << ShownStored(summary.text) << '\n' << summary.count << '\n';
  return kExitOk;
}
