#include <iostream>

#include "hcd/CHcdWrapper.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/JsonOutput.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"

int RunValidateField(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool party = TakeFlag(args, "--party");
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 1, "one field NAME");

  IHcdValidation* validation = context.Wrapper().Validation();
  if (validation == nullptr) throw std::runtime_error("the module offers no validation facet");
  rr::RRString error;
  const int valid = validation->IsFieldValid(rr::RRString(args[0]), 0, party ? 1 : 0, error,
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
  std::cout << EscapeText(error.str(), TextBytes::Latin1) << '\n';
  return kExitRefused;
}
