#include "tool/module/SheetSave.h"

#include <stdexcept>
#include <string>

#include "files/EditedFile.h"
#include "props/CHandlerPrivateProps.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/ModulePage.h"
#include "ui/AfxFunctions.h"
#include "ui/CPropertySheet.h"
#include "ui/WinConstants.h"
#include "ui/backend/UiBackend.h"
#include "ui/model/SafeQuestion.h"

bool SheetSave::Apply() {
  // The module writes the page into the bag it was handed; handing it the bag as
  // read each time keeps a refused attempt out of the next one.
  CHandlerPrivateProps edited = original_;
  sheet_.ReplacePage(0, [&](CPropertyPage*) { return page_.StoreAndReopen(edited); });
  std::string xml;
  try {
    xml = PrepareSave(file_, edited);
  } catch (const std::runtime_error& e) {
    AfxMessageBox(e.what(), MB_OK | MB_ICONERROR);
    return false;
  }
  if (file_.ChangedSinceRead()) {
    if (scripted_) throw SaveAborted("not saved: " + ChangedBehindMessage(file_));
    const std::string question = ChangedBehindMessage(file_) + ".\n\nOverwrite it with this edit?";
    if (AfxMessageBox(question, kDestructiveQuestion) != IDYES) return false;
  }
  // In a script run the sheet closes once the file is saved (a failed write ends
  // the run): a script with lines left for it must fail before anything is written.
  if (scripted_) UiBackend::Current().BeforeLastWindowCloses("property sheet");
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
