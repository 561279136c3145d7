#include <iostream>
#include <stdexcept>

#include "hcd/CHcdWrapper.h"
#include "props/CHandlerPrivateProps.h"
#include "props/EditedFile.h"
#include "tool/Commands.h"
#include "tool/ConfigurationFile.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "tool/ToolUi.h"
#include "ui/AfxFunctions.h"
#include "ui/CPropertySheet.h"
#include "ui/ScopedUiBackend.h"
#include "ui/UiRunAborted.h"
#include "ui/WinConstants.h"

namespace {

// A save that failed in a script run: it ends the run, and its message is the
// tool's, not the script's.
class SaveAborted : public UiRunAborted {
 public:
  using UiRunAborted::UiRunAborted;
};

// Saves while the sheet is still open, so that whatever refuses the save leaves the
// user's edits on screen: OK again retries, Cancel gives up. A script has nobody to
// free space or to say "overwrite", so there a failed write or a file changed
// behind the edit's back ends the run instead.
class SheetSave {
 public:
  SheetSave(EditedFile& file, const CHandlerPrivateProps& original, ModulePage& page,
            CPropertySheet& sheet, bool scripted)
      : file_(file), original_(original), page_(page), sheet_(sheet), scripted_(scripted) {}

  bool Apply() {
    // The module writes the page into the bag it was handed; handing it the bag as
    // read each time keeps a refused attempt out of the next one.
    CHandlerPrivateProps edited = original_;
    sheet_.ExchangePage(0, [&](CPropertyPage*) { return page_.Exchange(edited); });
    std::string xml;
    try {
      xml = PrepareSave(file_, edited);
    } catch (const std::runtime_error& e) {
      AfxMessageBox(e.what(), MB_OK | MB_ICONERROR);
      return false;
    }
    if (file_.ChangedSinceRead()) {
      if (scripted_) throw SaveAborted("not saved: " + ChangedBehindMessage(file_));
      const std::string question =
          ChangedBehindMessage(file_) + ".\n\nOverwrite it with this edit?";
      if (AfxMessageBox(question, MB_YESNO | MB_ICONWARNING) != IDYES) return false;
    }
    try {
      file_.Save(xml);
    } catch (const std::runtime_error& e) {
      if (scripted_) throw SaveAborted(e.what());
      AfxMessageBox(
          std::string(e.what()) + "\n\nThe edit is still here: press OK to try again, or Cancel.",
          MB_OK | MB_ICONERROR);
      return false;
    }
    return true;
  }

 private:
  EditedFile& file_;
  const CHandlerPrivateProps& original_;
  ModulePage& page_;
  CPropertySheet& sheet_;
  bool scripted_;
};

}  // namespace

int RunEdit(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const ConfigKind kind = TakeConfigKind(args);
  const std::string script = TakeOption(args, "--script");
  ExpectPositional(args, 1, "one FILE");
  const std::string& path = args[0];

  // A file that does not exist yet, or is empty, is a configuration that does not
  // exist yet: the pages start from their defaults.
  EditedFile file(path);
  CHandlerPrivateProps bag;
  if (!file.Content().empty()) ParseConfiguration(path, file.Content(), bag);
  // Refused up front what the save would refuse at the end, so the user does not
  // edit for nothing.
  file.CheckSavable();
  const auto ui = InstallUi(script);

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
      throw std::runtime_error((script.empty() ? std::string() : script + ": ") + e.what());
    }
  }
  page.End(false);
  if (result != IDOK) {
    std::cerr << "hcdtool: not saved: the edit was cancelled or refused; " << path
              << " is unchanged\n";
    return kExitRefused;
  }
  return kExitOk;
}
