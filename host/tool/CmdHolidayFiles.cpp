// import-holidays and export-holidays: the holiday setting dialog's own "Import..."
// and "Export...", driven on the handler page by a script as a user would drive
// them. The tool reads the page and the dialog by their captions and labels only;
// what a file holds and how the table is stored stay the module's business, save
// for bringing a new currency into the dialog (HolidayStoreMirror.h).
#include <sys/stat.h>

#include <cstddef>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "files/AtomicSave.h"
#include "files/EditedFile.h"
#include "hcd/CHcdWrapper.h"
#include "props/CHandlerPrivateProps.h"
#include "rrstring/RRString.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ConfigurationFile.h"
#include "tool/HolidayDialogScript.h"
#include "tool/HolidayStoreMirror.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"
#include "ui/CPropertySheet.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// What the user reads on the handler page and in its holiday setting dialog.
constexpr std::string_view kBankHolidayBox = "\"Suppress output during bank holiday\"";
constexpr std::string_view kHolidaySetting = "\"Holiday setting\"";
constexpr std::string_view kCurrencyList = "\"Currency:\"";
constexpr std::string_view kHolidayList = "\"Holiday:\"";
constexpr std::string_view kImport = "\"Import...\"";
constexpr std::string_view kExport = "\"Export...\"";

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// One run of the handler page for the bag, in a sheet, played by the queued actions
// of the installed scripted backend. True when the sheet closed with OK; the page
// then went back accepted and wrote itself into the bag.
bool RunHandlerPage(ToolContext& context, CHandlerPrivateProps& bag) {
  IHcdPropertyPages* pages = context.Wrapper().PropertyPages();
  if (pages == nullptr) throw std::runtime_error("the module offers no property-page facet");
  ModulePage page(*pages, ConfigKind::Handler, bag);
  int result = IDCANCEL;
  {
    CPropertySheet sheet("Handler Properties");
    sheet.AddPage(page.Page());
    try {
      result = sheet.DoModal();
    } catch (const ScriptError& e) {
      throw std::runtime_error(std::string("the module's dialog did not answer as expected: ") +
                               e.what());
    } catch (const UiRunAborted& e) {
      throw std::runtime_error(e.what());
    }
  }
  page.End(result == IDOK);
  return result == IDOK;
}

// What the page and its dialog show before anything is changed.
struct HolidayView {
  bool bankHolidayOn = false;
  std::vector<std::string> currencies;
};

HolidayView LookAtHolidays(ToolContext& context, const CHandlerPrivateProps& bag) {
  // The dialog opens only while the box is marked: a user marks it, looks, and
  // cancels everything.
  CHandlerPrivateProps copy;
  copy.fromXML(bag.toXML());
  auto backend = std::make_unique<ScriptedBackend>();
  ScriptedBackend& scripted = *backend;
  scripted.Load("print " + std::string(kBankHolidayBox) + "\ncheck " +
                std::string(kBankHolidayBox) + " on\nclick " + std::string(kHolidaySetting) +
                "\nprint " + std::string(kCurrencyList) + "\ncancel\ncancel\n");
  const ScopedUiBackend ui(std::move(backend));
  RunHandlerPage(context, copy);
  const std::vector<std::string> lines = Lines(scripted.Output());
  HolidayView view;
  if (lines.empty() || (lines[0] != "checked" && lines[0] != "unchecked"))
    throw std::runtime_error("the module's handler page did not show its bank holiday box");
  view.bankHolidayOn = lines[0] == "checked";
  for (std::size_t i = 1; i < lines.size(); ++i)
    view.currencies.push_back(lines[i].size() > 2 ? lines[i].substr(2) : std::string());
  return view;
}

bool Lists(const HolidayView& view, const std::string& currency) {
  for (const std::string& listed : view.currencies)
    if (listed == currency) return true;
  return false;
}

// The message boxes of a run: those the file command showed, and the rest.
struct Shown {
  std::vector<MessageRecord> report;  // shown by the file command
  std::vector<MessageRecord> others;  // anything else: the page's refusals
};

// The messages from index `from` up to `to` are the file command's.
Shown SplitMessages(const std::vector<MessageRecord>& all, std::size_t from, std::size_t to) {
  Shown shown;
  for (std::size_t i = 0; i < all.size(); ++i)
    (i >= from && i < to ? shown.report : shown.others).push_back(all[i]);
  return shown;
}

bool IsFailure(const MessageRecord& message) {
  const MessageIcon icon = message.request.Icon();
  return icon == MessageIcon::Warning || icon == MessageIcon::Error;
}

void PrintToStderr(const std::vector<MessageRecord>& messages) {
  for (const MessageRecord& m : messages)
    std::cerr << m.request.caption << ": " << m.request.text << '\n';
}

