#include "tool/batch/PageChange.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "files/AtomicSave.h"
#include "files/EditedFile.h"
#include "files/FileOps.h"
#include "files/OpenFileLimit.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/ToolError.h"
#include "tool/batch/Interrupts.h"
#include "tool/batch/Journal.h"
#include "tool/batch/Replacement.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/output/Activity.h"
#include "tool/output/JsonOutput.h"
#include "tool/output/Progress.h"
#include "tool/output/ToolOutput.h"
#include "tool/review/ConfigurationView.h"
#include "tool/review/ViewDifference.h"
#include "tool/review/ViewOutput.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptedBackend.h"

namespace fs = std::filesystem;

namespace {

// Descriptors a run needs beside the files it holds: the standard streams, the
// module, a file being read, a temporary being written, a folder being synced.
constexpr rlim_t kSpareDescriptors = 24;

// Every file of an all-or-nothing change stays locked, and so open, until the last
// is replaced: the soft limit of open files is raised to the hard one, and a run that
// would still exceed it is refused before it starts.
void MakeRoomToHold(std::size_t files) {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
  if (limit.rlim_cur != limit.rlim_max) {
    struct rlimit raised = limit;
    raised.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
  }
  if (limit.rlim_cur == RLIM_INFINITY || files + kSpareDescriptors <= limit.rlim_cur) return;
  throw std::runtime_error("cannot change " + std::to_string(files) +
                           " files all or nothing: each is held open until the last is "
                           "replaced, and " +
                           OpenFileLimitText() + "; allow at least " +
                           std::to_string(files + kSpareDescriptors) +
                           ", or change fewer files at a time");
}

enum class Status { Changed, Unchanged, Refused, Failed };

const char* StatusWord(Status status) {
  switch (status) {
    case Status::Changed:
      return "changed";
    case Status::Unchanged:
      return "unchanged";
    case Status::Refused:
      return "refused";
    case Status::Failed:
      return "failed";
  }
  return "";
}

struct FileResult {
  Status status = Status::Unchanged;
  std::string message;    // why refused or failed
  bool fromPage = false;  // the message is the page's own (ISO-8859-1)
  std::vector<std::string> notes;
  ViewDifference difference;
};

struct Totals {
  std::size_t changed = 0, unchanged = 0, refused = 0, failed = 0;

  void Count(Status status) {
    switch (status) {
      case Status::Changed:
        ++changed;
        break;
      case Status::Unchanged:
        ++unchanged;
        break;
      case Status::Refused:
        ++refused;
        break;
      case Status::Failed:
        ++failed;
        break;
    }
  }
  std::string Line() const {
    std::string line = std::to_string(changed) + " changed, " + std::to_string(unchanged) +
                       " unchanged, " + std::to_string(refused) + " refused";
    if (failed > 0) line += ", " + std::to_string(failed) + " failed";
    return line;
  }
  Json ToJson() const {
    return Json{
        {"changed", changed}, {"unchanged", unchanged}, {"refused", refused}, {"failed", failed}};
  }
};

// Renders the review, one reporter per output format.
class ChangeReporter {
 public:
  virtual ~ChangeReporter() = default;
  virtual void File(const ConfigFile& file, const FileResult& result) = 0;
  // After every file was prepared, before any is replaced.
  virtual void Review() = 0;
  // written: whether the files were replaced.
  virtual void End(const Totals& totals, bool written, bool interrupted) = 0;
};

// The same change in many files shown once, below the list of those files; then the
// files refused or failed and the notes, then the totals.
class TextChangeReporter : public ChangeReporter {
 public:
  TextChangeReporter(bool dryRun, bool quiet, const Palette& palette)
      : dryRun_(dryRun), quiet_(quiet), palette_(palette) {}

