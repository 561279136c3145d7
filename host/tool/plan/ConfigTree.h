#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "tool/ToolArgs.h"

// A configuration tree on disk. A handler folder holds handler.xml and the record
// sets of that handler as static/*.xml and dynamic/*.xml; a tree is a handler
// folder, or a folder whose sub-folders are handler folders. Anything else in a tree
// is left out with a note, never guessed at. What cannot be read is never taken for
// missing: a folder that cannot be read is an entry of its own, with its error.
class ConfigTree {
 public:
  // The *.xml files of a static or dynamic folder in byte order, or, when the folder
  // could not be read, why (and no names).
  struct RecordSetFolder {
    std::vector<std::string> names;
    std::string error;
  };

  // One handler folder: its path relative to the root ("." for the root itself),
  // and the files it holds. When error is set the folder could not be read (or not
  // even told to be a handler folder) and nothing else of it is known.
  struct HandlerFolder {
    std::string name;
    std::string error;
    bool hasHandler = false;
    RecordSetFolder statics;
    RecordSetFolder dynamics;
    bool readRecordSets = false;  // statics and dynamics hold the record-set folders
  };

  // Reads the tree's folders (not its files); the record-set folders only when
  // withRecordSets is set, else ReadRecordSets reads them when they are needed. Notes
  // on what is left out go to notes, each line starting with "hcdtool: note: ".
  // Throws std::runtime_error when the root cannot be used: not a folder, or one that
  // cannot be read.
  static ConfigTree Scan(const std::filesystem::path& root, std::ostream& notes,
                         bool withRecordSets = true);

  // Fills the folder's statics and dynamics, once; folder is where it lies on disk.
  static void ReadRecordSets(const std::filesystem::path& folder, HandlerFolder& into,
                             std::ostream& notes);
  // The *.xml regular files of a static or dynamic folder, in byte order; none when
  // there is no such folder.
  static RecordSetFolder RecordSets(const std::filesystem::path& folder, std::ostream& notes);

  // Whether the folder is laid out as a handler folder: it holds handler.xml, or a
  // static or dynamic folder. Throws std::runtime_error naming the folder when it
  // cannot be looked into.
  static bool IsHandlerFolder(const std::filesystem::path& folder);

  const std::filesystem::path& Root() const { return root_; }
  // Where the handler folder lies on disk.
  std::filesystem::path PathOf(const HandlerFolder& folder) const;
  // In byte order of their names.
  const std::vector<HandlerFolder>& Folders() const { return folders_; }
  // Whether the tree holds any configuration file, or any entry that could not be
  // read; a tree that holds neither is a path given one folder too high or too low.
  bool HoldsAnything() const;

 private:
  std::filesystem::path root_;
  std::vector<HandlerFolder> folders_;
};

// A configuration file's path relative to its tree root, with "/" between names:
// "h1/static/eur.xml", or "static/eur.xml" when the root is a handler folder.
std::string TreePath(const std::string& folder, ConfigKind kind, const std::string& name);

// A folder's path relative to the tree root as output names it, ending in "/":
// "h1/", "h1/static/", or "static/" when the root is a handler folder.
std::string TreeFolderPath(const std::string& folder, const std::string& inside = "");

// "PATH: no configuration found under it ...", the error of a tree that holds none.
std::string NoConfigurationMessage(const std::string& path);
