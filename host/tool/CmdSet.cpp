// get FILE LABEL: one value as show prints it. set PATH... LABEL=VALUE...: values typed
// into the pages of many files by the labels show prints, then OK, all or nothing.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>

#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/batch/PageChange.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/HolidayDialog.h"
#include "tool/module/Module.h"
#include "tool/output/JsonOutput.h"
#include "tool/output/ReviewOptions.h"
#include "tool/output/ToolOutput.h"
#include "tool/review/ConfigurationView.h"
#include "tool/review/PageLabels.h"
#include "tool/review/ValueInput.h"
#include "tool/review/ViewOutput.h"
#include "tool/ui/HiddenPrompt.h"
#include "ui/DateTimeValue.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptedBackend.h"

namespace fs = std::filesystem;

namespace {

// A page of a kind: its title, its controls as show shows them, and their styles.
struct PageOfKind {
  std::string title;
  std::vector<ShownControl> controls;
  std::vector<std::uint32_t> styles;  // in the order of controls
};

// The page of the kind as it opens on a new configuration: what its controls are
// does not depend on what a file holds.
PageOfKind OpenPage(Module& module, ConfigKind kind) {
  PageOfKind page;
  CHandlerPrivateProps bag;
  module.Play(kind, bag, [&](ScriptedBackend& ui) {
    ui.Then([&] {
      const ScriptedWindow& window = *ui.TargetWindow();
      page.title = window.Template().title;
      page.controls = ShownControls(window);
      for (const ShownControl& control : page.controls)
        page.styles.push_back(window.Template().FindControl(control.id)->style);
    });
  });
  return page;
}

// LABEL=VALUE as given.
struct Assignment {
  std::string label;  // as typed (UTF-8)
  std::string value;  // as typed (UTF-8)
  bool fromStdin = false;
};

bool ExistsOnDisk(const std::string& path) {
  std::error_code ec;
  return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

// The value given, for an error about it: never one read from stdin, the channel of
// secrets, which the error would put on the screen and into logs.
std::string GivenValue(const Assignment& given) {
  return given.fromStdin ? std::string("the value given on stdin (not shown)")
                         : QuotedPath(given.value);
}

// The user's action that gives the control the value, read by the rule get prints it
// by (ValueInput.h). Throws UsageError for a value the control cannot take.
UserAction ActionFor(const ShownControl& control, std::uint32_t style, const Assignment& given,
                     const std::string& name) {
  const ControlRef ref = ControlRef::WithId(control.id);
  const std::string shown = QuotedToken(name, TextBytes::Latin1);
  const auto text = [&](std::string_view typed) {
    try {
      return TextFromInput(typed);
    } catch (const ValueInputError& e) {
      throw UsageError("the value for " + shown + " cannot be read: " + e.what());
    }
  };
  // The review shows every other control's new value: a secret typed for the wrong
  // label would be printed.
  if (given.fromStdin && !control.password)
    throw UsageError(shown +
                     " is no password box: --stdin gives a password box its value, which no "
                     "output shows; give " +
                     ShownPath(given.label) + "=VALUE");
  switch (control.kind) {
    case ControlKind::CheckBox: {
      const std::optional<bool> mark = CheckFromInput(given.value);
      if (!mark)
        throw UsageError(shown + " is a check box: give on or off ([x] or [ ] as get prints " +
                         "it), not " + GivenValue(given));
      return user::Check{ref, *mark};
    }
    case ControlKind::RadioButton:
      if (RadioFromInput(given.value) != true)
        throw UsageError(shown +
                         " is a radio button: give on (or (o) as get prints it); it is cleared "
                         "by marking another of its group, not " +
                         GivenValue(given));
      return user::Check{ref, true};
    case ControlKind::ListBox:
      return user::Select{ref, EntryRef::WithText(text(given.value))};
    case ControlKind::ComboBox:
      // A drop-down list has no text field to type into: its entry is chosen.
      if ((style & ControlStyle::DropDown) == 0)
        return user::Select{ref, EntryRef::WithText(text(given.value))};
      return user::SetText{ref, text(given.value)};
    case ControlKind::DateTimePicker: {
      const std::optional<DateTimeValue> date = DateTimeValue::ParseIsoDate(text(given.value));
      if (!date) throw UsageError(shown + " is a date: give YYYY-MM-DD, not " + GivenValue(given));
      return user::PickDate{ref, *date};
    }
    case ControlKind::ListView:
      throw UsageError(shown +
                       " is a list changed through its own buttons and dialogs, not by set");
    default:
      if (!control.password) return user::SetText{ref, text(given.value)};
      // What comes through stdin is the password itself, whatever it looks like.
      if (given.fromStdin) {
        const std::optional<std::string> stored = Latin1FromUtf8(given.value);
        if (!stored)
          throw UsageError("the value for " + shown +
                           " holds a character the configuration cannot store (it stores "
                           "ISO-8859-1)");
        return user::SetText{ref, *stored};
      }
      std::optional<std::string> typed;
      try {
        typed = PasswordFromInput(given.value);
      } catch (const ValueInputError&) {
        typed = given.value;  // a password typed on the command line all the same
      }
      if (!typed)
        throw UsageError(shown + ": " + QuotedPath(given.value) +
                         " is what get prints for a password box, not a password");
      if (!typed->empty())
        throw UsageError(
            shown +
            " is a password box: a password on the command line would stay in the shell's "
            "history and the list of processes; give --stdin " +
            ShownPath(given.label) + " and type it, or pipe it in");
      return user::SetText{ref, *typed};
  }
}

// Reads the value given with --stdin: one line. At a terminal the typing is not
// shown, so the value is asked for twice and two answers that differ are refused:
// a typing error would otherwise go into every file unseen.
std::string ReadValueFromStdin(const std::string& label) {
  if (::isatty(STDIN_FILENO) == 1) {
    const std::string name = QuotedPath(label);
    const std::optional<std::string> first =
        ReadHiddenLine(STDIN_FILENO, "Value for " + ShownPath(label) + " (not shown): ");
    if (!first) throw UsageError("no value was typed for " + name + "; nothing was changed");
    const std::optional<std::string> again =
        ReadHiddenLine(STDIN_FILENO, "The same again, to be sure: ");
    if (!again || *again != *first)
      throw UsageError("the two values typed for " + name + " differ; nothing was changed");
    return *first;
  }
  std::string value;
  const bool read = static_cast<bool>(std::getline(std::cin, value));
  if (!read && !std::cin.eof()) throw std::runtime_error("cannot read the value from stdin");
  if (!value.empty() && value.back() == '\r') value.pop_back();
  return value;
}

}  // namespace

int RunGet(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  const bool labels = TakeFlag(args, "--labels");
  const bool currencies = TakeFlag(args, "--currencies");
  if (labels && currencies) throw UsageError("give one of --labels and --currencies");
  if (labels || currencies)
    ExpectPositional(args, 1, "FILE");
  else
    ExpectPositional(args, 2, "FILE and LABEL");
  const std::string& path = args[0];
  const ConfigKind kind = KindOfPlace(path, given);
  if (currencies && kind != ConfigKind::Handler)
    throw UsageError("--currencies lists the holiday calendar of a handler configuration");
  CHandlerPrivateProps bag = ReadConfiguration(path, EmptyIs::NewConfiguration);
  if (currencies) {
    const std::vector<std::string> listed = HolidayDialog(module).Currencies(bag);
    if (json) {
      Json list = Json::array();
      for (const std::string& currency : listed) list.push_back(JsonLatin1(currency));
      PrintJson(Json{{"path", JsonText(path)}, {"currencies", std::move(list)}}, std::cout);
      return kExitOk;
    }
    for (const std::string& currency : listed) std::cout << ShownName(currency) << '\n';
    FlushOutput(std::cout);
    return kExitOk;
  }
  const ConfigurationView view = ViewConfiguration(module, kind, bag, false);
  if (labels) {
    // The names set and get take, each telling its control apart on the page.
    std::vector<std::string> names;
    for (std::size_t i = 0; i < view.controls.size(); ++i)
      names.push_back(UniqueLabel(view.controls, i));
    if (json) {
      Json list = Json::array();
      for (const std::string& name : names) list.push_back(JsonLatin1(name));
      PrintJson(
          Json{{"path", JsonText(path)}, {"kind", KindName(kind)}, {"labels", std::move(list)}},
          std::cout);
      return kExitOk;
    }
    for (const std::string& name : names) std::cout << ShownStored(name) << '\n';
    FlushOutput(std::cout);
    return kExitOk;
  }
  const LabelLookup lookup = LookUpLabel(view.controls, args[1]);
  if (lookup.result != LabelLookup::Result::Found)
    throw UsageError(LabelErrorMessage(args[1], view.title, lookup));
  const ShownControl& control = view.controls[lookup.index];
  if (json) {
    // "shown" is the value as the text output prints it, which set takes back.
    PrintJson(Json{{"path", JsonText(path)},
                   {"kind", KindName(kind)},
                   {"control", ControlJson(control)},
                   {"shown", ShownValue(control)}},
              std::cout);
  } else {
    std::cout << ShownValue(control) << '\n';
    FlushOutput(std::cout);
  }
  return kExitOk;
}

int RunSet(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool dryRun = TakeFlag(args, "--dry-run");
  const bool json = TakeFlag(args, "--json");
  const ReviewOptions review = TakeReviewOptions(args, {true, true, false}, json);
  const std::string stdinLabel = TakeOption(args, "--stdin");
  const std::optional<ConfigKind> only = TakeKindFilter(args);
  // PATHs first; the first argument that holds "=" and names nothing on disk starts the
  // assignments.
  std::vector<std::string> paths;
  std::vector<Assignment> assignments;
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') throw UsageError("unknown option " + ShownPath(a));
    const std::size_t equals = a.find('=');
    if (assignments.empty() && (equals == std::string::npos || ExistsOnDisk(a))) {
      paths.push_back(a);
      continue;
    }
    if (equals == std::string::npos || equals == 0)
      throw UsageError("expected LABEL=VALUE after the paths, not " + QuotedPath(a));
    assignments.push_back({a.substr(0, equals), a.substr(equals + 1), false});
  }
  if (!stdinLabel.empty())
    assignments.push_back({stdinLabel, ReadValueFromStdin(stdinLabel), true});
  if (paths.empty()) throw UsageError("expected at least one PATH, then LABEL=VALUE...");
  if (assignments.empty()) throw UsageError("expected at least one LABEL=VALUE after the paths");