  void File(const ConfigFile& file, const FileResult& result) override {
    const std::string shown = ShownPath(file.shown);
    for (const std::string& note : result.notes)
      notes_.push_back(shown + ": note: " + ShownStored(note));
    if (result.status == Status::Refused || result.status == Status::Failed) {
      problems_.push_back(
          shown + ": " + StatusWord(result.status) + ": " +
          (result.fromPage ? ShownStored(result.message) : ShownLine(result.message)));
      return;
    }
    if (result.status != Status::Changed) return;
    if (quiet_) return;
    std::ostringstream lines;
    PrintDifference(result.difference, lines, palette_);
    auto [at, added] = groups_.try_emplace(lines.str(), order_.size());
    if (added) order_.push_back({lines.str(), {}});
    order_[at->second].second.push_back(shown);
  }

  void Review() override {
    if (quiet_) {
      // The exit status says that something failed; these lines say which file.
      for (const std::string& line : problems_) std::cerr << "hcdtool: " << line << '\n';
      for (const std::string& line : notes_) std::cerr << "hcdtool: " << line << '\n';
      return;
    }
    for (const auto& [lines, files] : order_) {
      for (const std::string& file : files) std::cout << palette_.Header(file) << '\n';
      std::cout << lines;
    }
    for (const std::string& line : problems_) std::cout << palette_.Old(line) << '\n';
    for (const std::string& line : notes_) std::cout << line << '\n';
    FlushOutput(std::cout);
  }

  void End(const Totals& totals, bool written, bool interrupted) override {
    if (interrupted || quiet_) return;
    std::string line = totals.Line();
    if (dryRun_)
      line += " (dry run: nothing was written)";
    else if (!written && totals.changed > 0)
      line += "; nothing was written";
    std::cout << line << '\n';
    FlushOutput(std::cout);
  }

 private:
  bool dryRun_;
  bool quiet_;
  Palette palette_;
  std::map<std::string, std::size_t> groups_;
  std::vector<std::pair<std::string, std::vector<std::string>>> order_;
  std::vector<std::string> problems_;
  std::vector<std::string> notes_;
};

// {"files": [...], "totals": {...}, "written": ..., "interrupted": ...}, an entry for
// every file the change touches, written as it is prepared.
class JsonChangeReporter : public ChangeReporter {
 public:
  void File(const ConfigFile& file, const FileResult& result) override {
    Json notes = Json::array();
    for (const std::string& note : result.notes) notes.push_back(JsonLatin1(note));
    Json entry = Json{{"path", JsonText(file.shown)},
                      {"kind", KindName(file.kind)},
                      {"status", StatusWord(result.status)},
                      {"message", result.message.empty() ? Json(nullptr)
                                  : result.fromPage      ? JsonLatin1(result.message)
                                                         : JsonText(result.message)},
                      {"notes", std::move(notes)}};
    AddDifferenceJson(result.difference, entry);
    list_.Add(entry);
  }
  void Review() override {}
  void End(const Totals& totals, bool written, bool interrupted) override {
    list_.Finish(
        Json{{"totals", totals.ToJson()}, {"written", written}, {"interrupted", interrupted}});
  }

 private:
  JsonFileList list_{std::cout};
};

// The files held and their new contents, until they are replaced or dropped.
struct Held {
  std::vector<std::unique_ptr<EditedFile>> files;
  std::vector<PreparedFile> prepared;
};

class Runner {
 public:
  Runner(Module& module, const PageChange& change) : module_(module), change_(change) {}

