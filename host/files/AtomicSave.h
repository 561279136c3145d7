#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "files/FileOps.h"

// Replaces the file at path with content so that a reader, or a crash, meets the
// old file or the new one whole: a temporary beside it, flushed, renamed over it.
// A symbolic link saves its target and stays; the target keeps its permissions,
// extended attributes and, where the caller may give it, its owner. What
// CheckSaveTarget refuses is refused. On failure the target is untouched and
// std::runtime_error names the file and the reason.
void SaveFileAtomically(const std::string& path, std::string_view content);

// The same, with every step of the save going through ops.
void SaveFileAtomically(const std::string& path, std::string_view content, FileOps& ops);

// Where a streamed save writes its content, a part at a time; throws as the save does.
using ContentSink = std::function<void(std::string_view part)>;
// Writes the whole content to the sink it is given; whatever it throws fails the
// save, which leaves the target untouched.
using ContentWriter = std::function<void(const ContentSink& write)>;

// The same, the content written as it is made, so that a large file is never held
// in memory whole.
void SaveFileAtomically(const std::string& path, const ContentWriter& produce);
void SaveFileAtomically(const std::string& path, const ContentWriter& produce, FileOps& ops);

// A save in two steps, for a change of many files that replaces none of them before
// every new content is written: the constructor does all of SaveFileAtomically but
// the rename, leaving the new content flushed and closed in a temporary beside the
// target, named as a save names its temporaries (hidden, ".NAME.tmp-PID-N", so that
// no reader of a folder takes it for a file of its own, and a later save removes it
// once this process is gone). Commit renames it over the target. Destroyed
// uncommitted, it removes the temporary, unless Leave() said to keep it.
class PreparedSave {
 public:
  // When the new content is made durable: by this object (fsync), or Later, by one
  // SyncFileSystemOf for many files, which costs far less than a flush of each.
  enum class Flush { Now, Later };
  // Throws as SaveFileAtomically does; nothing is left behind then. ops must outlive
  // this object.
  PreparedSave(std::string path, std::string_view content, FileOps& ops, Flush flush = Flush::Now);
  PreparedSave(PreparedSave&& other) noexcept;
  PreparedSave(const PreparedSave&) = delete;
  PreparedSave& operator=(const PreparedSave&) = delete;
  PreparedSave& operator=(PreparedSave&&) = delete;
  ~PreparedSave();

  const std::string& Path() const { return path_; }
  // The file the rename replaces: Path() with its symbolic links followed.
  const std::string& Target() const { return target_; }
  // Where the new content waits; empty after Commit or Leave.
  const std::string& Temporary() const { return temporary_; }

  // Renames the temporary over the target; the folder is not synced (SyncFolderOf).
  // Throws std::runtime_error naming the file; the temporary is then removed.
  void Commit();
  // Keeps the temporary where it is, for whoever knows its name.
  void Leave();

 private:
  FileOps* ops_;
  std::string path_;
  std::string target_;
  std::string temporary_;
};

// Makes the renames in the folder of path durable; a failure is not reported, as the
// new content is in place whatever it does.
void SyncFolderOf(const std::string& path);

// Makes everything written to the file system that holds path durable (syncfs): the
// contents and renames of many files at once. False, with errno, when it failed.
bool SyncFileSystemOf(const std::string& path);

// The file a save of path replaces: path with the symbolic links of its last part
// followed, possibly to a file that does not exist yet. Throws for a loop.
std::string ResolveSaveTarget(const std::string& path);

// Throws, naming the file, what SaveFileAtomically would refuse before writing a
// byte: a folder, not a regular file, read-only (for the caller, or without any
// write bit), several hard links (a replacement would part it from the others), a
// missing folder. A disk that fills up is found only by the save itself.
void CheckSaveTarget(const std::string& path);
