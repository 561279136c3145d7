#include <iostream>

#include "hcd/IHcdPropertyPages.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/ui/ToolUi.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/backend/UiRunAborted.h"

int RunChooseField(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool party = TakeFlag(args, "--party");
  const std::string script = TakeOption(args, "--script");
  TakeUiChoice(args, !script.empty());
  ExpectPositional(args, 0, "no further arguments");

  const auto ui = InstallUi(script);
  IHcdPropertyPages& pages = module.PropertyPages();
  rr::RRString chosen;
  try {
    pages.DoFieldChooserDialog(nullptr, party ? 1 : 0, rr::RRString(), rr::RRString(), chosen);
  } catch (const UiRunAborted& e) {
    if (e.Signal() != 0) {
      std::cerr << "hcdtool: " << e.what() << "; no field was chosen\n";
      return 128 + e.Signal();
    }
    throw std::runtime_error(
        (script.empty() ? std::string() : ShownToken(script, TextBytes::Utf8) + ": ") + e.what());
  }
  std::cout << EscapeText(chosen.str(), TextBytes::Latin1) << '\n';
  return kExitOk;
}
