#include "files/AtomicSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "files/OpenFileLimit.h"
#include "text/TextEscape.h"

namespace {

[[noreturn]] void Refuse(const char* verb, const std::string& path, const std::string& why) {
  throw std::runtime_error(std::string("cannot ") + verb + " " +
                           QuotedToken(path, TextBytes::Utf8) + ": " + why);
}

// The caller passes errno itself, read before any string is built.
[[noreturn]] void RefuseStep(const std::string& path, const char* step, const std::string& file,
                             int error) {
  Refuse("save", path,
         std::string(step) + " " + QuotedToken(file, TextBytes::Utf8) + ": " + SystemReason(error));
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

// The longest part of a file's name a temporary name repeats: with the rest of the
// temporary name it stays within the 255 bytes a name may have.
constexpr std::size_t kNameKept = 200;

// ".NAME.tmp-", the start of every temporary name of a save of path.
std::string TemporaryPrefix(const std::string& path) {
  return "." + SplitFolder(path).second.substr(0, kNameKept) + ".tmp-";
}

// Hidden, and unique within the process; O_EXCL or link() settles races with other
// processes. The process id lets a later save tell a dead process's leftover.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return SplitFolder(path).first + TemporaryPrefix(path) + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1));
}

// The process id in a temporary name "PID-N" after the prefix, or 0.
pid_t OwnerOfTemporary(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return 0;
  pid_t pid = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + dash, pid);
  if (ec != std::errc() || end != rest.data() + dash || pid <= 0) return 0;
  for (const char c : rest.substr(dash + 1))
    if (c < '0' || c > '9') return 0;
  return pid;
}

// A save killed between naming its temporary and the rename leaves the named file;
// where unnamed temporaries are not available, it is left for the whole save. Only
// the temporaries of processes that no longer exist go: a live one may be saving.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = SplitFolder(path).first;
  const std::string prefix = TemporaryPrefix(path);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    const pid_t owner = OwnerOfTemporary(name.substr(prefix.size()));
    if (owner == 0 || owner == ::getpid()) continue;
    if (::kill(owner, 0) != 0 && errno == ESRCH) ::unlink((folder + std::string(name)).c_str());
  }
  ::closedir(dir);
}

// Removes the temporary file unless the save went through. An unnamed one has no
// name until it is linked into the folder just before the rename.
class TemporaryFile {
 public:
  TemporaryFile(FileOps& ops, std::string name, int fd)
      : ops_(ops), name_(std::move(name)), fd_(fd) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ops_.Close(fd_);
    if (!kept_ && !name_.empty()) ops_.Unlink(name_.c_str());
  }

  const std::string& name() const { return name_; }
  void Name(std::string name) { name_ = std::move(name); }
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

// Copies the target's extended attributes (access lists and labels among them) to
// the new file. A file system without them, or a name space the caller may not
// set (a label only the system gives), is no reason to refuse the save; anything
// else would lose what the user had put there, so it is.
void CopyAttributes(const std::string& target, int fd, const std::string& shownPath) {
  ssize_t size = ::llistxattr(target.c_str(), nullptr, 0);
  if (size < 0) {
    if (errno == ENOTSUP || errno == ENODATA) return;
    Refuse("save", shownPath,
           std::string("cannot list its extended attributes: ") + std::strerror(errno));
  }
  std::vector<char> names(static_cast<std::size_t>(size));
  size = ::llistxattr(target.c_str(), names.data(), names.size());
  if (size < 0) Refuse("save", shownPath, std::strerror(errno));
  for (std::size_t at = 0; at < static_cast<std::size_t>(size);) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
    const ssize_t length = ::lgetxattr(target.c_str(), name, nullptr, 0);
    if (length < 0) continue;
    std::vector<char> value(static_cast<std::size_t>(length));
    const ssize_t got = ::lgetxattr(target.c_str(), name, value.data(), value.size());
    if (got < 0) continue;
    if (::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(got), 0) != 0 &&
        errno != ENOTSUP && errno != EPERM) {
      const int error = errno;
      Refuse("save", shownPath,
             "cannot keep its extended attribute " + ShownToken(name, TextBytes::Utf8) + ": " +
                 std::strerror(error));
    }
  }
}

// "append-only" or "immutable" (chattr +a, +i) when the inode is marked so; null
// otherwise, or where the file system keeps no such marks.
const char* UnreplaceableFlag(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return nullptr;
  int flags = 0;
  const bool known = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  ::close(fd);
  if (!known) return nullptr;
  if ((flags & FS_IMMUTABLE_FL) != 0) return "immutable";
  if ((flags & FS_APPEND_FL) != 0) return "append-only";
  return nullptr;
}

