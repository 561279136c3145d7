// git-setup [REPO]: makes `show` the textconv of the configuration files of a git
// repository, so that git diff and git log -p read like show.
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "files/AtomicSave.h"
#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/output/ToolOutput.h"
#include "tool/review/GitCommand.h"
#include "tool/review/PasswordDigest.h"

namespace fs = std::filesystem;

namespace {

// One kind of configuration file: where the tree keeps it, its diff driver, and the
// kind option of show.
struct Driver {
  std::string pattern;
  std::string name;
  std::string kind;
};

std::vector<Driver> Drivers() {
  std::vector<Driver> drivers;
  for (const ConfigKind kind : kConfigKinds) {
    const std::string pattern = FolderOf(kind) == nullptr
                                    ? std::string(kHandlerFileName)
                                    : std::string("**/") + FolderOf(kind) + "/*" + kRecordSetEnding;
    drivers.push_back(
        {pattern, std::string("hcd-") + KindName(kind), std::string("--") + KindName(kind)});
  }
  return drivers;
}

std::string Trimmed(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Git(const std::vector<std::string>& args, const std::string& what) {
  const GitResult result = RunGit(args);
  if (result.exitCode != 0) {
    throw std::runtime_error(what + ": " + GitMessage(result));
  }
  return result.out;
}

// A setting's one value; nothing when it is not set. A setting with several values is
// refused: which one git would use for a driver is not for the tool to guess.
std::optional<std::string> ConfigValue(const std::string& repo, const std::string& key) {
  const GitResult got = RunGit({"-C", repo, "config", "--local", "--get-all", key});
  if (got.exitCode == 1) return std::nullopt;
  if (got.exitCode == 0 && std::count(got.out.begin(), got.out.end(), '\n') > 1)
    throw std::runtime_error("the repository's git config holds several values of " + key +
                             ": remove all but one (git config --local --unset-all " + key +
                             "), then run git-setup again");
  if (got.exitCode != 0)
    throw std::runtime_error("cannot read " + key + " from the git config: " + GitMessage(got));
  std::string value = got.out;
  if (!value.empty() && value.back() == '\n') value.pop_back();
  return value;
}

// A word for the shell git runs a textconv through.
std::string ShellWord(const std::string& word) {
  if (!word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              "0123456789/._-+,:@") == std::string::npos)
    return word;
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The program git is to run: "hcdtool" when the one on PATH is this very tool, else
// this tool by its own path, so that the textconv never runs another copy or none.
std::string ToolCommand(std::string& why) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "hcdtool";
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const fs::path candidate = fs::path(folder.empty() ? "." : folder) / "hcdtool";
    if (::access(candidate.c_str(), X_OK) != 0) continue;
    if (fs::equivalent(candidate, self, ec)) return "hcdtool";
    why = "the hcdtool on PATH (" + ShownPath(candidate.string()) + ") is another copy";
    return ShellWord(self.string());
  }
  why = "no hcdtool is on PATH";
  return ShellWord(self.string());
}

// Whether value is a textconv git-setup wrote, in this or an earlier form, for the
// kind option: then it may be brought up to date without asking.
bool WrittenByGitSetup(const std::string& value, const std::string& kind) {
  std::istringstream words(value);
  std::string program;
  words >> program;
  std::string rest;
  std::getline(words, rest);
  rest = Trimmed(rest);
  if (!program.empty() && program.front() == '\'' && program.back() == '\'')
    program = program.substr(1, program.size() - 2);
  return fs::path(program).filename() == "hcdtool" &&
         (rest == "show " + kind || rest == "show --textconv " + kind);
}

std::string NewKey() {
  unsigned char bytes[32];
  for (std::size_t got = 0; got < sizeof bytes;) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      throw std::runtime_error(std::string("cannot make a digest key: ") + std::strerror(errno));
    got += static_cast<std::size_t>(n);
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string key;
  for (const unsigned char b : bytes) {
    key += kDigits[b >> 4];
    key += kDigits[b & 0xF];
  }
  return key;
}

}  // namespace

