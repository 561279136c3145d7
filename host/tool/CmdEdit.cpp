#include <iostream>
#include <stdexcept>

#include "hcd/CHcdWrapper.h"
#include "props/AtomicFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/EditedFile.h"
#include "props/TextEscape.h"
#include "tool/Commands.h"
#include "tool/EditFileChooser.h"
#include "tool/ModulePage.h"
#include "tool/SheetSave.h"
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
  const std::optional<ConfigKind> givenKind = TakeConfigKindIfGiven(args);
  const std::string script = TakeOption(args, "--script");
  std::optional<ChosenEditFile> chosen;
  if (args.empty()) {
    chosen = ChooseFileToEdit(script, givenKind);
    if (!chosen) {
      std::cerr << "hcdtool: not edited: no file was chosen\n";
      return kExitRefused;
    }
  } else {
    ExpectPositional(args, 1, "one FILE");
  }
  const std::string path = chosen ? chosen->path : args[0];
  const ConfigKind kind = chosen ? chosen->kind : KindOfPlace(path, givenKind);

  // Refused up front what the save would refuse at the end, so the user does not
  // edit for nothing; a FIFO is refused before it is opened, and no writer's bytes
  // are taken.
  CheckSaveTarget(path);
  // A file that does not exist yet, or is empty, is a configuration that does not
  // exist yet: the pages start from their defaults.
  EditedFile file(path);
  CHandlerPrivateProps bag;
  if (!file.Content().empty()) ParseConfiguration(path, file.Content(), bag);
  const auto ui = chosen ? std::move(chosen->ui) : InstallUi(script);

  IHcdPropertyPages* pages = context.Wrapper().PropertyPages();
  if (pages == nullptr) throw std::runtime_error("the module offers no property-page facet");
  ModulePage page(*pages, kind, bag);

  int result = IDCANCEL;
  {
    CPropertySheet sheet(kind == ConfigKind::Handler ? "Handler Properties"
                                                     : "Record Set Properties");
    sheet.AddPage(page.Page());
    SheetSave save(file, bag, page, sheet, !script.empty());
    sheet.SetApplyHandler([&save] { return save.Apply(); });
    try {
      result = sheet.DoModal();
    } catch (const SaveAborted& e) {
      throw std::runtime_error(e.what());
    } catch (const UiRunAborted& e) {
      throw std::runtime_error(
          (script.empty() ? std::string() : ShownToken(script, TextBytes::Utf8) + ": ") + e.what());
    }
  }
  page.End(false);
  if (result != IDOK) {
    std::cerr << "hcdtool: not saved: the edit was cancelled or refused; "
              << ShownToken(path, TextBytes::Utf8) << " is unchanged\n";
    return kExitRefused;
  }
  return kExitOk;
}