  CheckCutOffRuns(paths, !dryRun);
  const std::vector<ConfigFile> files = ConfigFilesOfKind(paths, only);

  // Each label is looked up on the page of every kind the files are of: an assignment
  // goes to the pages that have its label, and a label no page has is a usage error.
  // Per kind, each action with its control's id and name.
  struct Typed {
    UserAction action;
    int id = 0;
    std::string name;
    bool withheld = false;  // the value came from stdin
  };
  std::map<ConfigKind, std::vector<Typed>> actions;
  std::map<ConfigKind, PageOfKind> pages;
  for (const ConfigFile& file : files)
    if (file.error.empty() && !pages.contains(file.kind))
      pages.emplace(file.kind, OpenPage(module, file.kind));
  for (const Assignment& assignment : assignments) {
    bool found = false;
    std::optional<std::string> unknown;
    for (const auto& [kind, page] : pages) {
      const LabelLookup lookup = LookUpLabel(page.controls, assignment.label);
      if (lookup.result == LabelLookup::Result::Ambiguous)
        throw UsageError(LabelErrorMessage(assignment.label, page.title, lookup));
      if (lookup.result == LabelLookup::Result::Unknown) {
        if (!unknown) unknown = LabelErrorMessage(assignment.label, page.title, lookup);
        continue;
      }
      found = true;
      const std::string name = UniqueLabel(page.controls, lookup.index);
      const ShownControl& control = page.controls[lookup.index];
      actions[kind].push_back({ActionFor(control, page.styles[lookup.index], assignment, name),
                               control.id, name, assignment.fromStdin});
    }
    if (!found) throw UsageError(unknown.value_or("no configuration to set " + assignment.label));
  }

  PageChange change;
  change.touches = [&](ConfigKind kind) { return actions.contains(kind); };
  change.play = [&](ScriptedBackend& ui, ConfigKind kind, std::vector<std::string>&) {
    for (const Typed& typed : actions.at(kind)) {
      // What the user cannot reach in this file, said by the name the user gave it.
      ui.Then([&ui, &typed] {
        if (!ui.TargetWindow()->IsEnabled(typed.id))
          throw UiRunAborted(QuotedToken(typed.name, TextBytes::Latin1) +
                             " is disabled on this page, so it cannot be set");
      });
      if (typed.withheld)
        ui.QueueWithheld(typed.action);
      else
        ui.Queue(typed.action);
    }
  };
  std::vector<std::string> words = {"set"};
  words.insert(words.end(), argsIn.begin(), argsIn.end());
  // Typed again, a value changes nothing where it is already: the command finishes
  // itself.
  return RunPageChange(module, files, change,
                       {"set", dryRun, json, review.quiet, review.palette, {std::move(words), {}}});
}