int RunGitSetup(Module&, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool replace = TakeFlag(args, "--replace");
  ExpectPositional(args, args.size(), "at most one REPO");
  if (args.size() > 1) throw UsageError("expected at most one REPO");
  const std::string repo = args.empty() ? "." : args[0];

  // Everything is looked at before anything is written, so that a refusal leaves the
  // repository as it was.
  const std::string top = Trimmed(Git({"-C", repo, "rev-parse", "--show-toplevel"},
                                      ShownPath(repo) + " is not a git work tree"));
  const std::string attributes = top + "/.gitattributes";
  const std::string shownAttributes = ShownPath(attributes);
  struct stat link {};
  if (::lstat(attributes.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
    throw std::runtime_error(shownAttributes +
                             " is a symbolic link, which git does not follow for it; make it a "
                             "file, then run git-setup again");
  std::string content;
  if (::access(attributes.c_str(), F_OK) == 0) content = ReadInputFile(attributes);
  std::istringstream lines(content);
  std::vector<std::string> present;
  for (std::string line; std::getline(lines, line);) present.push_back(Trimmed(line));

  std::string added;
  std::ostringstream report;
  const std::vector<Driver> drivers = Drivers();
  for (const Driver& driver : drivers) {
    const std::string line = driver.pattern + " diff=" + driver.name;
    const bool there = std::find(present.begin(), present.end(), line) != present.end();
    if (!there) added += line + "\n";
    report << (there ? "kept in " : "added to ") << shownAttributes << ": " << line << '\n';
  }
  if (!added.empty()) CheckSaveTarget(attributes);

  std::string gitDir = Trimmed(Git({"-C", repo, "rev-parse", "--git-common-dir"},
                                   "cannot find the repository's git folder"));
  if (!gitDir.empty() && gitDir.front() != '/') gitDir = top + "/" + gitDir;
  const std::string configFile = gitDir + "/config";

  std::string why;
  const std::string program = ToolCommand(why);
  std::vector<std::pair<std::string, std::string>> settings;
  std::vector<std::string> foreign;
  for (const Driver& driver : drivers) {
    const std::string key = "diff." + driver.name + ".textconv";
    const std::string value = program + " show --textconv " + driver.kind;
    const std::optional<std::string> old = ConfigValue(repo, key);
    if (old && *old == value) {
      report << "kept in the repository's git config: " << key << " \""
             << EscapeText(value, TextBytes::Utf8) << "\"\n";
      continue;
    }
    if (old && !WrittenByGitSetup(*old, driver.kind) && !replace) {
      foreign.push_back(key + " \"" + EscapeText(*old, TextBytes::Utf8) + "\"");
      continue;
    }
    settings.emplace_back(key, value);
  }
  if (!foreign.empty()) {
    // Another textconv was set by someone on purpose: kept, and nothing is written.
    std::string message = "the repository's git config sets ";
    for (std::size_t i = 0; i < foreign.size(); ++i) message += (i ? ", " : "") + foreign[i];
    std::cerr << "hcdtool: "
              << ShownLine(message + " already; nothing was written (give --replace to replace " +
                           (foreign.size() == 1 ? "it" : "them") + ")")
              << '\n';
    return kExitRefused;
  }
  const bool newKey = !ConfigValue(repo, kDigestKeySetting);
  if (!settings.empty() || newKey) CheckSaveTarget(configFile);

  if (!added.empty()) {
    if (!content.empty() && content.back() != '\n') content += '\n';
    SaveFileAtomically(attributes, content + added);
  }
  for (const auto& [key, value] : settings) {
    Git({"-C", repo, "config", "--local", key, value}, "cannot set " + key);
    report << "set in the repository's git config: " << key << " \""
           << EscapeText(value, TextBytes::Utf8) << "\"\n";
  }
  if (newKey) {
    Git({"-C", repo, "config", "--local", kDigestKeySetting, NewKey()},
        std::string("cannot set ") + kDigestKeySetting);
    report << "set in the repository's git config: " << kDigestKeySetting
           << " (a new random key for the password digests; it stays in this clone)\n";
  } else {
    report << "kept in the repository's git config: " << kDigestKeySetting << '\n';
  }
  if (!why.empty())
    report << "note: the textconv runs this hcdtool by its path, since " << why << '\n';
  std::cout << report.str();
  FlushOutput(std::cout);
  return kExitOk;
}
