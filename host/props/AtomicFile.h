#pragma once

#include <string>
#include <string_view>

#include "props/FileOps.h"

// Replaces the file at path with content, so that a reader sees either the old file
// or the new one whole: the content goes to a temporary file in the same folder,
// is flushed to disk, and is renamed over the target. An existing target keeps its
// permission bits; a new one gets the usual 0666 less the umask. A target that is a
// folder, not a regular file, or read-only (not writable by the caller, or with no
// write bit at all) is refused. On any failure the temporary file is removed, the
// target is untouched, and std::runtime_error names the file and the reason.
void SaveFileAtomically(const std::string& path, std::string_view content);

// The same, with every step of the save going through ops.
void SaveFileAtomically(const std::string& path, std::string_view content, FileOps& ops);

// The whole content of a file. Throws std::runtime_error naming the file for a
// missing file, a folder, or a file that cannot be read.
std::string ReadFileBytes(const std::string& path);
