#include <iostream>

#include "hcd/IHcdValidation.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/output/JsonOutput.h"

int RunValidateField(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool party = TakeFlag(args, "--party");
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 1, "one field NAME");

  rr::RRString error;
  const int valid = module.Validation().IsFieldValid(rr::RRString(args[0]), 0, party ? 1 : 0, error,
                                                     rr::RRString(), rr::RRString(), nullptr);
  if (json) {
    PrintJson(Json{{"name", JsonLatin1(args[0])},
                   {"party", party},
                   {"valid", valid != 0},
                   {"message", valid != 0 ? Json(nullptr) : JsonLatin1(error.str())}},
              std::cout);
    return valid != 0 ? kExitOk : kExitRefused;
  }
  if (valid != 0) return kExitOk;
  std::cout << ShownStored(error.str()) << '\n';
  return kExitRefused;
}
