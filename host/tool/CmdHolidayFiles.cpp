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
#include "tool/Activity.h"
#include "tool/Commands.h"
#include "tool/ConfigurationFile.h"
#include "tool/HolidayDialog.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"

namespace {

void PrintToStderr(const std::vector<MessageRecord>& messages) {
  for (const MessageRecord& m : messages)
    std::cerr << m.request.caption << ": " << m.request.text << '\n';
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  text.remove_prefix(text.size() - end.size());
  for (std::size_t i = 0; i < end.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

// Refuses, before the dialog is reached, a FILE the export would put somewhere else
// than asked or over the configuration: the save chooser adds an ending to a name
// without one, as on the desktop, and a folder or CONFIG is never a calendar.
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
  if (!EndsWithIgnoringCase(name, ".ics") && !EndsWithIgnoringCase(name, ".ical") &&
      !EndsWithIgnoringCase(name, ".csv")) {
    refuse("the name ends neither in .ics nor in .csv");
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
  const Activity importing("importing " + ShownToken(calendar, TextBytes::Utf8) + " into " +
                           ShownToken(path, TextBytes::Utf8));
  EditedFile file(path);
  CHandlerPrivateProps bag;
  if (!file.Content().empty()) ParseConfiguration(path, file.Content(), bag);
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
    std::cerr << "hcdtool: not saved: the page refused its input; "
              << ShownToken(path, TextBytes::Utf8) << " is unchanged\n";
    return kExitRefused;
  }
  SaveConfiguration(file, bag);
  try {
    WriteStdout(report);
  } catch (const OutputError& e) {
    // Exit 3 says that CONFIG is unchanged, unless the message says otherwise.
    throw std::runtime_error(ShownToken(path, TextBytes::Utf8) +
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

  const Activity exporting("exporting " + ShownToken(currency, TextBytes::Utf8) + " of " +
                           ShownToken(path, TextBytes::Utf8) + " to " +
                           ShownToken(args[2], TextBytes::Utf8));
  CHandlerPrivateProps bag;
  LoadConfiguration(path, bag);
  const std::vector<MessageRecord> shown =
      HolidayDialog(module).ExportFile(bag, path, currency, args[2]);
  WriteStdout(HolidayDialog::Report(shown, "Export..."));
  return kExitOk;
}
