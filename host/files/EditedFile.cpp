#include "files/EditedFile.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

#include "files/AtomicSave.h"
#include "files/InputFile.h"
#include "files/OpenFileLimit.h"
#include "text/TextEscape.h"

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsRegularFile(const Descriptor& file) {
  struct stat status {};
  return ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

EditedFile::EditedFile(std::string path) : path_(std::move(path)) {
  // A save renames a new file over the old one; a lock taken on the old one after
  // that rename would hold nothing, so it is taken again on what the name now is.
  for (int attempt = 0;; ++attempt) {
    // A FIFO is opened without waiting for a writer, so that its refusal never hangs.
    held_ = OpenToRead(path_);
    if (!held_) {
      const int error = errno;
      if (error != ENOENT)
        throw std::runtime_error("cannot read " + QuotedPath(path_) + ": " + SystemReason(error));
      CheckSaveTarget(path_);  // names a missing folder now rather than after the edit
      return;
    }
    existed_ = true;
    struct stat opened {};
    if (::fstat(held_.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) break;
    Lock();
    struct stat named {};
    if (::stat(path_.c_str(), &named) == 0 && SameFile(opened, named)) break;
    held_.reset();
    if (attempt == 10)
      throw std::runtime_error("cannot read " + QuotedPath(path_) + ": it keeps being replaced");
  }
  content_ = ReadInput(held_, path_);
}

void EditedFile::Lock() {
  if (::flock(held_.get(), LOCK_EX | LOCK_NB) == 0) return;
  const int error = errno;
  held_.reset();
  if (error == EWOULDBLOCK)
    throw std::runtime_error("cannot edit " + QuotedPath(path_) +
                             ": another edit holds it; try again when that edit has ended");
  throw std::runtime_error("cannot lock " + QuotedPath(path_) + ": " + std::strerror(error));
}

void EditedFile::ForgetContent() {
  if (forgotten_) return;
  length_ = content_.size();
  digest_ = std::hash<std::string>{}(content_);
  forgotten_ = true;
  std::string().swap(content_);
}

void EditedFile::CheckSavable() const { CheckSaveTarget(path_); }

bool EditedFile::ChangedSinceRead() const {
  const Descriptor now = OpenToRead(path_);
  if (!now) return existed_ || errno != ENOENT;
  // What is no regular file now (a FIFO put in its place) is not what was read.
  if (!existed_ || !IsRegularFile(now)) return true;
  try {
    const std::string read = ReadInput(now, path_);
    if (!forgotten_) return read != content_;
    return read.size() != length_ || std::hash<std::string>{}(read) != digest_;
  } catch (const std::runtime_error&) {
    return true;
  }
}

void EditedFile::Save(std::string_view content) {
  SaveFileAtomically(path_, content);
  content_ = std::string(content);
  forgotten_ = false;
  existed_ = true;
  // Hold the new file as the old one was held. Nobody else has had a reason to lock
  // it yet, so failing here only means the rest of this run is unguarded.
  Descriptor saved = OpenToRead(path_);
  if (!saved || !IsRegularFile(saved)) return;
  held_ = std::move(saved);
  ::flock(held_.get(), LOCK_EX | LOCK_NB);
}
