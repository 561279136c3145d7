#include "tool/Commands.h"

#include <array>

namespace {

constexpr std::array kCommands = {
    Command{"info", "[--json]",
            "identity answers of the handler class and the module's version record", RunInfo},
    Command{"summary", "[--handler|--static|--dynamic] FILE [--json]",
            "the configuration's summary line, then its item count", RunSummary},
    Command{"check-change", "[--handler|--static|--dynamic] OLD NEW [--json]",
            "what changing OLD into NEW requires, as the change action number", RunCheckChange},
    Command{"validate-field", "NAME [--party] [--json]",
            "exit 0 when the field name is accepted; exit 1 with the refusal text",
            RunValidateField},
    Command{"describe-persist", "--version N [--flag] FILE [--json]",
            "the name: value pairs of a persisted record block, then the bytes described",
            RunDescribePersist},
    Command{"edit", "[--handler|--static|--dynamic] [FILE] [--ui qt|terminal | --script SCRIPT]",
            "edit FILE on the module's page; OK saves it, Cancel leaves it (exit 1); the kind "
            "from FILE's place when no option gives it; without FILE, a file chooser asks for "
            "one; in a window, or in the terminal when no display answers (--ui chooses); "
            "with a script, headless",
            RunEdit},
    Command{"choose-field", "[--party] [--ui qt|terminal | --script SCRIPT]",
            "run the module's field chooser and print the chosen name (empty after Cancel)",
            RunChooseField},
    Command{"holidays", "CURRENCY YEAR [--json]",
            "what \"Add holiday of year\" adds to an empty list, one DATEKEY REMARK line each, "
            "learnt through the module's holiday setting dialog",
            RunHolidays},
    Command{"plan",
            "(OLD NEW | --git REV [TREE]) [--json] [--detailed-exitcode] [--quiet] "
            "[--color[=WHEN]] [--no-pager]",
            "compare two configuration trees: per file the change action and the properties "
            "that differ, per handler folder restart or not and the record sets to refresh; "
            "with --git, TREE (default: the current folder) as committed at REV, read through "
            "git, against TREE as it is; the totals last; --detailed-exitcode: 0 nothing to "
            "deploy, 4 changes, 5 a handler restarts",
            RunPlan},
    Command{"lint", "PATH... [--handler|--static|--dynamic] [--json]",
            "press OK on the page of every configuration under the paths, without a window; "
            "report each refusal with the page's message (exit 1); nothing is written",
            RunLint},
    Command{"show",
            "FILE [--handler|--static|--dynamic] [--json] [--year YEAR [--currency CUR]] "
            "[--textconv] [--no-pager]",
            "the configuration as its page shows it, a line per control (label: value), a "
            "handler's holidays per currency, then what the page does not show; with --year, "
            "that year as a twelve-month grid with the holidays marked; --textconv for git",
            RunShow},
    Command{"diff",
            "(OLD NEW | --git REV [TREE]) [--handler|--static|--dynamic] [--json] "
            "[--detailed-exitcode] [--quiet] [--color[=WHEN]] [--no-pager]",
            "two files or two trees as a reviewer reads the change: plan's entries and verdicts, "
            "each changed value as LABEL: OLD \u2192 NEW (a password as changed), holidays "
            "added, removed and changed; exit 1 when they differ; --git and "
            "--detailed-exitcode as for plan",
            RunDiff},
    Command{"git-setup", "[--replace] [REPO]",
            "make show the textconv of a configuration tree kept in git (default: the current "
            "folder's repository): adds the .gitattributes lines, sets the git config and the "
            "clone's password digest key, and says what it wrote; another textconv is kept "
            "unless --replace",
            RunGitSetup},
    Command{"get", "FILE (LABEL | --labels | --currencies) [--handler|--static|--dynamic] [--json]",
            "one value of the configuration as show prints it, which set takes back, the control "
            "named by the label show prints (case, blanks and the closing colon or dot aside; "
            "GROUP/LABEL when two controls share it); --labels lists the labels, --currencies "
            "the currencies of the holiday calendar",
            RunGet},
    Command{
        "set",
        "PATH... LABEL=VALUE... [--stdin LABEL] [--kind KIND] [--dry-run] [--json] [--quiet] "
        "[--color[=WHEN]]",
        "type the values into the pages of the files under the paths, by the labels show "
        "prints, then OK, so that the pages' checks apply; all or nothing: no file is "
        "replaced before every page accepted and every new file is written aside; prints "
        "the review diff and the totals; --stdin reads one value (a password) from stdin, "
        "asked for twice at a terminal; --kind handler|static|dynamic reaches the files of that "
        "kind only; --dry-run writes nothing",
        RunSet},
    Command{"apply",
            "SCRIPT PATH... [--handler|--static|--dynamic | --kind KIND] [--dry-run] [--json] "
            "[--quiet] "
            "[--color[=WHEN]]",
            "play the edit SCRIPT on the page of every file under the paths (of the kind given, "
            "else all), then OK if the script left the page open; all or nothing, with the "
            "review diff and the totals as set prints them",
            RunApply},
    Command{"add-holidays",
            "PATH... --currency C [--currency C]... [--year Y] [--file CAL] "
            "[--date YYYY-MM-DD] [--mark] [--kind handler] [--dry-run] [--json] [--quiet] "
            "[--color[=WHEN]]",
            "add to each currency C of every handler configuration under the paths the year's "
            "rule holidays (\"Add holiday of year\"), a calendar file's dates (\"Import...\") "
            "and one date (\"Add\"), through the holiday setting dialog, all or nothing; "
            "\"Suppress output during bank holiday\" is marked only with --mark, and a file "
            "where it is unmarked is named",
            RunAddHolidays},
    Command{"remove-holidays",
            "PATH... --currency C [--currency C]... [--year Y] [--date YYYY-MM-DD] [--all] "
            "[--mark] [--kind handler] [--dry-run] [--json] [--quiet] [--color[=WHEN]]",
            "remove from each currency C of every handler configuration under the paths the "
            "dates of a year, one date, or all (\"Remove All\"), through the holiday setting "
            "dialog, all or nothing",
            RunRemoveHolidays},
    Command{"import-holidays", "CONFIG CURRENCY FILE [--dry-run]",
            "add the dates of an iCalendar or CSV FILE to CURRENCY through the holiday setting "
            "dialog's \"Import...\", save CONFIG and print the dialog's report; --dry-run "
            "prints what would be added and writes nothing",
            RunImportHolidays},
    Command{"export-holidays", "CONFIG CURRENCY FILE",
            "write the holidays of CURRENCY to FILE (.ics or .csv) through the holiday setting "
            "dialog's \"Export...\" and print its report",
            RunExportHolidays},
    Command{"tour", "[--out DIR]",
            "the main job on the bundled examples, headless: identity, the pages as PNGs in DIR "
            "(default hcdtool-tour), a scripted edit, a persisted block",
            RunTour},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

const Command* FindCommand(const std::string& name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}
