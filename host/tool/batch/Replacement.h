#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "files/AtomicSave.h"
#include "tool/batch/Journal.h"

// A file whose new content waits aside, ready to be put in place.
struct PreparedFile {
  std::string shown;  // as the output names it
  PreparedSave save;
};

// Puts every prepared file in place, as one step as far as a file system allows: a
// journal (Journal.h) naming command is written into each handler folder of the
// files; they and the new contents are made durable; SIGINT, SIGTERM and SIGHUP are
// held; each temporary is renamed over its file; the renames are made durable and the
// journals removed. Throws std::runtime_error, with nothing replaced, when a journal
// cannot be written. A rename that fails stops the run: what was replaced and what not
// is said on notes, the rest of the new contents are removed, and std::runtime_error
// names the file.
void ReplaceAll(const JournalCommand& command, std::vector<PreparedFile>& files,
                std::ostream& notes);
