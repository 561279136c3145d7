#pragma once

#include <string>
#include <string_view>

#include "files/Descriptor.h"

// A file opened for an edit that ends in a save. It is read once, and, when it is a
// regular file, held for the life of this object with an advisory lock (flock) that
// a second edit meets with a refusal naming the file; the lock binds only programs
// that take it. A save replaces the file atomically (SaveFileAtomically), but first
// asks whether someone who does not take the lock changed it since it was read.
class EditedFile {
 public:
  // Reads path (symbolic links followed). A path that names nothing is a file that
  // does not exist yet, with empty content. The open never waits for a writer: a FIFO
  // nobody writes to reads as empty (an edit refuses it before, see CheckSaveTarget).
  // Throws std::runtime_error naming the file when another edit holds it, or when it
  // cannot be read (too large, a folder, unreadable, its folder missing).
  explicit EditedFile(std::string path);
  EditedFile(const EditedFile&) = delete;
  EditedFile& operator=(const EditedFile&) = delete;

  const std::string& Path() const { return path_; }
  bool Existed() const { return existed_; }
  // The bytes read, or after a save the bytes saved.
  const std::string& Content() const { return content_; }

  // Drops the content read, keeping what tells whether the file changed since: its
  // length and a digest. For a run that holds many files at once and must not hold
  // their contents; Content() is then empty.
  void ForgetContent();

  // Throws what a save would refuse before writing (a folder, not a regular file,
  // read-only, several hard links, a missing folder), naming the file.
  void CheckSavable() const;
  // True when the file is no longer what was read or last saved: changed, created
  // or removed behind the lock's back.
  bool ChangedSinceRead() const;
  // Saves content whatever ChangedSinceRead says (the caller asked first) and keeps
  // holding the new file. Throws std::runtime_error naming the file and the reason;
  // the file is then unchanged.
  void Save(std::string_view content);

 private:
  void Lock();

  std::string path_;
  bool existed_ = false;
  std::string content_;
  // Set once the content is forgotten: the length and digest of what was read.
  bool forgotten_ = false;
  std::size_t length_ = 0;
  std::size_t digest_ = 0;
  Descriptor held_;
};
