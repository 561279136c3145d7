#include "files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "files/OpenFileLimit.h"
#include "text/TextEscape.h"

namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& reason,
                         const std::string& more = "") {
  throw InputError(path, reason,
                   "cannot read " + QuotedToken(path, TextBytes::Utf8) + ": " + reason + more);
}

[[noreturn]] void RefuseTooLarge(const std::string& path, std::uint64_t limit) {
  Refuse(path, "it is larger than " + std::to_string(limit >> 20) + " MiB",
         ", the most an input may hold");
}

}  // namespace

InputError::InputError(std::string path, std::string reason, const std::string& message)
    : std::runtime_error(message), path_(std::move(path)), reason_(std::move(reason)) {}

Descriptor OpenToRead(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file) return file;
  const int flags = ::fcntl(file.get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) < 0) return Descriptor();
  return file;
}

std::string ReadInputFile(const std::string& path, const InputOptions& options) {
  const Descriptor file = OpenToRead(path);
  if (!file) {
    const int error = errno;
    // "No such file" would read as if nothing were there.
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
      Refuse(path, "it is a symbolic link to a file that does not exist");
    Refuse(path, SystemReason(error));
  }
  return ReadInput(file, path, options);
}

std::string ReadInput(const Descriptor& file, const std::string& path,
                      const InputOptions& options) {
  const std::uint64_t limit = options.limit;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) Refuse(path, std::strerror(errno));
  if (S_ISDIR(status.st_mode)) Refuse(path, "it is a folder");
  if (!S_ISREG(status.st_mode) && options.nonRegular == NonRegularInput::Refuse)
    Refuse(path, "it is not a regular file");
  const std::uint64_t expected =
      S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0;
  if (expected > limit) RefuseTooLarge(path, limit);

  std::string content;
  constexpr std::size_t kChunk = 64 * 1024;
  std::size_t size = 0;
  for (;;) {
    // Room for the whole file and one more byte, so the end shows in one read (a
    // small file costs no more than its size); then a chunk at a time for what has
    // no size or grew. Never more than one byte past the limit, which is enough to
    // see it exceeded.
    const std::uint64_t want = size <= expected ? expected + 1 : size + kChunk;
    content.resize(static_cast<std::size_t>(std::min<std::uint64_t>(want, limit + 1)));
    const ssize_t got = ::read(file.get(), content.data() + size, content.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Refuse(path, std::strerror(errno));
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
    if (size > limit) RefuseTooLarge(path, limit);
  }
  content.resize(size);
  return content;
}
