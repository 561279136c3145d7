#pragma once

#include "ui/backend/UiRunAborted.h"

class CHandlerPrivateProps;
class CPropertySheet;
class EditedFile;
class ModulePage;

// A save that failed in a script run: it ends the run, and its message is the
// tool's, not the script's.
class SaveAborted : public UiRunAborted {
 public:
  using UiRunAborted::UiRunAborted;
};

// Saves while the sheet is still open, so that whatever refuses the save leaves the
// user's edits on screen: OK again retries, Cancel gives up. A script has nobody to
// free space or to say "overwrite", so there a failed write or a file changed
// behind the edit's back ends the run instead (SaveAborted). Install Apply as the
// sheet's apply handler; the module's page must be the sheet's first.
class SheetSave {
 public:
  SheetSave(EditedFile& file, const CHandlerPrivateProps& original, ModulePage& page,
            CPropertySheet& sheet, bool scripted)
      : file_(file), original_(original), page_(page), sheet_(sheet), scripted_(scripted) {}

  // True when FILE was saved; false, after a message box, keeps the sheet open.
  bool Apply();

 private:
  EditedFile& file_;
  const CHandlerPrivateProps& original_;
  ModulePage& page_;
  CPropertySheet& sheet_;
  bool scripted_;
};