// The report of the file command; throws with its text when it was a failure, or
// when the command showed no report at all.
std::string ReportOf(const Shown& shown, const std::string& what) {
  for (const MessageRecord& m : shown.report)
    if (IsFailure(m)) throw std::runtime_error(m.request.text);
  if (shown.report.empty()) throw std::runtime_error(what + " showed no report");
  std::string text;
  for (const MessageRecord& m : shown.report) text += m.request.text + "\n";
  return text;
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

int RunImportHolidays(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool dryRun = TakeFlag(args, "--dry-run");
  ExpectPositional(args, 3, "CONFIG, CURRENCY and FILE");
  const std::string& path = args[0];
  const std::string& currency = args[1];
  CheckCurrency(currency);
  const std::string calendar = ScriptWord(args[2], "FILE");

  // What the save would refuse is refused first, a FIFO before it is opened.
  if (!dryRun) CheckSaveTarget(path);
  // Held from the read to the save, as an edit holds its file; a file that does not
  // exist yet, or is empty, is a configuration that does not exist yet.
  EditedFile file(path);
  CHandlerPrivateProps bag;
  if (!file.Content().empty()) ParseConfiguration(path, file.Content(), bag);
  const HolidayView view = LookAtHolidays(context, bag);
  const bool newCurrency = !Lists(view, currency);
  if (newCurrency)
    holiday_store_mirror::AddCurrencyWithHoliday(bag, currency, kPlaceholderKey, "placeholder");

  auto backend = std::make_unique<ScriptedBackend>();
  ScriptedBackend& scripted = *backend;
  std::string script = "check " + std::string(kBankHolidayBox) + " on\nclick " +
                       std::string(kHolidaySetting) + "\nselect " + std::string(kCurrencyList) +
                       " " + ScriptWord(currency, "CURRENCY") + "\n";
  if (newCurrency)
    script += "rows " + std::string(kHolidayList) + " " + kPlaceholderKey + "\nclick \"Remove\"\n";
  script += "print-added " + std::string(kHolidayList) + "\n";
  scripted.Load(script);
  std::size_t shownBefore = 0, reportFrom = 0, reportTo = 0;
  scripted.Then([&] {
    shownBefore = scripted.Output().size();
    reportFrom = scripted.Messages().size();
  });
  scripted.Load("click " + std::string(kImport) + "\nfile " + calendar + "\n");
  scripted.Then([&] { reportTo = scripted.Messages().size(); });
  scripted.Load("print-added " + std::string(kHolidayList) + "\n" + (dryRun ? "cancel" : "ok") +
                "\n" +
                (view.bankHolidayOn ? "" : "check " + std::string(kBankHolidayBox) + " off\n") +
                (dryRun ? "cancel" : "ok") + "\n");
  const ScopedUiBackend ui(std::move(backend));
  const bool accepted = RunHandlerPage(context, bag);

  const Shown shown = SplitMessages(scripted.Messages(), reportFrom, reportTo);
  PrintToStderr(shown.others);
  const std::string report = ReportOf(shown, "\"Import...\"");
  const std::string before = scripted.Output().substr(0, shownBefore);
  const std::string after = scripted.Output().substr(shownBefore);
  if (after.compare(0, before.size(), before) != 0)
    throw std::runtime_error("the holiday list changed other than by the import");
  const std::string added = after.substr(before.size());

  if (dryRun) {
    std::cerr << report;
    WriteStdout(added);
    return kExitOk;
  }
  if (!accepted) {
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

int RunExportHolidays(ToolContext& context, const std::vector<std::string>& args) {
  ExpectPositional(args, 3, "CONFIG, CURRENCY and FILE");
  const std::string& path = args[0];
  const std::string& currency = args[1];
  CheckCurrency(currency);
  const std::string file = ScriptWord(args[2], "FILE");
  CheckExportFile(path, args[2]);

  CHandlerPrivateProps bag;
  LoadConfiguration(path, bag);
  const HolidayView view = LookAtHolidays(context, bag);
  if (!Lists(view, currency))
    throw std::runtime_error(path + ": the holiday setting dialog lists no currency " + currency);

  auto backend = std::make_unique<ScriptedBackend>();
  ScriptedBackend& scripted = *backend;
  scripted.Load("check " + std::string(kBankHolidayBox) + " on\nclick " +
                std::string(kHolidaySetting) + "\nselect " + std::string(kCurrencyList) + " " +
                ScriptWord(currency, "CURRENCY") + "\n");
  std::size_t reportFrom = 0, reportTo = 0;
  scripted.Then([&] { reportFrom = scripted.Messages().size(); });
  scripted.Load("click " + std::string(kExport) + "\nsave-as " + file + "\n");
  scripted.Then([&] { reportTo = scripted.Messages().size(); });
  scripted.Load("cancel\ncancel\n");
  const ScopedUiBackend ui(std::move(backend));
  RunHandlerPage(context, bag);

  const Shown shown = SplitMessages(scripted.Messages(), reportFrom, reportTo);
  PrintToStderr(shown.others);
  WriteStdout(ReportOf(shown, "\"Export...\""));
  return kExitOk;
}
