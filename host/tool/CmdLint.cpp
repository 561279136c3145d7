// lint PATH...: whether each configuration's page accepts it, found the way a user
// would, by pressing OK on the page, without a window and without saving anything.
#include <algorithm>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>

#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/batch/PageChange.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/module/PageCheck.h"
#include "tool/output/Activity.h"
#include "tool/output/JsonOutput.h"
#include "tool/output/Progress.h"
#include "tool/output/ToolOutput.h"
#include "tool/plan/ConfigFiles.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

using LintFile = ConfigFile;

// The control a refusing page gave the focus to, as the user sees it: its own
// caption, or the label in front of it.
struct NamedControl {
  int id = 0;
  std::string label;
};

struct LintResult {
  bool ok = true;
  std::optional<std::string> message;
  std::optional<int> line;  // for a file that does not parse
  std::optional<NamedControl> control;
  bool fromPage = false;   // the message is the page's own text (ISO-8859-1)
  bool namesFile = false;  // the message starts with the file's path already
};

// Presses OK on the file's page and tells what the page said.
LintResult PressOkOn(Module& module, ConfigKind kind, CHandlerPrivateProps& bag) {
  LintResult result;
  const std::optional<PageRefusal> refused = PressOk(module, kind, bag);
  if (!refused) return result;
  result.ok = false;
  result.fromPage = true;
  result.message = refused->message;
  if (refused->controlId)
    result.control = NamedControl{*refused->controlId, refused->controlCaption};
  return result;
}

LintResult Lint(Module& module, const LintFile& file) {
  if (!file.error.empty()) {
    LintResult result;
    result.ok = false;
    result.message = file.error;
    result.namesFile = true;
    return result;
  }
  // Running out of memory is no finding about the file: the whole run fails, saying
  // where.
  const Activity linting("linting " + ShownPath(file.path.string()));
  CHandlerPrivateProps bag;
  try {
    bag = ReadConfiguration(file.path, EmptyIs::Refused);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const ConfigurationError& e) {
    LintResult result;
    result.ok = false;
    result.message = e.Reason();
    if (e.Line() > 0) result.line = e.Line();
    return result;
  } catch (const std::exception& e) {
    LintResult result;
    result.ok = false;
    result.message = e.what();
    result.namesFile = true;
    return result;
  }
  try {
    return PressOkOn(module, file.kind, bag);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    // Whatever stops the page stops this file only: the --json document stays whole.
    LintResult result;
    result.ok = false;
    result.message = e.what();
    return result;
  }
}

// Renders the results, one reporter per output format.
class LintReporter {
 public:
  virtual ~LintReporter() = default;
  virtual void File(const LintFile& file, const LintResult& result) = 0;
  virtual void End() = 0;
};

// A line for each file not accepted, nothing for the others.
class TextLintReporter : public LintReporter {
 public:
  void File(const LintFile& file, const LintResult& result) override {
    if (result.ok) return;
    if (!result.namesFile) std::cout << ShownPath(file.shown) << ": ";
    // A page's message is the module's stored text; any other was made by the tool,
    // its names shown already.
    std::cout << (result.fromPage ? ShownStored(*result.message) : ShownLine(*result.message));
    if (result.control) {
      std::cout << " [control " << result.control->id;
      if (!result.control->label.empty())
        std::cout << ' ' << QuotedToken(result.control->label, TextBytes::Latin1);
      std::cout << ']';
    }
    std::cout << '\n';
  }
  void End() override { FlushOutput(std::cout); }
};

// {"files": [...]}, an entry for every file.
class JsonLintReporter : public LintReporter {
 public:
  void File(const LintFile& file, const LintResult& result) override {
    Json control = nullptr;
    if (result.control)
      control = Json{{"id", result.control->id}, {"label", JsonLatin1(result.control->label)}};
    // A page's message is a text of the module; a parse error is one of the tool's.
    Json message = nullptr;
    if (result.message)
      message = result.fromPage ? JsonLatin1(*result.message) : JsonText(*result.message);
    list_.Add(Json{{"path", JsonText(file.shown)},
                   {"kind", KindName(file.kind)},
                   {"ok", result.ok},
                   {"message", std::move(message)},
                   {"line", result.line ? Json(*result.line) : Json(nullptr)},
                   {"control", std::move(control)}});
  }
  void End() override { list_.Finish(); }

 private:
  JsonFileList list_{std::cout};
};

}  // namespace

int RunLint(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  std::optional<ConfigKind> kind;
  for (const char* option : {"--handler", "--static", "--dynamic"}) {
    if (std::find(args.begin(), args.end(), option) != args.end()) {
      kind = TakeConfigKind(args);
      break;
    }
  }
  if (args.empty()) throw UsageError("expected at least one PATH");
  ExpectPositional(args, args.size(), "PATH...");

  // A change of many files cut off in this tree is said first: which files it replaced.
  const bool cutOff = CheckCutOffRuns(args, false);
  const std::vector<LintFile> files = ConfigFilesOf(args, kind);
  module.PropertyPages();

  std::unique_ptr<LintReporter> reporter;
  if (json)
    reporter = std::make_unique<JsonLintReporter>();
  else
    reporter = std::make_unique<TextLintReporter>();
  Progress progress("lint", files.size());
  bool allAccepted = true;
  for (const LintFile& file : files) {
    const LintResult result = Lint(module, file);
    allAccepted = allAccepted && result.ok;
    reporter->File(file, result);
    progress.Step();
  }
  reporter->End();
  // A tree a change was cut off in holds old and new files side by side: not what
  // anyone meant, whatever each page says of its file.
  return allAccepted && !cutOff ? kExitOk : kExitRefused;
}
