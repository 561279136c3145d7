// git-setup [REPO]: makes `show` the textconv of the configuration files of a git
// repository, so that git diff and git log -p read like show.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <sstream>

#include "files/AtomicSave.h"
#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/GitCommand.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"

namespace {

// One kind of configuration file: where the tree keeps it, and its diff driver.
struct Driver {
  const char* pattern;
  const char* name;
  const char* textconv;
};

constexpr std::array<Driver, 3> kDrivers = {
    Driver{"handler.xml", "hcd-handler", "hcdtool show --handler"},
    Driver{"**/static/*.xml", "hcd-static", "hcdtool show --static"},
    Driver{"**/dynamic/*.xml", "hcd-dynamic", "hcdtool show --dynamic"},
};

std::string Trimmed(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Git(const std::vector<std::string>& args, const std::string& what) {
  const GitResult result = RunGit(args);
  if (result.exitCode != 0) {
    std::string why = Trimmed(result.err);
    if (const std::size_t end = why.find('\n'); end != std::string::npos) why.resize(end);
    throw std::runtime_error(what + ": " + (why.empty() ? "git failed" : why));
  }
  return result.out;
}

}  // namespace

int RunGitSetup(Module&, const std::vector<std::string>& args) {
  ExpectPositional(args, args.size(), "at most one REPO");
  if (args.size() > 1) throw UsageError("expected at most one REPO");
  const std::string repo = args.empty() ? "." : args[0];

  std::string top = Trimmed(Git({"-C", repo, "rev-parse", "--show-toplevel"},
                                ShownToken(repo, TextBytes::Utf8) + " is not a git work tree"));
  const std::string attributes = top + "/.gitattributes";
  std::string content;
  if (::access(attributes.c_str(), F_OK) == 0) content = ReadInputFile(attributes);
  std::istringstream lines(content);
  std::vector<std::string> present;
  for (std::string line; std::getline(lines, line);) present.push_back(Trimmed(line));

  std::string added;
  std::ostringstream report;
  for (const Driver& driver : kDrivers) {
    const std::string line = std::string(driver.pattern) + " diff=" + driver.name;
    const bool there = std::find(present.begin(), present.end(), line) != present.end();
    if (!there) added += line + "\n";
    report << (there ? "kept in " : "added to ") << ShownToken(attributes, TextBytes::Utf8) << ": "
           << line << '\n';
  }
  if (!added.empty()) {
    if (!content.empty() && content.back() != '\n') content += '\n';
    SaveFileAtomically(attributes, content + added);
  }
  for (const Driver& driver : kDrivers) {
    const std::string key = std::string("diff.") + driver.name + ".textconv";
    Git({"-C", repo, "config", key, driver.textconv}, "cannot set " + key);
    report << "set in the repository's git config: " << key << " \"" << driver.textconv << "\"\n";
  }
  std::cout << report.str();
  FlushOutput(std::cout);
  return kExitOk;
}