  // Plays the change on one file; keeps it held and its new content aside when it
  // changes and writeAside says so.
  FileResult Prepare(const ConfigFile& file, bool writeAside, Held& held) {
    FileResult result;
    if (!file.error.empty()) return Failed(file.error);
    const Activity preparing("changing " + ShownPath(file.shown));
    const std::string path = file.path.string();
    std::unique_ptr<EditedFile> edited;
    CHandlerPrivateProps bag;
    try {
      // What the replacement could not replace is refused by PrepareSave, before
      // anything is written aside.
      edited = std::make_unique<EditedFile>(path);
      if (!edited->Existed()) return Failed(QuotedPath(file.shown) + ": it no longer exists");
      bag = ParseConfiguration(path, edited->Content(), EmptyIs::Refused);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      return Failed(e.what());
    }

    ConfigurationView before;
    ActionTrace ok;
    std::function<void()> finish;
    bool accepted = false;
    try {
      if (change_.calendar) before = ViewConfiguration(module_, file.kind, bag, true);
      accepted = module_.Play(
          file.kind, bag,
          [&](ScriptedBackend& ui) {
            if (!change_.calendar)
              ui.Then([&] {
                const ScriptedWindow& page = *ui.TargetWindow();
                before.title = page.Template().title;
                before.controls = ShownControls(page);
              });
            change_.play(ui, file.kind, result.notes);
            // OK once the user's actions are all done, those that steps queued as they
            // ran included, if they left the sheet open.
            finish = [&ui, &ok, &finish] {
              if (ui.HasPending()) {
                ui.Then(finish);
              } else if (ui.TargetWindow() != nullptr) {
                ui.Queue(user::Close{true}, &ok);
              }
            };
            ui.Then(finish);
          },
          Module::Keep::WhenAccepted);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const UiRunAborted& e) {
      // What the user could not do on this page: a control disabled here, an entry
      // its list lacks.
      result.status = Status::Refused;
      result.message = e.what();
      return result;
    } catch (const std::exception& e) {
      return Failed(e.what(), std::move(result.notes));
    }
    if (!accepted) {
      result.status = Status::Refused;
      result.fromPage = !ok.messages.empty();
      result.message = ok.messages.empty() ? std::string("the page was cancelled")
                                           : ok.messages.back().request.text;
      return result;
    }

    std::string document;
    try {
      const ConfigurationView after = ViewConfiguration(module_, file.kind, bag, change_.calendar);
      result.difference = CompareViews(before, after);
      // What the page shows the same is left as it is, byte for byte: a file is never
      // rewritten only because the page would write it another way.
      if (result.difference.Empty()) {
        result.status = Status::Unchanged;
        return result;
      }
      document = PrepareSave(*edited, bag);
      result.status = Status::Changed;
      if (!writeAside) return result;
      edited->ForgetContent();
      PreparedSave save(path, document, ops_, PreparedSave::Flush::Later);
      held.prepared.push_back({file.shown, std::move(save)});
      held.files.push_back(std::move(edited));
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      return Failed(e.what(), std::move(result.notes));
    }
    return result;
  }

 private:
  static FileResult Failed(std::string message, std::vector<std::string> notes = {}) {
    FileResult result;
    result.status = Status::Failed;
    result.message = std::move(message);
    result.notes = std::move(notes);
    return result;
  }

  Module& module_;
  const PageChange& change_;
  FileOps ops_;
};

}  // namespace

bool CheckCutOffRuns(const std::vector<std::string>& paths, bool clearJournals) {
  const CutOffRuns found = FindCutOffRuns(paths);
  ReportCutOffRuns(found, std::cerr);
  for (const CutOffRun& run : found.runs) ClearCutOffRun(run, clearJournals, std::cerr);
  return !found.runs.empty();
}

