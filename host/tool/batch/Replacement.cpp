#include "tool/batch/Replacement.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <ostream>
#include <stdexcept>

#include "text/TextEscape.h"
#include "tool/batch/Interrupts.h"
#include "tool/batch/Journal.h"

namespace fs = std::filesystem;

namespace {

JournalEntry EntryOf(const PreparedFile& file) {
  JournalEntry entry;
  entry.shown = file.shown;
  entry.path = fs::absolute(file.save.Path()).lexically_normal().string();
  entry.temporary = fs::absolute(file.save.Temporary()).lexically_normal().string();
  struct stat status {};
  if (::lstat(entry.temporary.c_str(), &status) != 0)
    throw std::runtime_error("cannot find the new content of " + QuotedPath(file.shown) + " in " +
                             QuotedPath(entry.temporary) + ": " + std::strerror(errno));
  entry.after = IdentityOf(status);
  // The file as it is now, which the run checked is what it read.
  if (::stat(file.save.Target().c_str(), &status) != 0)
    throw std::runtime_error("cannot look at " + QuotedPath(file.shown) + ": " +
                             std::strerror(errno));
  entry.before = IdentityOf(status);
  return entry;
}

}  // namespace

void ReplaceAll(const JournalCommand& command, std::vector<PreparedFile>& files,
                std::ostream& notes) {
  if (files.empty()) return;
  std::vector<JournalEntry> entries;
  entries.reserve(files.size());
  // One file of each file system, whose contents and journals are made durable at
  // once: cheaper by far than a flush of each file, and done before the first rename.
  std::map<dev_t, std::string> fileSystems;
  for (const PreparedFile& file : files) {
    entries.push_back(EntryOf(file));
    fileSystems.emplace(entries.back().after.device, entries.back().temporary);
  }
  // Held from before the journals exist: a run stopped now would have to say which
  // files it replaced, and it replaces them all instead.
  const InterruptWatch::Held held;
  Journal journal(command, entries);
  for (const std::string& path : journal.Paths()) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) fileSystems.emplace(status.st_dev, path);
  }
  for (const auto& [device, file] : fileSystems)
    if (!SyncFileSystemOf(file)) {
      const int error = errno;
      journal.Remove();
      throw std::runtime_error("cannot make the new contents durable on the file system of " +
                               QuotedPath(file) + ": " + std::strerror(error));
    }
  entries.clear();
  for (std::size_t i = 0; i < files.size(); ++i) {
    try {
      files[i].save.Commit();
    } catch (const std::exception& e) {
      notes << "hcdtool: the replacement stopped at " << ShownPath(files[i].shown) << ": " << i
            << " of " << files.size() << " files were replaced:\n";
      for (std::size_t j = 0; j < files.size(); ++j)
        notes << "hcdtool:   " << (j < i ? "replaced" : "not replaced") << ": "
              << ShownPath(files[j].shown) << '\n';
      for (const auto& [device, file] : fileSystems) SyncFileSystemOf(file);
      // Told here, so nobody needs the journals; the temporaries not renamed go with
      // their PreparedSave.
      journal.Remove();
      throw std::runtime_error(std::string("not every file was replaced: ") + e.what());
    }
  }
  // The renames made durable before the journals that tell of them go. Their going is
  // left to the system: a journal a power loss brings back tells of a run whose every
  // file has its change, which is what the next run then says.
  for (const auto& [device, file] : fileSystems) SyncFileSystemOf(file);
  if (!journal.Remove())
    notes << "hcdtool: note: every file was replaced, but a journal could not be removed: "
          << std::strerror(errno) << '\n';
}
