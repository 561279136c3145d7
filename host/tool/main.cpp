// hcdtool: the host's configuration tool for handler modules.
#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "tool/module/ToolPaths.h"
#include "tool/output/Activity.h"
#include "tool/output/Pager.h"
#include "tool/output/ToolOutput.h"

namespace {

constexpr const char* kVersion = HCD_VERSION_NUMBER;

void PrintHelp(std::ostream& out) {
  out << "Usage: hcdtool [--module PATH] COMMAND [ARGS...]\n"
         "       hcdtool --help | --version\n"
         "       hcdtool COMMAND --help\n"
         "\n"
         "Loads a handler module the way the host does and speaks to it through its\n"
         "facets. The default module is the HCDKELO.hcd beside hcdtool, else the one in\n"
         "the folder of its host libraries (an installed copy). See man hcdtool.\n"
         "\n"
         "Options:\n"
         "  --module PATH   load this handler module instead (also --module=PATH)\n"
         "  --no-pager      never page the output (plan, diff and show page it on a\n"
         "                  terminal: HCDTOOL_PAGER, else PAGER, else less)\n"
         "  --help, -h      show this help and exit\n"
         "  --version       show the tool's version and exit\n"
         "\n"
         "Commands:\n";
  for (const Command& c : AllCommands()) {
    std::string line = std::string("  ") + c.name;
    if (*c.synopsis != '\0') line += std::string(" ") + c.synopsis;
    out << line << "\n      " << c.description << '\n';
  }
  out << "\n"
         "An empty FILE is a configuration that does not exist yet for the commands that\n"
         "make or look at one (edit, show, import-holidays): the page starts from its\n"
         "defaults. The others answer as the host does about a stored configuration, which\n"
         "is never an empty document, and refuse an empty file as one that does not parse.\n"
         "\n"
         "Exit codes: 0 done; 1 refused (invalid field, edit refused or cancelled, a file\n"
         "lint refused, git-setup kept another textconv, a file plan or diff found its page\n"
         "refuses) or, for diff, they differ; 2 bad command line; 3 a file, the\n"
         "configuration or the module could not be used (another edit holds the file, it\n"
         "changed behind the edit's back, the save failed, memory ran out), no window can be\n"
         "opened, or the output could not be written (a full disk, a closed pipe, a pager\n"
         "that failed). With --detailed-exitcode, plan and diff exit 0 when there is nothing\n"
         "to deploy, 4 for changes that restart no handler, 5 when a handler must restart (1\n"
         "and 3 as above). 129, 130, 143 an edit in the terminal ended by a hang-up, Ctrl+C\n"
         "or SIGTERM, nothing saved. set, apply, add-holidays and remove-holidays stopped by\n"
         "SIGINT, SIGTERM or SIGHUP before replacing any file exit with 128 plus the signal's\n"
         "number (130 for Ctrl+C), every file as it was.\n"
         "\n"
         "edit and choose-field show the pages in a window when a display answers, else in\n"
         "the terminal; --ui qt|terminal, or HCDTOOL_UI=qt|terminal, chooses.\n";
}

// One line, whatever the message holds: the names in it were shown by the rule of
// TextEscape.h where the message was made, and anything else that could break the
// line is escaped here.
void PrintError(const std::exception& e) {
  std::cerr << "hcdtool: " << ShownLine(e.what()) << '\n';
}

int Run(const std::vector<std::string>& args) {
  try {
    std::string modulePath = DefaultModulePath();
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (a == "--help" || a == "-h") {
        PrintHelp(std::cout);
        return kExitOk;
      }
      if (a == "--version") {
        std::cout << "hcdtool " << kVersion << '\n';
        return kExitOk;
      }
      if (a == "--no-pager") {
        ForbidPager();
        continue;
      }
      if (a == "--module") {
        if (i + 1 >= args.size()) throw UsageError("--module needs a PATH");
        modulePath = args[++i];
        continue;
      }
      if (a.rfind("--module=", 0) == 0) {
        modulePath = a.substr(9);
        continue;
      }
      if (a.rfind("-", 0) == 0)
        throw UsageError("unknown option " + ShownToken(a, TextBytes::Utf8) +
                         " (see hcdtool --help)");
      break;
    }
    if (i >= args.size()) throw UsageError("no command given (see hcdtool --help)");

    const Command* command = FindCommand(args[i]);
    if (command == nullptr)
      throw UsageError("unknown command " + QuotedToken(args[i], TextBytes::Utf8) +
                       " (see hcdtool --help)");
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                        args.end());
    for (const std::string& a : rest) {
      if (a == "--help" || a == "-h") {
        std::cout << "Usage: hcdtool [--module PATH] " << command->name << ' ' << command->synopsis
                  << "\n  " << command->description << '\n';
        return kExitOk;
      }
    }
    Module module(modulePath);
    return command->run(module, rest);
  } catch (const UsageError& e) {
    PrintError(e);
    return kExitUsage;
  } catch (const std::bad_alloc&) {
    // Never an empty or partial answer: the command stops, and says what it was at.
    PrintError(std::runtime_error(OutOfMemoryMessage()));
    return kExitFailure;
  } catch (const std::exception& e) {
    PrintError(e);
    return kExitFailure;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that went away is a failed write like any other: reported, never a
  // silent death by signal.
  std::signal(SIGPIPE, SIG_IGN);
  ToolOutput output(std::cout);
  int code = Run(std::vector<std::string>(argv + 1, argv + argc));
  // Output that did not arrive is a failure whatever the command answered, unless
  // the command failed already and said why.
  if (!output.Flush() && code < kExitUsage) {
    PrintError(OutputError(output.Error()));
    code = kExitFailure;
  }
  // The run ends when the person has read the output.
  if (const std::string failed = FinishPager(); !failed.empty() && code < kExitUsage) {
    PrintError(std::runtime_error(failed));
    code = kExitFailure;
  }
  return code;
}