// What a save may replace: nothing yet (exists false), or a regular file with a
// single name that the caller may write.
struct Target {
  bool exists = false;
  struct stat status {};
};

Target InspectTarget(const std::string& target, const std::string& shownPath) {
  constexpr const char* kVerb = "save";
  Target result;
  // A link to a pipe, such as /dev/fd/63, leads nowhere a file could be saved.
  struct stat named {};
  if (::stat(shownPath.c_str(), &named) == 0 && !S_ISREG(named.st_mode) && !S_ISDIR(named.st_mode))
    Refuse(kVerb, shownPath, "it is not a regular file");
  result.exists = ::stat(target.c_str(), &result.status) == 0;
  if (!result.exists && errno != ENOENT) Refuse(kVerb, shownPath, std::strerror(errno));
  if (!result.exists) {
    const std::string folder = SplitFolder(target).first;
    const char* where = folder.empty() ? "." : folder.c_str();
    struct stat folderStatus {};
    if (::stat(where, &folderStatus) != 0)
      Refuse(kVerb, shownPath, std::string("its folder cannot be used: ") + std::strerror(errno));
    if (!S_ISDIR(folderStatus.st_mode)) Refuse(kVerb, shownPath, "its folder is not a folder");
    if (::access(where, W_OK) != 0)
      Refuse(kVerb, shownPath, std::string("cannot write in its folder: ") + std::strerror(errno));
    if (const char* flag = UnreplaceableFlag(where))
      Refuse(kVerb, shownPath,
             std::string("its folder is ") + flag + ", so no file in it can be replaced");
    return result;
  }
  const struct stat& st = result.status;
  if (S_ISDIR(st.st_mode)) Refuse(kVerb, shownPath, "it is a folder");
  if (!S_ISREG(st.st_mode)) Refuse(kVerb, shownPath, "it is not a regular file");
  // The user could not write the file in place either; a file without any write
  // bit stays read-only even for a caller whom access() would let through.
  if (::access(target.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    Refuse(kVerb, shownPath, "the file is read-only");
  // A replacement would leave the other names with the old content, and writing in
  // place could leave every name with half a file.
  if (st.st_nlink > 1)
    Refuse(kVerb, shownPath,
           "it has " + std::to_string(st.st_nlink) +
               " hard links, and a save would part it from the others; save a copy instead");
  const std::string folder = SplitFolder(target).first;
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0)
    Refuse(kVerb, shownPath, std::string("cannot write in its folder: ") + std::strerror(errno));
  // No rename can replace such a file, or remove the temporary file beside it
  // afterwards: said before anything is written.
  if (const char* flag = UnreplaceableFlag(target.c_str()))
    Refuse(kVerb, shownPath, std::string("the file is ") + flag + ", so it cannot be replaced");
  if (const char* flag = UnreplaceableFlag(folder.empty() ? "." : folder.c_str()))
    Refuse(kVerb, shownPath,
           std::string("its folder is ") + flag + ", so no file in it can be replaced");
  return result;
}

bool UnnamedTemporariesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

}  // namespace

std::string ResolveSaveTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
    if (length < 0) Refuse("save", path, std::strerror(errno));
    link.resize(static_cast<std::size_t>(length));
    current = link.starts_with('/') ? link : SplitFolder(current).first + link;
  }
  Refuse("save", path, "too many levels of symbolic links");
}

void CheckSaveTarget(const std::string& path) { InspectTarget(ResolveSaveTarget(path), path); }

void SaveFileAtomically(const std::string& path, std::string_view content) {
  FileOps ops;
  SaveFileAtomically(path, content, ops);
}

void SaveFileAtomically(const std::string& path, std::string_view content, FileOps& ops) {
  SaveFileAtomically(
      path, [content](const ContentSink& write) { write(content); }, ops);
}

void SaveFileAtomically(const std::string& path, const ContentWriter& produce) {
  FileOps ops;
  SaveFileAtomically(path, produce, ops);
}

