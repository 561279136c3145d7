#include <iostream>

#include "hcd/CHcdWrapper.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/JsonOutput.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"

int RunSummary(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 1, "one FILE");
  const ConfigKind kind = KindOfPlace(args[0], given);

  CHandlerPrivateProps bag;
  LoadConfiguration(args[0], bag);
  IHcdSummary* summary = context.Wrapper().Summary();
  if (summary == nullptr) throw std::runtime_error("the module offers no summary facet");

  rr::RRString text;
  long count = 0;
  if (kind == ConfigKind::Handler)
    count = summary->GetHandPropertySummary(bag, text);
  else
    count = summary->GetTmplPropertySummary(text, 0, bag, kind == ConfigKind::Dynamic ? 1 : 0, 0);
  if (json) {
    PrintJson(Json{{"path", JsonText(args[0])},
                   {"kind", KindName(kind)},
                   {"summary", JsonLatin1(text.str())},
                   {"count", count}},
              std::cout);
    return kExitOk;
  }
  // A value may hold a line feed; the count must stay on line 2 all the same.
  std::cout << EscapeText(text.str(), TextBytes::Latin1) << '\n' << count << '\n';
  return kExitOk;
}
