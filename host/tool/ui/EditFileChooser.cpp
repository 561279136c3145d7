#include "tool/ui/EditFileChooser.h"

#include <stdexcept>

#include "tool/ToolError.h"
#include "tool/ui/ToolUi.h"
#include "ui/AfxFunctions.h"
#include "ui/CFileDialog.h"
#include "ui/backend/ScopedUiBackend.h"

std::optional<ChosenEditFile> ChooseFileToEdit(const std::string& scriptPath,
                                               const std::optional<ConfigKind>& given) {
  const bool inWindow = scriptPath.empty();
  ChosenEditFile chosen;
  if (inWindow) {
    try {
      chosen.ui = InstallUi(scriptPath);
    } catch (const std::runtime_error& e) {
      throw UsageError(std::string("expected one FILE (no file chooser can be shown: ") + e.what() +
                       ")");
    }
  } else {
    chosen.ui = InstallUi(scriptPath);
  }

  CFileDialog dialog(true, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                     "Configurations (*.xml)|*.xml|All Files (*)|*||");
  if (dialog.DoModal() != IDOK) return std::nullopt;
  chosen.path = dialog.GetPathName();
  try {
    chosen.kind = KindOfPlace(chosen.path, given);
  } catch (const UsageError& e) {
    // Started from a menu, nobody may be reading stderr.
    if (inWindow) AfxMessageBox(e.what(), MB_OK | MB_ICONWARNING);
    throw;
  }
  return chosen;
}
