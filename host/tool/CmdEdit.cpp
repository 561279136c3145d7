#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <system_error>

#include "hcd/CHcdWrapper.h"
#include "props/AtomicFile.h"
#include "props/CHandlerPrivateProps.h"
#include "tool/Commands.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "tool/ToolUi.h"
#include "ui/CPropertySheet.h"
#include "ui/ScopedUiBackend.h"
#include "ui/UiRunAborted.h"
#include "ui/WinConstants.h"

namespace {

// A configuration file that does not exist yet, or is empty, is a configuration
// that does not exist yet: the pages start from their defaults.
void LoadExistingConfiguration(const std::string& path, CHandlerPrivateProps& bag) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    const auto folder = std::filesystem::absolute(path).parent_path();
    if (!std::filesystem::is_directory(folder, ec))
      throw std::runtime_error(path + ": the folder " + folder.string() + " does not exist");
    return;
  }
  const std::string xml = ReadInputFile(path);
  if (xml.empty()) return;
  LoadConfiguration(path, bag);
}

// Refuses up front what the save would refuse at the end, so the user does not
// edit for nothing.
void CheckWritable(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && ::access(path.c_str(), W_OK) != 0)
    throw std::runtime_error(path + ": the file is read-only");
  const auto folder = std::filesystem::absolute(path).parent_path();
  if (::access(folder.c_str(), W_OK) != 0)
    throw std::runtime_error(path + ": cannot write in the folder " + folder.string());
}

}  // namespace

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
