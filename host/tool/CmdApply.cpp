// apply SCRIPT PATH...: one edit script played on the page of many files, all or
// nothing; add-holidays and remove-holidays: one change of the holiday calendar of many
// handler configurations, through the holiday setting dialog.
#include <sys/stat.h>

#include <charconv>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/batch/PageChange.h"
#include "tool/module/HolidayDialog.h"
#include "tool/output/ReviewOptions.h"
#include "tool/plan/ConfigFiles.h"
#include "ui/DateTimeValue.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

std::vector<std::string> Paths(std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("expected at least one PATH");
  ExpectPositional(args, args.size(), "PATH...");
  return args;
}

int ParseYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (ec != std::errc() || end != text.data() + text.size() || year < 1 || year > 9999)
    throw UsageError("--year needs a year from 1 to 9999, not " + QuotedPath(text));
  return year;
}

std::string ParseDate(const std::string& text) {
  if (!DateTimeValue::ParseIsoDate(text))
    throw UsageError("--date needs a date as YYYY-MM-DD, not " + QuotedPath(text));
  return text;
}

// Every "--name VALUE" (or "--name=VALUE") taken out of args, in order.
std::vector<std::string> TakeEvery(std::vector<std::string>& args, const std::string& name) {
  std::vector<std::string> values;
  for (auto it = args.begin(); it != args.end();) {
    if (*it == name) {
      if (it + 1 == args.end() || (it + 1)->empty()) throw UsageError(name + " needs a value");
      values.push_back(*(it + 1));
      it = args.erase(it, it + 2);
    } else if (it->starts_with(name + "=")) {
      values.push_back(it->substr(name.size() + 1));
      if (values.back().empty()) throw UsageError(name + " needs a value");
      it = args.erase(it);
    } else {
      ++it;
    }
  }
  return values;
}

// What to add or remove: at least one way of naming it.
void ExpectSome(const std::vector<std::pair<const char*, bool>>& given) {
  std::string names;
  for (const auto& [name, present] : given) {
    if (present) return;
    names += (names.empty() ? "" : ", ") + std::string(name);
  }
  throw UsageError("give at least one of " + names);
}

// A calendar that cannot be read fails before any configuration is read, named by
// its whole path. The dialog's "Import..." reads it by its path once for each
// configuration, so it takes regular files only: a pipe such as <(...) or a FIFO
// would give its content to the first and nothing to the rest.
void CheckCalendarFile(const std::string& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
    throw std::runtime_error(
        "cannot read " + QuotedPath(file) +
        ": it is not a regular file (a pipe or a FIFO reads once, and the calendar is imported "
        "into each configuration on its own); save it to a file and give that");
  ReadInputFile(file);
}

// The same edits of the calendar for every currency given, in the order given.
int RunHolidayEdit(Module& module, std::vector<std::string>& args,
                   const std::vector<HolidayDialog::Edit>& kinds, const char* verb,
                   const std::vector<std::string>& given) {
  const bool dryRun = TakeFlag(args, "--dry-run");
  const bool json = TakeFlag(args, "--json");
  const ReviewOptions review = TakeReviewOptions(args, {true, true, false}, json);
  const bool mark = TakeFlag(args, "--mark");
  // The calendar is the handler's: --kind handler leaves out a record set named among
  // the paths, which would otherwise be taken for a handler's configuration.
  const std::optional<ConfigKind> only = TakeKindFilter(args);
  if (only && *only != ConfigKind::Handler)
    throw UsageError(std::string(verb) +
                     " changes the holiday calendar of handler "
                     "configurations: --kind takes handler only");
  const std::vector<std::string> currencies = TakeEvery(args, "--currency");
  if (currencies.empty()) throw UsageError("--currency C is needed");
  std::vector<HolidayDialog::Edit> edits;
  for (const std::string& currency : currencies) {
    CheckCurrencyArgument(currency);
    for (HolidayDialog::Edit edit : kinds) {
      edit.currency = currency;
      edits.push_back(edit);
    }
  }
  const std::vector<std::string> paths = Paths(args);
  CheckCutOffRuns(paths, !dryRun);
  const std::vector<ConfigFile> files =
      only ? ConfigFilesOfKind(paths, only) : ConfigFilesOf(paths, ConfigKind::Handler);
  PageChange change;
  change.calendar = true;
  change.touches = [](ConfigKind kind) { return kind == ConfigKind::Handler; };
  change.play = [&edits, mark](ScriptedBackend& ui, ConfigKind, std::vector<std::string>& notes) {
    HolidayDialog::QueueEdits(ui, edits, mark, notes);
  };
  std::vector<std::string> words = {verb};
  words.insert(words.end(), given.begin(), given.end());
  // A date added again, or removed again, is left as it is: the command finishes itself.
  return RunPageChange(module, files, change,
                       {verb, dryRun, json, review.quiet, review.palette, {std::move(words), {}}});
}

