#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "props/FileOps.h"

// The most bytes any user-given input is read to: a configuration, a script, a
// persisted block. A larger input, or one without end such as /dev/zero, is refused
// with an error naming it instead of filling the memory.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{256} << 20;

// Replaces the file at path with content, so that a reader sees either the old file
// or the new one whole: the content goes to a temporary file in the same folder
// (unnamed where the file system allows it, so a killed save leaves nothing), is
// flushed to disk, and is renamed over the target. A path that is a symbolic link
// saves its target, and the link stays. An existing target keeps its permission
// bits, its extended attributes (where the file system has them) and, for a
// privileged caller, its owner; a new one gets the usual 0666 less the umask. A
// target that is a folder, not a regular file, read-only (not writable by the
// caller, or with no write bit at all) or has several hard links (which a
// replacement would part from it) is refused. Temporaries that killed saves of the
// same file left behind are removed. On any failure the temporary file is removed,
// the target is untouched, and std::runtime_error names the file and the reason.
void SaveFileAtomically(const std::string& path, std::string_view content);

// The same, with every step of the save going through ops.
void SaveFileAtomically(const std::string& path, std::string_view content, FileOps& ops);

// The file a save of path replaces: path with the symbolic links of its last part
// followed, possibly to a file that does not exist yet. Throws for a loop.
std::string ResolveSaveTarget(const std::string& path);

// Throws what SaveFileAtomically would refuse about path before writing a byte; the
// message names the file. A disk that fills up is found only by the save itself.
void CheckSaveTarget(const std::string& path);

// Opens path for reading without waiting for a writer, as the open of a FIFO would:
// a FIFO that nobody writes to then reads as empty at once instead of holding the
// run forever. The descriptor reads in the usual blocking way; the caller checks
// what it is before reading. -1 and errno on failure.
int OpenToRead(const std::string& path);

// The whole content of a file, read once, so a FIFO or a pipe such as
// /dev/fd/63 reads like a file (OpenToRead). Throws std::runtime_error naming the
// file for a missing file, a folder, a file that cannot be read, or one larger than
// limit.
std::string ReadFileBytes(const std::string& path, std::uint64_t limit = kMaxInputBytes);

// The same from a descriptor open for reading; path names it in errors.
std::string ReadDescriptorBytes(int fd, const std::string& path,
                                std::uint64_t limit = kMaxInputBytes);
