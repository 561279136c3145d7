#pragma once

#include <stdexcept>
#include <string>

#include "props/CHandlerPrivateProps.h"

class EditedFile;

// Reading a configuration file into a bag, and saving a bag into a file opened for an
// edit: the one place where a document becomes a bag and back. Every message names
// the file.

// What an empty file is to the command that reads it.
enum class EmptyIs {
  // A configuration that does not exist yet: a bag without properties, the pages'
  // defaults. For what a person makes or looks at: edit, show, import-holidays.
  NewConfiguration,
  // A document that does not parse, as the host never stores an empty one: for what
  // answers as the host would about a stored configuration (summary, check-change,
  // plan, diff, lint, export-holidays).
  Refused,
};

// A document that does not parse: what() names the file ("PATH: line 3: ..."),
// Reason() is the reader's own message and Line() its line (0 when none applies).
class ConfigurationError : public std::runtime_error {
 public:
  ConfigurationError(const std::string& path, const std::string& reason, int line);
  const std::string& Reason() const { return reason_; }
  int Line() const { return line_; }

 private:
  std::string reason_;
  int line_;
};

// The bag of the file at path, read once with ReadInputFile (files/InputFile.h:
// InputError when it cannot be read) and parsed (ConfigurationError).
CHandlerPrivateProps ReadConfiguration(const std::string& path, EmptyIs empty);
// The same from the document already read from path.
CHandlerPrivateProps ParseConfiguration(const std::string& path, const std::string& document,
                                        EmptyIs empty);

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
