#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tool/batch/Journal.h"
#include "tool/module/ConfigKind.h"
#include "tool/output/Palette.h"
#include "tool/plan/ConfigFiles.h"

class Module;
class ScriptedBackend;

// The engine of the commands that change many configurations at once (set, apply,
// add-holidays, remove-holidays): each file's page is played as a user would, then
// OK, so that the page's own checks apply, and the files are changed all or nothing.

// What a command does to each file's page.
struct PageChange {
  // Whether the change has anything to do on a page of the kind; a file of another
  // kind is left alone: neither read nor counted.
  std::function<bool(ConfigKind kind)> touches;
  // Queues what the user does on the file's page. Lines added to notes are shown with
  // the file (a box found unmarked, say). After it, OK is pressed if the sheet is
  // still open.
  std::function<void(ScriptedBackend& ui, ConfigKind kind, std::vector<std::string>& notes)> play;
  // Whether the change may touch the holiday calendar, which the review then reads too.
  bool calendar = false;
};

struct PageChangeRun {
  const char* verb = "";  // the command, for the progress line
  bool dryRun = false;
  bool json = false;
  // No review and no totals on stdout: only the files refused or failed, and the
  // notes, each as a line on stderr.
  bool quiet = false;
  Palette palette;         // of the review's text
  JournalCommand command;  // named in the journal, for whoever finds the run cut off
};

// Runs the change over the files (ConfigFilesOf), all or nothing. Every file
// is read, locked (EditedFile), played, checked, and its new content written aside
// (PreparedSave) before the first one is replaced (ReplaceAll); a page that refuses,
// a file that cannot be read, locked or written aside, or SIGINT, SIGTERM or SIGHUP
// before then leaves every file as it was. Prints the review diff of what changes
// (diff's lines, or with json one document), grouped by change in text, then the
// totals. A file whose page shows nothing changed is left as it is, byte for byte.
// Returns the exit code: 0 done (or, dry, nothing refused); 1 a page refused; 3 a
// file could not be used; 128 + the signal when stopped.
int RunPageChange(Module& module, const std::vector<ConfigFile>& files, const PageChange& change,
                  const PageChangeRun& run);

// Says on stderr what the runs cut off in the handler folders the paths cover
// (FindCutOffRuns) did: which command, which files have its change, how to finish it.
// Removes the new contents they left aside that are provably theirs; with
// clearJournals (a command that changes files, not a dry run), their journals too,
// once said. Every command that changes many files does this first; lint too. True
// when a run was found cut off.
bool CheckCutOffRuns(const std::vector<std::string>& paths, bool clearJournals);
