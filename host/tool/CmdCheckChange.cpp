#include <iostream>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/JsonOutput.h"
#include "tool/Module.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"

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
    throw UsageError("neither " + ShownToken(args[0], TextBytes::Utf8) + " nor " +
                     ShownToken(args[1], TextBytes::Utf8) +
                     " is in a configuration tree: give --handler, --static or --dynamic");
  const ConfigKind kind = *placed;

  std::string oldText = ReadInputFile(args[0]);
  std::string newText = ReadInputFile(args[1]);
  // The module parses both texts and cannot say which one it refused: the tool's own
  // reading names the file first.
  for (const std::string* path : {&args[0], &args[1]}) {
    CHandlerPrivateProps bag;
    ParseConfiguration(*path, path == &args[0] ? oldText : newText, bag);
  }
  module.ChangeActions();
  int action = 0;
  try {
    action = module.ChangeAction(kind, oldText, newText);
  } catch (const XmlError& e) {
    // The module parses both texts; say which files they were.
    throw std::runtime_error(ShownToken(args[0], TextBytes::Utf8) + " or " +
                             ShownToken(args[1], TextBytes::Utf8) + ": " + e.what());
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
