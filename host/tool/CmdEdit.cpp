#include <iostream>

#include "hcd/CHcdWrapper.h"
#include "props/AtomicFile.h"
#include "props/CHandlerPrivateProps.h"
#include "tool/Commands.h"
#include "tool/ConfigFile.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "tool/ToolUi.h"
#include "ui/CPropertySheet.h"
#include "ui/ScopedUiBackend.h"
#include "ui/UiRunAborted.h"
#include "ui/WinConstants.h"

int RunEdit(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const ConfigKind kind = TakeConfigKind(args);
  const std::string script = TakeOption(args, "--script");
  ExpectPositional(args, 1, "one FILE");
  const std::string& path = args[0];

  CHandlerPrivateProps bag;
  LoadExistingConfiguration(path, bag);
  CheckWritable(path);
  const auto ui = InstallUi(script);

  IHcdPropertyPages* pages = context.Wrapper().PropertyPages();
  if (pages == nullptr) throw std::runtime_error("the module offers no property-page facet");
  ModulePage page(*pages, kind, bag);

  int result = IDCANCEL;
  {
    CPropertySheet sheet(kind == ConfigKind::Handler ? "Handler Properties"
                                                     : "Record Set Properties");
    sheet.AddPage(page.Page());
    try {
      result = sheet.DoModal();
    } catch (const UiRunAborted& e) {
      throw std::runtime_error((script.empty() ? std::string() : script + ": ") + e.what());
    }
  }
  const bool accepted = result == IDOK;
  page.End(accepted);
  if (!accepted) {
    std::cerr << "hcdtool: not saved: the edit was cancelled or refused; " << path
              << " is unchanged\n";
    return kExitRefused;
  }
  SaveFileAtomically(path, bag.toXML());
  return kExitOk;
}
