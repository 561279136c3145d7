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

// The file a save of path replaces: path with the symbolic links of its last part
// followed, possibly to a file that does not exist yet. Throws for a loop.
std::string ResolveSaveTarget(const std::string& path);

// Throws, naming the file, what SaveFileAtomically would refuse before writing a
// byte: a folder, not a regular file, read-only (for the caller, or without any
// write bit), several hard links (a replacement would part it from the others), a
// missing folder. A disk that fills up is found only by the save itself.
void CheckSaveTarget(const std::string& path);
