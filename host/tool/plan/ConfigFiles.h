#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tool/module/ConfigKind.h"

// A configuration file named on the command line or found in a tree under a path
// named there, or a folder of a tree that could not be read (shown then ends in "/"
// and error says why).
struct ConfigFile {
  std::filesystem::path path;
  std::string shown;  // the path as the output names it
  ConfigKind kind = ConfigKind::Handler;
  std::string error;
};

// The files of the paths, in the order given, each tree walked (ConfigTree) in its
// order: a file is taken as it is, its kind the one given or its place's; a folder is
// a configuration tree. Throws std::runtime_error for a path that names nothing or a
// tree without any configuration, UsageError for a file whose kind cannot be told.
// Notes on what a tree leaves out go to stderr.
std::vector<ConfigFile> ConfigFilesOf(const std::vector<std::string>& paths,
                                      const std::optional<ConfigKind>& kind);

// The same, when only reaches the files of one kind (--kind), with those alone: a
// file whose place tells another kind is left out, one whose place tells none is taken
// as of that kind, and a folder that could not be read stays an entry. Throws
// std::runtime_error when no file of the kind is left. Without only, ConfigFilesOf of
// the paths with no kind given.
std::vector<ConfigFile> ConfigFilesOfKind(const std::vector<std::string>& paths,
                                          const std::optional<ConfigKind>& only);