namespace {

// Writes the content into a temporary beside the target, with the target's
// permissions, owner and attributes, flushed and named; what a save renames over the
// target. The temporary is removed again when anything fails.
std::string WriteTemporary(const std::string& path, const std::string& target,
                           const ContentWriter& produce, FileOps& ops, bool flush = true) {
  const Target old = InspectTarget(target, path);
  RemoveStaleTemporaries(target);

  const std::string folder = SplitFolder(target).first;
  const mode_t mode = old.exists ? 0600 : 0666;
  std::string name;
  // An unnamed file is named through /proc; without /proc it could never be.
  int fd = -1;
  if (::access("/proc/self/fd", X_OK) == 0)
    fd = ops.Open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  else
    errno = EOPNOTSUPP;
  if (fd < 0 && !UnnamedTemporariesUnsupported(errno))
    RefuseStep(path, "cannot create a temporary file in", folder.empty() ? "." : folder, errno);
  for (unsigned attempt = 0; fd < 0; ++attempt) {
    name = TemporaryName(target);
    fd = ops.Open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      RefuseStep(path, "cannot create the temporary file", name, errno);
    }
  }
  TemporaryFile temporary(ops, name, fd);

  const std::string& shown = name.empty() ? target : name;
  produce([&](std::string_view part) {
    if (!WriteAll(ops, fd, part)) RefuseStep(path, "cannot write", shown, errno);
  });
  if (old.exists) {
    // After the content and after the owner: a write by anyone but a privileged
    // caller, and any change of owner, clear the set-user-ID and set-group-ID bits,
    // which the mode then sets again.
    KeepOwnership(fd, old.status);
    if (ops.Fchmod(fd, old.status.st_mode & 07777) != 0)
      RefuseStep(path, "cannot set the permissions of", shown, errno);
    CopyAttributes(target, fd, path);
  }
  if (flush && ops.Fsync(fd) != 0) RefuseStep(path, "cannot flush", shown, errno);
  if (name.empty()) {
    // The file gets a name only now, for the rename; a kill in between leaves a
    // temporary that the next save of this file removes.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (unsigned attempt = 0; temporary.name().empty(); ++attempt) {
      std::string candidate = TemporaryName(target);
      if (ops.Link(self.c_str(), candidate.c_str()) == 0) {
        temporary.Name(std::move(candidate));
      } else if (errno != EEXIST || attempt == 100) {
        RefuseStep(path, "cannot name the temporary file", candidate, errno);
      }
    }
  }
  if (temporary.Close() != 0) RefuseStep(path, "cannot close", temporary.name(), errno);
  temporary.Keep();
  return temporary.name();
}

// Renames the temporary over the target; on failure removes it, or says it is left.
void ReplaceByTemporary(const std::string& path, const std::string& temporary,
                        const std::string& target, FileOps& ops) {
  if (ops.Rename(temporary.c_str(), target.c_str()) == 0) return;
  const int error = errno;
  std::string why = std::string("cannot replace it by the new file ") +
                    QuotedToken(temporary, TextBytes::Utf8) + ": " + std::strerror(error);
  // Whatever cannot be renamed may not be removable either; then say it is left.
  if (ops.Unlink(temporary.c_str()) != 0)
    why += std::string("; that file is left behind: ") + std::strerror(errno);
  Refuse("save", path, why);
}

}  // namespace

void SaveFileAtomically(const std::string& path, const ContentWriter& produce, FileOps& ops) {
  const std::string target = ResolveSaveTarget(path);
  const std::string temporary = WriteTemporary(path, target, produce, ops);
  ReplaceByTemporary(path, temporary, target, ops);
  SyncFolder(ops, target);
}

PreparedSave::PreparedSave(std::string path, std::string_view content, FileOps& ops, Flush flush)
    : ops_(&ops), path_(std::move(path)), target_(ResolveSaveTarget(path_)) {
  temporary_ = WriteTemporary(
      path_, target_, [content](const ContentSink& write) { write(content); }, ops,
      flush == Flush::Now);
}

PreparedSave::PreparedSave(PreparedSave&& other) noexcept
    : ops_(other.ops_),
      path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)) {
  other.temporary_.clear();
}

PreparedSave::~PreparedSave() {
  if (!temporary_.empty()) ops_->Unlink(temporary_.c_str());
}

void PreparedSave::Commit() {
  const std::string temporary = std::move(temporary_);
  temporary_.clear();
  ReplaceByTemporary(path_, temporary, target_, *ops_);
}

void PreparedSave::Leave() { temporary_.clear(); }

void SyncFolderOf(const std::string& path) {
  FileOps ops;
  SyncFolder(ops, path);
}

bool SyncFileSystemOf(const std::string& path) {
  const std::string folder = SplitFolder(path).first;
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::syncfs(fd) == 0;
  const int error = errno;
  ::close(fd);
  errno = error;
  return synced;
}
