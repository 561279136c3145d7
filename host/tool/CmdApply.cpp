// apply SCRIPT PATH...: one edit script played on the page of many files, all or
// nothing; add-holidays and remove-holidays: one change of the holiday calendar of many
// handler configurations, through the holiday setting dialog.
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
#include "ui/DateTimeValue.h"
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

// The one way of naming what to add or remove; UsageError for none or several.
void ExpectOneOf(const std::vector<std::pair<const char*, bool>>& given) {
  std::string names;
  int count = 0;
  for (const auto& [name, present] : given) {
    names += (names.empty() ? "" : ", ") + std::string(name);
    count += present ? 1 : 0;
  }
  if (count != 1) throw UsageError("give exactly one of " + names);
}

int RunHolidayEdit(Module& module, std::vector<std::string>& args, HolidayDialog::Edit edit,
                   const char* verb) {
  const bool dryRun = TakeFlag(args, "--dry-run");
  const bool json = TakeFlag(args, "--json");
  edit.currency = TakeOption(args, "--currency");
  if (edit.currency.empty()) throw UsageError("--currency C is needed");
  CheckCurrencyArgument(edit.currency);
  const std::vector<std::string> paths = Paths(args);
  CheckCutOffRuns(paths, !dryRun);
  const std::vector<ConfigFile> files = ConfigFilesOf(paths, ConfigKind::Handler);
  PageChange change;
  change.calendar = true;
  change.touches = [](ConfigKind kind) { return kind == ConfigKind::Handler; };
  change.play = [&edit](ScriptedBackend& ui, ConfigKind, std::vector<std::string>& notes) {
    HolidayDialog::QueueEdit(ui, edit, notes);
  };
  return RunPageChange(module, files, change, {verb, dryRun, json});
}

}  // namespace

int RunApply(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool dryRun = TakeFlag(args, "--dry-run");
  const bool json = TakeFlag(args, "--json");
  const std::optional<ConfigKind> kind = TakeConfigKindIfGiven(args);
  if (args.size() < 2) throw UsageError("expected SCRIPT and at least one PATH");
  const std::string scriptPath = args.front();
  args.erase(args.begin());
  const std::string script = ReadInputFile(scriptPath);
  // A script that does not parse is refused before any file is read.
  try {
    ScriptedBackend().Load(script);
  } catch (const ScriptError& e) {
    throw UsageError(ShownPath(scriptPath) + ": " + e.what());
  }
  const std::vector<std::string> paths = Paths(args);
  CheckCutOffRuns(paths, !dryRun);
  const std::vector<ConfigFile> files = ConfigFilesOf(paths, kind);
  PageChange change;
  // A script may open any dialog, the holiday setting among them.
  change.calendar = true;
  change.touches = [&kind](ConfigKind of) { return !kind || of == *kind; };
  change.play = [&script](ScriptedBackend& ui, ConfigKind, std::vector<std::string>&) {
    ui.Load(script);
  };
  return RunPageChange(module, files, change, {"apply", dryRun, json});
}

int RunAddHolidays(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  HolidayDialog::Edit edit;
  const std::string year = TakeOption(args, "--year");
  const std::string file = TakeOption(args, "--file");
  const std::string date = TakeOption(args, "--date");
  edit.mark = TakeFlag(args, "--mark");
  ExpectOneOf({{"--year", !year.empty()}, {"--file", !file.empty()}, {"--date", !date.empty()}});
  if (!year.empty()) {
    edit.what = HolidayDialog::Edit::What::AddYear;
    edit.year = ParseYear(year);
  } else if (!file.empty()) {
    edit.what = HolidayDialog::Edit::What::AddFile;
    ReadInputFile(file);  // one that cannot be read fails before any configuration is
    edit.file = file;
  } else {
    edit.what = HolidayDialog::Edit::What::AddDate;
    edit.date = ParseDate(date);
  }
  return RunHolidayEdit(module, args, edit, "add-holidays");
}

int RunRemoveHolidays(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  HolidayDialog::Edit edit;
  const std::string year = TakeOption(args, "--year");
  const std::string date = TakeOption(args, "--date");
  const bool all = TakeFlag(args, "--all");
  ExpectOneOf({{"--year", !year.empty()}, {"--date", !date.empty()}, {"--all", all}});
  if (!year.empty()) {
    edit.what = HolidayDialog::Edit::What::RemoveYear;
    edit.year = ParseYear(year);
  } else if (!date.empty()) {
    edit.what = HolidayDialog::Edit::What::RemoveDate;
    edit.date = ParseDate(date);
  } else {
    edit.what = HolidayDialog::Edit::What::RemoveAll;
  }
  return RunHolidayEdit(module, args, edit, "remove-holidays");
}
