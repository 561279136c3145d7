#include <iostream>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/output/JsonOutput.h"

int RunCheckChange(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 2, "OLD and NEW");
  // Without a kind option, OLD's place says it, else NEW's (one of them may be a
  // copy outside the tree, being tried out).
  std::optional<ConfigKind> placed = given ? given : KindOfPlaceIfAny(args[0]);
  if (!placed) placed = KindOfPlaceIfAny(args[1]);
  if (!placed)
    throw UsageError("neither " + ShownPath(args[0]) + " nor " + ShownPath(args[1]) +
                     " is in a configuration tree: give --handler, --static or --dynamic");
  const ConfigKind kind = *placed;

  std::string oldText = ReadInputFile(args[0]);
  std::string newText = ReadInputFile(args[1]);
  // The module parses both texts and cannot say which one it refused: the tool's own
  // reading names the file first.
  ParseConfiguration(args[0], oldText, EmptyIs::Refused);
  ParseConfiguration(args[1], newText, EmptyIs::Refused);
  module.ChangeActions();
  int action = 0;
  try {
    action = module.ChangeAction(kind, oldText, newText);
  } catch (const XmlError& e) {
    // The module parses both texts; say which files they were.
    throw std::runtime_error(ShownPath(args[0]) + " or " + ShownPath(args[1]) + ": " + e.what());
  }
  if (json) {
    PrintJson(Json{{"kind", KindName(kind)},
                   {"old", JsonText(args[0])},
                   {"new", JsonText(args[1])},
                   {"action", action}},
              std::cout);
    return kExitOk;
  }
  std::cout << action << '\n';
  return kExitOk;
}
