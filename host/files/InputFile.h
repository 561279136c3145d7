#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "files/Descriptor.h"

// The most bytes any user-given input is read to: a configuration, a script, a
// persisted block. A larger input, or one without end such as /dev/zero, is refused
// with an error naming it instead of filling the memory.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{256} << 20;

// What a reader makes of a file that is not a regular one: a FIFO, a pipe such as
// /dev/fd/63, a device.
enum class NonRegularInput {
  Read,    // read once to its end, like a file; a FIFO nobody writes to reads as empty
  Refuse,  // "it is not a regular file"
};

struct InputOptions {
  std::uint64_t limit = kMaxInputBytes;  // more bytes than this are refused
  NonRegularInput nonRegular = NonRegularInput::Read;
};

// An input that could not be read. what() is the whole message, "cannot read
// "PATH": REASON"; Reason() alone lets a caller word its own.
class InputError : public std::runtime_error {
 public:
  InputError(std::string path, std::string reason, const std::string& message);

  const std::string& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// Opens path for reading without waiting for a writer, as the open of a FIFO would:
// a FIFO that nobody writes to then reads as empty at once instead of holding the
// run forever. The descriptor reads in the usual blocking way; the caller checks
// what it is before reading. Holds nothing, with errno set, on failure.
Descriptor OpenToRead(const std::string& path);

// The whole content of a file, read once from the descriptor opened (OpenToRead), so
// that what a FIFO's writer sent is never lost to a second open. Throws InputError
// for a file that cannot be opened or read, a folder, a file the options refuse, or
// one larger than their limit (checked before reading where the size is known).
std::string ReadInputFile(const std::string& path, const InputOptions& options = {});

// The same from a descriptor open for reading; path names it in errors.
std::string ReadInput(const Descriptor& file, const std::string& path,
                      const InputOptions& options = {});
