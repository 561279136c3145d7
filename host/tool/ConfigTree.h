#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "tool/ToolArgs.h"

// A configuration tree on disk. A handler folder holds handler.xml and the record
// sets of that handler as static/*.xml and dynamic/*.xml; a tree is a handler
// folder, or a folder whose sub-folders are handler folders. Anything else in a tree
// is left out with a note, never guessed at.
class ConfigTree {
 public:
  // One handler folder: its path relative to the root ("." for the root itself),
  // and the names of the files it holds, each list in byte order.
  struct HandlerFolder {
    std::string name;
    bool hasHandler = false;
    std::vector<std::string> statics;
    std::vector<std::string> dynamics;
    bool readRecordSets = false;  // statics and dynamics hold the record-set folders
  };

  // Reads the tree's folders (not its files); the record-set folders only when
  // withRecordSets is set, else ReadRecordSets reads them when they are needed. Notes
  // on what is left out go to notes, each line starting with "hcdtool: note: ".
  // Throws std::runtime_error when the root or a folder of the tree cannot be read.
  static ConfigTree Scan(const std::filesystem::path& root, std::ostream& notes,
                         bool withRecordSets = true);

  // Fills the folder's statics and dynamics, once; folder is where it lies on disk.
  static void ReadRecordSets(const std::filesystem::path& folder, HandlerFolder& into,
                             std::ostream& notes);
  // The *.xml regular files of a static or dynamic folder, in byte order; none when
  // there is no such folder.
  static std::vector<std::string> RecordSets(const std::filesystem::path& folder,
                                             std::ostream& notes);

  // Whether the folder is laid out as a handler folder: it holds handler.xml, or a
  // static or dynamic folder.
  static bool IsHandlerFolder(const std::filesystem::path& folder);

  const std::filesystem::path& Root() const { return root_; }
  // Where the handler folder lies on disk.
  std::filesystem::path PathOf(const HandlerFolder& folder) const;
  // In byte order of their names.
  const std::vector<HandlerFolder>& Folders() const { return folders_; }

 private:
  std::filesystem::path root_;
  std::vector<HandlerFolder> folders_;
};

// A configuration file's path relative to its tree root, with "/" between names:
// "h1/static/eur.xml", or "static/eur.xml" when the root is a handler folder.
std::string TreePath(const std::string& folder, ConfigKind kind, const std::string& name);

// The bytes of a configuration file of a tree, at most kMaxInputBytes. A walk hands
// over regular files only; a FIFO or a pipe named on the command line is read once,
// like a file. Throws std::runtime_error naming the file.
std::string ReadTreeFile(const std::filesystem::path& path);
