#include "props/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void Refuse(const char* verb, const std::string& path, const std::string& why) {
  throw std::runtime_error(std::string("cannot ") + verb + " \"" + path + "\": " + why);
}

// The caller passes errno itself, read before any string is built.
[[noreturn]] void RefuseStep(const std::string& path, const char* step, const std::string& file,
                             int error) {
  Refuse("save", path, std::string(step) + " \"" + file + "\": " + std::strerror(error));
}

// Only a privileged caller may give the file back to another owner, and only a
// member of the old group may keep it there; otherwise the new file is simply the
// caller's, as after an editor's save.
void KeepOwnership(int fd, const struct stat& old) {
  [[maybe_unused]] const bool kept = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                     ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

// The folder part of path as a prefix ("" or ending in '/') and the rest.
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Hidden, and unique within the process; O_EXCL settles races with other processes.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const auto [folder, name] = SplitFolder(path);
  return folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1));
}

// Removes the temporary file unless the save went through.
class TemporaryFile {
 public:
  TemporaryFile(FileOps& ops, std::string name, int fd)
      : ops_(ops), name_(std::move(name)), fd_(fd) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ops_.Close(fd_);
    if (!kept_) ops_.Unlink(name_.c_str());
  }

  const std::string& name() const { return name_; }
  int fd() const { return fd_; }
  // Closes the descriptor; the file stays until Keep().
  int Close() {
    const int result = ops_.Close(fd_);
    fd_ = -1;
    return result;
  }
  void Keep() { kept_ = true; }

 private:
  FileOps& ops_;
  std::string name_;
  int fd_;
  bool kept_ = false;
};

bool WriteAll(FileOps& ops, int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ops.Write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename itself durable. The new content is in place whatever this does,
// so a failure here is not reported as a failed save.
void SyncFolder(FileOps& ops, const std::string& path) {
  const std::string folder = SplitFolder(path).first;
  const int fd =
      ops.Open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  ops.Fsync(fd);
  ops.Close(fd);
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

void SaveFileAtomically(const std::string& path, std::string_view content) {
  FileOps ops;
  SaveFileAtomically(path, content, ops);
}

void SaveFileAtomically(const std::string& path, std::string_view content, FileOps& ops) {
  constexpr const char* kVerb = "save";
  struct stat target {};
  const bool exists = ::stat(path.c_str(), &target) == 0;
  if (!exists && errno != ENOENT) Refuse(kVerb, path, std::strerror(errno));
  if (exists) {
    if (S_ISDIR(target.st_mode)) Refuse(kVerb, path, "it is a folder");
    if (!S_ISREG(target.st_mode)) Refuse(kVerb, path, "it is not a regular file");
    // The user could not write the file in place either; a file without any write
    // bit stays read-only even for a caller whom access() would let through.
    if (::access(path.c_str(), W_OK) != 0 ||
        (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      Refuse(kVerb, path, "the file is read-only");
    }
  }

  std::string name;
  int fd = -1;
  for (unsigned attempt = 0; fd < 0; ++attempt) {
    name = TemporaryName(path);
    fd = ops.Open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      RefuseStep(path, "cannot create the temporary file", name, errno);
    }
  }
  TemporaryFile temporary(ops, name, fd);

  if (exists) {
    if (ops.Fchmod(fd, target.st_mode & 07777) != 0) {
      RefuseStep(path, "cannot set the permissions of", name, errno);
    }
    KeepOwnership(fd, target);
  }
  if (!WriteAll(ops, fd, content)) RefuseStep(path, "cannot write", name, errno);
  if (ops.Fsync(fd) != 0) RefuseStep(path, "cannot flush", name, errno);
  if (temporary.Close() != 0) RefuseStep(path, "cannot close", name, errno);
  if (ops.Rename(name.c_str(), path.c_str()) != 0) RefuseStep(path, "cannot rename", name, errno);
  temporary.Keep();
  SyncFolder(ops, path);
}

std::string ReadFileBytes(const std::string& path) {
  constexpr const char* kVerb = "read";
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) Refuse(kVerb, path, std::strerror(errno));
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) Refuse(kVerb, path, std::strerror(errno));
  if (S_ISDIR(status.st_mode)) Refuse(kVerb, path, "it is a folder");

  std::string content;
  constexpr std::size_t kChunk = 64 * 1024;
  const std::size_t expected =
      S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0;
  std::size_t size = 0;
  for (;;) {
    // Room for the whole file and one more byte, so the end shows in one read.
    content.resize(std::max(size + kChunk, expected + 1));
    const ssize_t got = ::read(file.get(), content.data() + size, content.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Refuse(kVerb, path, std::strerror(errno));
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  content.resize(size);
  return content;
}