int RunPageChange(Module& module, const std::vector<ConfigFile>& all, const PageChange& change,
                  const PageChangeRun& run) {
  std::vector<const ConfigFile*> files;
  // A file named twice (a PATH given twice, a tree and a file in it, a link in a tree to
  // another of its files) is changed once: a second hold of it would meet the first.
  std::map<std::pair<dev_t, ino_t>, const ConfigFile*> seen;
  std::vector<std::string> twice;
  for (const ConfigFile& file : all) {
    if (file.error.empty() && !change.touches(file.kind)) continue;
    struct stat status {};
    if (file.error.empty() && ::stat(file.path.c_str(), &status) == 0) {
      const auto [at, added] = seen.try_emplace({status.st_dev, status.st_ino}, &file);
      if (!added) {
        if (at->second->kind != file.kind)
          throw UsageError(QuotedPath(file.shown) + " is the same file as " +
                           QuotedPath(at->second->shown) +
                           " (named twice, or through a link), "
                           "but of another kind; name it once");
        // The same name twice comes of a tree and a path inside it, or a PATH repeated.
        twice.push_back("hcdtool: note: " + ShownPath(file.shown) +
                        (file.shown == at->second->shown
                             ? std::string(" is named more than once by the paths given")
                             : " is the same file as " + ShownPath(at->second->shown) +
                                   " (named twice, or through a link)") +
                        ": it is changed once");
        continue;
      }
    }
    files.push_back(&file);
  }
  for (const std::string& line : twice) std::cerr << line << '\n';
  // A dry run holds no file beyond the one it reads.
  if (!run.dryRun) MakeRoomToHold(files.size());
  module.PropertyPages();

  const InterruptWatch watch;
  const std::unique_ptr<ChangeReporter> reporter =
      run.json ? std::unique_ptr<ChangeReporter>(std::make_unique<JsonChangeReporter>())
               : std::make_unique<TextChangeReporter>(run.dryRun, run.quiet, run.palette);
  Runner runner(module, change);
  Held held;
  Totals totals;
  {
    Progress progress(run.verb, files.size());
    for (const ConfigFile* file : files) {
      if (InterruptWatch::Received() != 0) break;
      // Once one file cannot be changed none will be, so nothing more is written
      // aside; every file is still checked, so that each refusal is named at once.
      const bool writeAside = !run.dryRun && totals.refused == 0 && totals.failed == 0;
      const FileResult result = runner.Prepare(*file, writeAside, held);
      totals.Count(result.status);
      reporter->File(*file, result);
      progress.Step();
    }
  }
  if (const int signal = InterruptWatch::Received(); signal != 0) {
    reporter->End(totals, false, true);
    std::cerr << "hcdtool: interrupted before any file was replaced; every file is as it was\n";
    return InterruptWatch::ExitCode(signal);
  }
  try {
    reporter->Review();
  } catch (const OutputError& e) {
    throw std::runtime_error(std::string(e.what()) + "; nothing was written");
  }
  const bool refusedOrFailed = totals.refused > 0 || totals.failed > 0;
  if (run.dryRun || refusedOrFailed || held.prepared.empty()) {
    reporter->End(totals, false, false);
    if (totals.failed > 0) return kExitFailure;
    return totals.refused > 0 ? kExitRefused : kExitOk;
  }

  // A program that does not take the lock may have changed a file since it was read.
  for (const std::unique_ptr<EditedFile>& file : held.files) {
    if (file->ChangedSinceRead()) {
      reporter->End(totals, false, false);
      throw std::runtime_error("nothing was written: " + ChangedBehindMessage(*file));
    }
  }
  if (const int signal = InterruptWatch::Received(); signal != 0) {
    reporter->End(totals, false, true);
    std::cerr << "hcdtool: interrupted before any file was replaced; every file is as it was\n";
    return InterruptWatch::ExitCode(signal);
  }
  // Output that cannot be written is found before any file is replaced, as far as a
  // write can tell: what the review wrote so far must arrive.
  try {
    FlushOutput(std::cout);
  } catch (const OutputError& e) {
    throw std::runtime_error(std::string(e.what()) + "; nothing was written");
  }
  try {
    ReplaceAll(run.command, held.prepared, std::cerr);
  } catch (const std::exception&) {
    // The review stays one whole document; the error says what was replaced.
    reporter->End(totals, false, false);
    throw;
  }
  try {
    reporter->End(totals, true, false);
  } catch (const OutputError& e) {
    // Exit 3 says that nothing changed unless the message says otherwise.
    throw std::runtime_error("every file was changed (" + std::to_string(held.prepared.size()) +
                             "), but the output could not be written: " + e.Reason());
  }
  if (InterruptWatch::Received() != 0)
    std::cerr << "hcdtool: note: the interrupt waited until every file was replaced\n";
  return kExitOk;
}