// What a save-file chooser the script answers (an "Export..." of the holiday setting)
// hands the dialog. Never a configuration of the run, not even through a link: the
// dialog would put a calendar in its place while the run holds it. And in a dry run
// nothing at all, so that nothing is written anywhere: the chooser is cancelled, and a
// note says what the real run would write.
std::optional<std::string> ChosenSave(const std::string& path, const std::vector<ConfigFile>& files,
                                      bool dryRun, std::vector<std::string>& notes) {
  struct stat chosen {};
  if (::stat(path.c_str(), &chosen) == 0) {
    for (const ConfigFile& file : files) {
      struct stat config {};
      if (::stat(file.path.c_str(), &config) == 0 && config.st_dev == chosen.st_dev &&
          config.st_ino == chosen.st_ino)
        throw UiRunAborted("the file chosen to save into, " + QuotedPath(path) +
                           ", is the configuration " + QuotedPath(file.shown) +
                           ": a dialog never writes over a configuration");
    }
  }
  if (!dryRun) return path;
  // Notes are shown as the module's texts are, in ISO-8859-1.
  const std::optional<std::string> named = Latin1FromUtf8(path);
  notes.push_back("a file chooser was cancelled instead of saving into " +
                  (named ? "\"" + *named + "\"" : std::string("the file chosen")) +
                  ": a dry run writes no file");
  return std::nullopt;
}

}  // namespace

int RunApply(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool dryRun = TakeFlag(args, "--dry-run");
  const bool json = TakeFlag(args, "--json");
  const ReviewOptions review = TakeReviewOptions(args, {true, true, false}, json);
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const std::optional<ConfigKind> only = TakeKindFilter(args);
  if (given && only)
    throw UsageError("give --kind or one of --handler, --static, --dynamic, not both");
  // --static and the like say the kind of a file given alone; --kind only restricts.
  const std::optional<ConfigKind> kind = given ? given : only;
  if (args.size() < 2) throw UsageError("expected SCRIPT and at least one PATH");
  const std::string scriptPath = args.front();
  args.erase(args.begin());
  const std::string script = ReadInputFile(scriptPath);
  // A script that does not parse is refused before any file is read.
  try {
    ScriptedBackend parsed;
    parsed.Load(script);
    // Nothing to play would report every file unchanged: likely a script that was
    // not what its author meant, or a pipe nobody wrote into.
    if (!parsed.HasPending())
      throw UsageError(ShownPath(scriptPath) + ": the script holds no action");
  } catch (const ScriptError& e) {
    throw UsageError(ShownPath(scriptPath) + ": " + e.what());
  }
  const std::vector<std::string> paths = Paths(args);
  CheckCutOffRuns(paths, !dryRun);
  const std::vector<ConfigFile> files =
      only ? ConfigFilesOfKind(paths, only) : ConfigFilesOf(paths, given);
  PageChange change;
  // A script may open any dialog, the holiday setting among them.
  change.calendar = true;
  change.touches = [&kind](ConfigKind of) { return !kind || of == *kind; };
  change.play = [&script, &files, dryRun](ScriptedBackend& ui, ConfigKind,
                                          std::vector<std::string>& notes) {
    ui.SetSaveChoice([&files, &notes, dryRun](const std::string& path) {
      return ChosenSave(path, files, dryRun, notes);
    });
    ui.Load(script);
  };
  JournalCommand command{{"apply"}, {"apply", scriptPath}};
  command.words.insert(command.words.end(), argsIn.begin(), argsIn.end());
  if (kind) command.finishPrefix.push_back("--" + std::string(KindName(*kind)));
  // A script played twice may not do what it does once: it finishes the change only
  // over the files that lack it.
  return RunPageChange(module, files, change,
                       {"apply", dryRun, json, review.quiet, review.palette, std::move(command)});
}

int RunAddHolidays(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  using What = HolidayDialog::Edit::What;
  const std::string year = TakeOption(args, "--year");
  const std::string file = TakeOption(args, "--file");
  const std::string date = TakeOption(args, "--date");
  ExpectSome({{"--year", !year.empty()}, {"--file", !file.empty()}, {"--date", !date.empty()}});
  // In this order for each currency: the year's rules, the file, the one date.
  std::vector<HolidayDialog::Edit> edits;
  if (!year.empty()) edits.push_back({What::AddYear, "", ParseYear(year), "", ""});
  if (!file.empty()) {
    CheckCalendarFile(file);
    edits.push_back({What::AddFile, "", 0, file, ""});
  }
  if (!date.empty()) edits.push_back({What::AddDate, "", 0, "", ParseDate(date)});
  return RunHolidayEdit(module, args, edits, "add-holidays", argsIn);
}

int RunRemoveHolidays(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  using What = HolidayDialog::Edit::What;
  const std::string year = TakeOption(args, "--year");
  const std::string date = TakeOption(args, "--date");
  const bool all = TakeFlag(args, "--all");
  ExpectSome({{"--year", !year.empty()}, {"--date", !date.empty()}, {"--all", all}});
  std::vector<HolidayDialog::Edit> edits;
  if (!year.empty()) edits.push_back({What::RemoveYear, "", ParseYear(year), "", ""});
  if (!date.empty()) edits.push_back({What::RemoveDate, "", 0, "", ParseDate(date)});
  if (all) edits.push_back({What::RemoveAll, "", 0, "", ""});
  return RunHolidayEdit(module, args, edits, "remove-holidays", argsIn);
}
