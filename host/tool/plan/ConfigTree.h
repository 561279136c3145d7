#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tool/module/ConfigKind.h"

// Where a tree's folders and files are: the file system (DiskSource), or a commit read
// through git (GitTree.h). Each takes the paths a tree makes, its root joined with a
// path relative to it, so that the layout's rules below are the same for both.
class TreeSource {
 public:
  // An entry of a folder: only its name and what it is, so that a folder of many
  // thousands of record sets is listed in little memory.
  struct Entry {
    std::string name;
    std::filesystem::file_type type = std::filesystem::file_type::none;  // what a link leads to
    bool untold = false;  // what it is could not be found out: the read will say why

    bool IsRegularFile() const { return type == std::filesystem::file_type::regular; }
    bool IsFolder() const { return type == std::filesystem::file_type::directory; }
  };

  virtual ~TreeSource() = default;
  // The entries of a folder, in any order. Throws std::runtime_error naming the folder
  // when it cannot be read.
  virtual std::vector<Entry> Entries(const std::filesystem::path& folder) const = 0;
  // What path is, links followed; none when nothing is there. Throws, naming folder (the
  // folder being looked into) when it cannot be told, and naming path when it is a link
  // that leads nowhere.
  virtual std::filesystem::file_type TypeOf(const std::filesystem::path& path,
                                            const std::filesystem::path& folder) const = 0;
  // Something is at path, and what it stands for cannot be read: never the same as
  // nothing being there.
  virtual bool IsDanglingLink(const std::filesystem::path& path) const = 0;
  // Why such a link cannot be read, naming it.
  virtual std::string DanglingMessage(const std::filesystem::path& path) const = 0;
  // The path as messages name it, not yet escaped.
  virtual std::string Name(const std::filesystem::path& path) const = 0;
  // The whole document at path. Throws InputError (files/InputFile.h) or
  // std::runtime_error naming it when it cannot be read.
  virtual std::string Read(const std::filesystem::path& path) const = 0;
};

// The file system, as every command but plan --git and diff --git reads it.
const TreeSource& DiskSource();

// A configuration tree on disk or in a commit, laid out as ConfigKind.h says: a handler folder, or
// a folder whose sub-folders are handler folders. Anything else in a tree is left out with a note,
// never guessed at. What cannot be read is never taken for missing: a folder that cannot be read is
// an entry of its own, with its error.
//
// Every command that goes through trees walks them here, one tree (lint, counting
// for progress) or two as one (plan, diff), so that they all see the same entries in
// the same order.
class ConfigTree {
 public:
  // The record-set files of one record-set folder, in byte order, or, when the
  // folder could not be read, why (and no names).
  struct RecordSets {
    std::vector<std::string> names;
    std::string error;
  };

  // One handler folder: its path relative to the root ("." for the root itself).
  // When error is set the folder could not be read (or not even told to be a
  // handler folder) and nothing else of it is known.
  struct HandlerFolder {
    std::string name;
    std::string error;
    bool hasHandler = false;
    // Static, then dynamic, when the scan listed them.
    std::optional<std::array<RecordSets, 2>> recordSets;
  };

  // When the record-set folders are listed.
  enum class Listing {
    // By each walk, while it is in their handler folder, and dropped after: what is
    // held does not grow with the files.
    WhenWalked,
    // By the scan, for a command that holds every file's name anyway.
    AtScan,
  };

  // Reads the tree's handler folders. Notes on what is left out go to notes, each
  // line starting with "hcdtool: note: ". Throws std::runtime_error when the root
  // cannot be used: not a folder, or one that cannot be read.
  static ConfigTree Scan(const std::filesystem::path& root, std::ostream& notes,
                         Listing listing = Listing::WhenWalked);
  // The same over another source, whose paths start at root.
  static ConfigTree Scan(std::shared_ptr<const TreeSource> source,
                         const std::filesystem::path& root, std::ostream& notes,
                         Listing listing = Listing::WhenWalked);

  const std::filesystem::path& Root() const { return root_; }
  const TreeSource& Source() const { return *source_; }
  // Where the handler folder lies on disk.
  std::filesystem::path PathOf(const HandlerFolder& folder) const;
  // In byte order of their names.
  const std::vector<HandlerFolder>& Folders() const { return folders_; }

  // Whether the tree holds any configuration file, or any entry that could not be
  // read; a tree that holds neither is a path given one folder too high or too low.
  bool HoldsAnything() const;
  // The configuration files of the tree, counted for the progress shown on a terminal.
  std::size_t CountFiles() const;

 private:
  std::shared_ptr<const TreeSource> source_;
  std::filesystem::path root_;
  std::vector<HandlerFolder> folders_;
};

// One entry of a walk: a configuration file, or a folder that could not be read (on
// either side, when two trees are walked as one).
struct TreeEntry {
  std::string folder;  // its handler folder, relative to the roots; "." for the root
  ConfigKind kind = ConfigKind::Handler;
  // Relative to the roots: "h1/static/eur.xml"; a folder that could not be read ends
  // in "/" ("h1/", "h1/static/").
  std::string path;
  std::string name;       // a record set's file name; empty for handler.xml and folders
  bool inFirst = false;   // held by the first tree (the only one of a single walk)
  bool inSecond = false;  // held by the second tree
  std::string error;      // why the folder could not be read, both sides' joined by "; "

  bool IsFolder() const { return path.empty() || path.ends_with('/'); }
};

// What a walk calls: a handler folder's start and end, and each entry in between.
struct TreeVisitor {
  std::function<void(const std::string& folder)> beginFolder = nullptr;
  // False stops the walk.
  std::function<bool(const TreeEntry& entry)> entry = nullptr;
  std::function<void(const std::string& folder)> endFolder = nullptr;
};

// Walks the tree: per handler folder in byte order, its handler.xml, then its static
// and its dynamic record sets in byte order, each record-set folder that could not
// be read as one entry in their place, and a handler folder that could not be read
// as one entry alone. Notes on what is left out of the record-set folders go to
// notes.
void WalkTree(const ConfigTree& tree, const TreeVisitor& visit, std::ostream& notes);

// Walks two trees as one, pairing handler folders and files by name: an entry is
// held by either tree or by both. A folder that could not be read on either side is
// one entry, so that nothing in it is taken for added or removed.
void WalkTrees(const ConfigTree& first, const ConfigTree& second, const TreeVisitor& visit,
               std::ostream& notes);

// "PATH: no configuration found under it ...", the error of a tree that holds none.
std::string NoConfigurationMessage(const std::string& path);
