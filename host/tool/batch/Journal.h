#pragma once

#include <sys/types.h>

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// The record a change of many files keeps while it replaces them: for each file its
// new content's temporary (PreparedSave) and the file it replaces. Written and synced,
// with its folder, before the first rename; removed after the last. A run cut off in
// between (killed, a power loss) leaves it, and the next run in that tree, or lint,
// reads from it which files were replaced and which were not: a rename is atomic, so
// each file is whole, the old or the new.
//
// The journal is a hidden file, ".hcdtool-journal-PID", in the folder all the changed
// files share; the walk of a tree leaves it out as it leaves out any file that is no
// configuration.

struct JournalEntry {
  std::string shown;      // the file as the run's output named it
  std::string target;     // the file a rename replaces, absolute
  std::string temporary;  // where its new content waits, absolute
  dev_t device = 0;       // of the temporary: what the target is once replaced
  ino_t inode = 0;
};

class Journal {
 public:
  // Writes the journal into folder, never over an existing file. Throws
  // std::runtime_error naming it when it cannot be written and synced; nothing is
  // left then.
  Journal(const std::filesystem::path& folder, const std::vector<JournalEntry>& entries);
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;
  // The journal stays unless removed: a run that fails in the middle needs it.
  ~Journal() = default;

  const std::string& Path() const { return path_; }
  // Removes the journal and syncs its folder; false when it could not be removed.
  bool Remove();

 private:
  std::string path_;
};

// The folder all the paths share, absolute: where a run over them keeps its journal.
std::filesystem::path SharedFolder(const std::vector<std::filesystem::path>& files);

// A run cut off while it replaced its files, as its journal tells.
struct CutOffRun {
  enum class Outcome {
    Replaced,     // the file holds the run's new content
    NotReplaced,  // the file is as before the run; the new content is still aside
    Changed,      // neither: something else has replaced the file since
  };
  std::string journal;
  std::vector<std::pair<JournalEntry, Outcome>> files;
  std::string error;  // when the journal could not be read
};

// The journals of cut-off runs in the folders of the paths and in the folders above
// them; a journal whose process is still running is no cut-off run.
std::vector<CutOffRun> FindCutOffRuns(const std::vector<std::string>& paths);

// Says on out (stderr) what each run replaced and what not, one line per file, each
// line starting with "hcdtool: ".
void ReportCutOffRuns(const std::vector<CutOffRun>& runs, std::ostream& out);

// Removes what the run left: the temporaries that are still the ones it wrote, then
// its journal. Nothing else is touched.
void ClearCutOffRun(const CutOffRun& run, std::ostream& out);
