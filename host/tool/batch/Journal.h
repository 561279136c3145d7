#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// The record a change of many files keeps while it replaces them: for each file the
// temporary its new content waits in (PreparedSave), what that temporary is, and what
// the file was. Written before the first rename, made durable with the new contents,
// removed after the last rename. A run cut off in between (killed, a power loss)
// leaves it, and the next run over any of its files, or lint, reads from it which files
// were replaced and which were not: a rename is atomic, so each file is whole.
//
// One journal lives in each handler folder the change touches, ".hcdtool-journal-PID-
// TAG" (TAG the run's, the same in each), and names only files of that folder. So a
// cut-off run is found from any path that covers any of its files, looking only in the
// folders such a path names: never in the folders above a tree, which others may be
// able to write. A journal is read only when it is a regular file of the user running
// the tool that nobody else may write, opened without following a link and without
// waiting; a file it names is removed only while it is still the temporary the run
// wrote (device, inode, size and modification time, under a temporary's name).

// A file as found at one moment: more than its inode number, which the system gives
// again to another file once the first is gone.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t size = -1;
  std::int64_t modifiedNs = 0;

  bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const struct stat& status);

// The command a journal names, so that whoever finds it is told what was cut off and
// how to finish it.
struct JournalCommand {
  std::vector<std::string> words;  // the command and its arguments, as given
  // The command that finishes the change when given the files that lack it; empty when
  // the command itself, run again, finishes it (a value typed again changes nothing).
  std::vector<std::string> finishPrefix;
};

struct JournalEntry {
  std::string shown;      // the file as the run's output named it
  std::string path;       // the file as the run named it (a link, maybe), absolute
  std::string temporary;  // where its new content waits, absolute
  FileIdentity after;     // the temporary: what the file is once replaced
  FileIdentity before;    // the file when the run wrote the journal
};

// The handler folder a configuration file lies in: its folder, or for a record set
// (static/, dynamic/) the folder above. Absolute.
std::filesystem::path JournalFolderOf(const std::filesystem::path& file);

class Journal {
 public:
  // Writes a journal into the handler folder of each entry (JournalFolderOf), never
  // over an existing file; the caller makes them durable (SyncFileSystemOf) before
  // the first rename. Throws std::runtime_error naming the journal when one cannot be
  // written; nothing is left then.
  Journal(const JournalCommand& command, const std::vector<JournalEntry>& entries);
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;
  // The journals stay unless removed: a run that fails in the middle needs them.
  ~Journal() = default;

  const std::vector<std::string>& Paths() const { return paths_; }
  // Removes the journals; false, with errno, when one could not be removed.
  bool Remove();

 private:
  std::vector<std::string> paths_;
};

// A run cut off while it replaced its files, as the journals found of it tell.
struct CutOffRun {
  enum class Outcome {
    Replaced,     // the file holds the run's new content
    NotReplaced,  // the file is as the run found it
    Changed,      // neither: something else has replaced or changed the file since
  };
  struct Found {
    std::string path;
    FileIdentity identity;  // as read, so that only that file is ever removed
  };
  std::string tag;
  std::vector<Found> journals;
  JournalCommand command;
  std::string folder;  // where the command was run
  pid_t process = 0;
  std::size_t total = 0;  // files of the whole run, found or not
  std::vector<std::pair<JournalEntry, Outcome>> files;
  // A journal cut short as it was written: the run replaced none of its files, as it
  // renames nothing before every journal is whole.
  bool cut = false;
  // New contents a journal that names none (an empty one) left aside, known by the
  // process in their names.
  std::vector<std::string> leftAside;
};

struct CutOffRuns {
  std::vector<CutOffRun> runs;
  // Files named like a journal that are not trusted (another user's, a FIFO, a link):
  // one line each, said and left as they are.
  std::vector<std::string> untrusted;
};

// The journals of cut-off runs in the handler folders the paths cover: a folder, its
// sub-folders and, for a record-set folder, the handler folder above; a file, its
// handler folder. A journal whose process is still running is no cut-off run.
CutOffRuns FindCutOffRuns(const std::vector<std::string>& paths);

// Says on out (stderr) in one paragraph per run which command was cut off, which
// files have its change and which do not, and the command that finishes it; and a
// line for each untrusted file.
void ReportCutOffRuns(const CutOffRuns& found, std::ostream& out);

// Removes the new contents the run left aside that are still the ones it wrote;
// with journals, its journals too. Nothing else is touched.
void ClearCutOffRun(const CutOffRun& run, bool journals, std::ostream& out);
