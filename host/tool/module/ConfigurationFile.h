#pragma once

#include <string>

class CHandlerPrivateProps;
class EditedFile;

// Saving a configuration bag into a file opened for an edit. Every message names
// the file. The input side is ReadInputFile (files/InputFile.h) and
// LoadConfiguration (ToolArgs.h).

// The document a save of bag into file writes. Throws std::runtime_error naming the
// file when the bag holds what the document cannot carry or when the file cannot
// be replaced (read-only, several hard links, not a regular file, folder gone);
// nothing is written.
std::string PrepareSave(const EditedFile& file, const CHandlerPrivateProps& bag);

// Why a save must not go ahead without the user's say: the file changed since it
// was read, by a program that does not take the edit's lock.
std::string ChangedBehindMessage(const EditedFile& file);

// Saves bag into file with nobody to ask: PrepareSave, a refusal when the file
// changed since it was read, then the atomic save. Throws std::runtime_error
// naming the file; the file is then as it was.
void SaveConfiguration(EditedFile& file, const CHandlerPrivateProps& bag);
