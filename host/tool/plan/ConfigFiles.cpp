#include "tool/plan/ConfigFiles.h"

#include <iostream>
#include <stdexcept>

#include "text/TextEscape.h"
#include "tool/ToolArgs.h"
#include "tool/plan/ConfigTree.h"

namespace fs = std::filesystem;

std::vector<ConfigFile> ConfigFilesOf(const std::vector<std::string>& paths,
                                      const std::optional<ConfigKind>& kind) {
  std::vector<ConfigFile> files;
  for (const std::string& path : paths) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
      throw std::runtime_error(ShownPath(path) + ": no such file or folder");
    if (ec) throw std::runtime_error(ShownPath(path) + ": " + ec.message());
    if (!fs::is_directory(status)) {
      files.push_back({path, path, KindOfPlace(path, kind), {}});
      continue;
    }
    const ConfigTree tree = ConfigTree::Scan(path, std::cerr, ConfigTree::Listing::AtScan);
    // "." names the tree the user stands in: its files are named from it, "desk/..."
    // rather than "./desk/...".
    std::string root = fs::path(path).lexically_normal().generic_string();
    if (root == "." || root == "./")
      root.clear();
    else if (!root.ends_with('/'))
      root += '/';
    const std::size_t before = files.size();
    // What could not be read is an entry of its own, never a folder left out.
    WalkTree(tree,
             {.entry =
                  [&](const TreeEntry& entry) {
                    files.push_back(
                        {tree.Root() / entry.path, root + entry.path, entry.kind, entry.error});
                    return true;
                  }},
             std::cerr);
    // A path one folder too high or too low would check nothing and pass.
    if (files.size() == before) throw std::runtime_error(NoConfigurationMessage(path));
  }
  return files;
}

std::vector<ConfigFile> ConfigFilesOfKind(const std::vector<std::string>& paths,
                                          const std::optional<ConfigKind>& only) {
  if (!only) return ConfigFilesOf(paths, std::nullopt);
  std::vector<ConfigFile> files;
  bool any = false;
  for (const std::string& path : paths) {
    const std::optional<ConfigKind> place = KindOfPlaceIfAny(path);
    for (ConfigFile& file : ConfigFilesOf({path}, place ? place : only)) {
      if (!file.error.empty() || file.kind == *only) {
        any = any || file.error.empty();
        files.push_back(std::move(file));
      }
    }
  }
  if (!any)
    throw std::runtime_error(std::string("no ") + KindName(*only) +
                             " configuration under the paths given");
  return files;
}
