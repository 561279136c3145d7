// lint PATH...: whether each configuration's page accepts it, found the way a user
// would, by pressing OK on the page, without a window and without saving anything.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"
#include "text/TextEscape.h"
#include "tool/Activity.h"
#include "tool/Commands.h"
#include "tool/ConfigTree.h"
#include "tool/ControlLabel.h"
#include "tool/JsonOutput.h"
#include "tool/Module.h"
#include "tool/Progress.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"
#include "ui/scripted/ScriptedBackend.h"

namespace fs = std::filesystem;

namespace {

// A file to lint, or a folder of a tree that could not be read (shown then ends in
// "/" and error says why).
struct LintFile {
  fs::path path;
  std::string shown;  // the path as the output names it
  ConfigKind kind = ConfigKind::Handler;
  std::string error;
};

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
LintResult PressOk(Module& module, ConfigKind kind, CHandlerPrivateProps& bag) {
  LintResult result;
  ActionTrace ok;
  // The bag is never saved; the page goes back unaccepted all the same, so the module
  // writes nothing into it either.
  const bool accepted = module.Play(kind, bag, [&](ScriptedBackend& ui) {
    ui.Queue(user::Close{true}, &ok);
    // Runs only when the page refused and its sheet is still open: the focus then
    // rests on the control the refusal is about.
    ui.Then([&] {
      if (const ScriptedWindow* page = ui.TargetWindow(); page != nullptr) {
        const int id = page->FocusedControl();
        if (const ControlTemplate* focused = page->Template().FindControl(id))
          result.control = NamedControl{id, ControlLabel(page->Template(), *focused)};
      }
    });
  });
  if (accepted) return result;
  result.ok = false;
  result.fromPage = true;
  if (!ok.messages.empty()) {
    result.message = ok.messages.back().request.text;
  } else {
    result.message = "the page refused without a message";
  }
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
  const Activity linting("linting " + ShownToken(file.path.string(), TextBytes::Utf8));
  CHandlerPrivateProps bag;
  try {
    bag.fromXML(ReadInputFile(file.path));
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const XmlError& e) {
    LintResult result;
    result.ok = false;
    result.message = e.what();
    if (e.line() > 0) result.line = e.line();
    return result;
  } catch (const std::exception& e) {
    LintResult result;
    result.ok = false;
    result.message = e.what();
    result.namesFile = true;
    return result;
  }
  try {
    return PressOk(module, file.kind, bag);
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

std::vector<LintFile> FilesOf(const std::vector<std::string>& paths,
                              const std::optional<ConfigKind>& kind) {
  std::vector<LintFile> files;
  for (const std::string& path : paths) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
      throw std::runtime_error(ShownToken(path, TextBytes::Utf8) + ": no such file or folder");
    if (ec) throw std::runtime_error(ShownToken(path, TextBytes::Utf8) + ": " + ec.message());
    if (!fs::is_directory(status)) {
      files.push_back({path, path, KindOfPlace(path, kind), {}});
      continue;
    }
    const ConfigTree tree = ConfigTree::Scan(path, std::cerr);
    // "." names the tree the user stands in: its files are named from it, "desk/..."
    // rather than "./desk/...".
    std::string root = fs::path(path).lexically_normal().generic_string();
    if (root == "." || root == "./")
      root.clear();
    else if (!root.ends_with('/'))
      root += '/';
    const std::size_t before = files.size();
    for (const ConfigTree::HandlerFolder& folder : tree.Folders()) {
      const auto add = [&](ConfigKind k, const std::string& name) {
        const std::string relative = TreePath(folder.name, k, name);
        files.push_back({tree.Root() / relative, root + relative, k, {}});
      };
      // What could not be read is an entry of its own, never a folder left out.
      const auto unread = [&](ConfigKind k, const std::string& inside, const std::string& error) {
        const std::string relative = TreeFolderPath(folder.name, inside);
        files.push_back({tree.Root() / relative, root + relative, k, error});
      };
      if (!folder.error.empty()) {
        unread(ConfigKind::Handler, "", folder.error);
        continue;
      }
      if (folder.hasHandler) add(ConfigKind::Handler, "");
      if (!folder.statics.error.empty()) unread(ConfigKind::Static, "static", folder.statics.error);
      for (const std::string& name : folder.statics.names) add(ConfigKind::Static, name);
      if (!folder.dynamics.error.empty())
        unread(ConfigKind::Dynamic, "dynamic", folder.dynamics.error);
      for (const std::string& name : folder.dynamics.names) add(ConfigKind::Dynamic, name);
    }
    // A path one folder too high or too low would check nothing and pass.
    if (files.size() == before) throw std::runtime_error(NoConfigurationMessage(path));
  }
  return files;
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
    if (!result.namesFile) std::cout << ShownToken(file.shown, TextBytes::Utf8) << ": ";
    // A page's message is the module's stored text; any other was made by the tool,
    // its names shown already.
    std::cout << (result.fromPage ? EscapeText(*result.message, TextBytes::Latin1)
                                  : ShownLine(*result.message));
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

  const std::vector<LintFile> files = FilesOf(args, kind);
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
  return allAccepted ? kExitOk : kExitRefused;
}
