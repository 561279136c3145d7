// import-holidays and export-holidays: the holiday setting dialog's own "Import..."
// and "Export...", on the handler page, driven as a user would drive them
// (HolidayDialog.h). What a file holds and how the calendar is stored stay the
// module's business.
#include <sys/stat.h>

#include <cstddef>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "files/AtomicSave.h"
#include "files/EditedFile.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/HolidayDialog.h"
#include "tool/output/Activity.h"
#include "tool/output/ToolOutput.h"

namespace {

void PrintToStderr(const std::vector<MessageRecord>& messages) {
  for (const MessageRecord& m : messages)
    std::cerr << m.request.caption << ": " << m.request.text << '\n';
}

// Refuses, before the dialog is reached, a FILE the export would put over the
// configuration or into a folder: neither is ever a calendar. What the name must end
// in is the dialog's to say: it is handed FILE exactly as given.
void CheckExportFile(const std::string& config, const std::string& file) {
  // Named as the dialog names a file it refuses: by its last part.
  const std::string_view name = std::string_view(file).substr(file.find_last_of('/') + 1);
  auto refuse = [&](const std::string& reason) {
    throw std::runtime_error("The holidays were not exported: " +
                             std::string(name.empty() ? std::string_view(file) : name) + ": " +
                             reason);
  };
  struct stat fileStatus {};
  if (::stat(file.c_str(), &fileStatus) == 0) {
    if (S_ISDIR(fileStatus.st_mode)) refuse("it is a folder");
    struct stat configStatus {};
    if (::stat(config.c_str(), &configStatus) == 0 && configStatus.st_dev == fileStatus.st_dev &&
        configStatus.st_ino == fileStatus.st_ino) {
      refuse("it is the configuration file " + config);
    }
  }
}

void WriteStdout(const std::string& text) {
  std::cout << text;
  FlushOutput(std::cout);
}

}  // namespace

int RunImportHolidays(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool dryRun = TakeFlag(args, "--dry-run");
  ExpectPositional(args, 3, "CONFIG, CURRENCY and FILE");
  const std::string& path = args[0];
  const std::string& currency = args[1];
  CheckCurrencyArgument(currency);
  const std::string& calendar = args[2];

  // What the save would refuse is refused first, a FIFO before it is opened.
  if (!dryRun) CheckSaveTarget(path);
  // Held from the read to the save, as an edit holds its file; a file that does not
  // exist yet, or is empty, is a configuration that does not exist yet.
  const Activity importing("importing " + ShownPath(calendar) + " into " + ShownPath(path));
  EditedFile file(path);
  CHandlerPrivateProps bag = ParseConfiguration(path, file.Content(), EmptyIs::NewConfiguration);
  const HolidayDialog::Import import =
      HolidayDialog(module).ImportFile(bag, currency, calendar, dryRun);
  PrintToStderr(import.closing);
  const std::string report = HolidayDialog::Report(import.report, "Import...");

  if (dryRun) {
    std::cerr << report;
    for (const ListViewRow& row : import.added) std::cout << HolidayDialog::ShownRow(row) << '\n';
    FlushOutput(std::cout);
    return kExitOk;
  }
  if (!import.accepted) {
    std::cerr << "hcdtool: not saved: the page refused its input; " << ShownPath(path)
              << " is unchanged\n";
    return kExitRefused;
  }
  SaveConfiguration(file, bag);
  try {
    WriteStdout(report);
  } catch (const OutputError& e) {
    // Exit 3 says that CONFIG is unchanged, unless the message says otherwise.
    throw std::runtime_error(ShownPath(path) +
                             " was saved, but its report could not be written: " + e.Reason());
  }
  return kExitOk;
}

int RunExportHolidays(Module& module, const std::vector<std::string>& args) {
  ExpectPositional(args, 3, "CONFIG, CURRENCY and FILE");
  const std::string& path = args[0];
  const std::string& currency = args[1];
  CheckCurrencyArgument(currency);
  CheckExportFile(path, args[2]);

  const Activity exporting("exporting " + ShownPath(currency) + " of " + ShownPath(path) + " to " +
                           ShownPath(args[2]));
  CHandlerPrivateProps bag = ReadConfiguration(path, EmptyIs::Refused);
  const std::vector<MessageRecord> shown =
      HolidayDialog(module).ExportFile(bag, path, currency, args[2]);
  WriteStdout(HolidayDialog::Report(shown, "Export..."));
  return kExitOk;
}
