#pragma once

#include <string>
#include <string_view>

#include "files/FileOps.h"

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
