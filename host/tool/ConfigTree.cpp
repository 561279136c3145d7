#include "tool/ConfigTree.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "text/TextEscape.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHandlerFile = "handler.xml";

std::string Shown(const fs::path& path) { return ShownToken(path.string(), TextBytes::Utf8); }

void Note(std::ostream& notes, const fs::path& path, const char* why) {
  notes << "hcdtool: note: " << Shown(path) << ": " << why << '\n';
}

std::string CannotRead(const fs::path& folder, const std::error_code& ec) {
  return Shown(folder) + ": cannot read the folder: " + ec.message();
}

// Only "there is nothing by that name" means missing; any other failure to look
// (no permission, a loop of links, a disk error) is an error to report.
bool IsMissing(const std::error_code& ec) {
  return ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory;
}

// A symbolic link whose target is not there: something is at path, and what it
// stands for cannot be read, which is never the same as nothing being there.
bool IsDanglingLink(const fs::path& path) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(path, ec)) && !ec && !fs::exists(path, ec) && !ec;
}

std::string DanglingMessage(const fs::path& path) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(path, ec);
  return Shown(path) + ": cannot read it: a symbolic link to " +
         (ec ? std::string("a target") : Shown(target)) + ", which does not exist";
}

// What path is (symbolic links followed): none when nothing is there. Throws, naming
// folder, the folder being looked into, when it cannot be told, and naming path when
// it is a symbolic link that leads nowhere.
fs::file_type TypeOf(const fs::path& path, const fs::path& folder) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec && !IsMissing(ec)) throw std::runtime_error(CannotRead(folder, ec));
  if (ec && IsDanglingLink(path)) throw std::runtime_error(DanglingMessage(path));
  return ec ? fs::file_type::none : status.type();
}

// An entry of a folder: only its name and what it is, so that a folder of many
// thousands of record sets is listed in little memory.
struct Entry {
  std::string name;
  fs::file_type type = fs::file_type::none;  // what a symbolic link leads to
  bool untold = false;  // what it is could not be found out: the read will say why

  bool IsRegularFile() const { return type == fs::file_type::regular; }
  bool IsFolder() const { return type == fs::file_type::directory; }
};

// The entries of a folder, in byte order of their names, so that a tree is walked
// the same way on every file system. Throws std::runtime_error naming the folder
// when it cannot be read.
std::vector<Entry> Entries(const fs::path& folder) {
  std::error_code ec;
  std::vector<Entry> entries;
  fs::directory_iterator it(folder, ec);
  if (ec) throw std::runtime_error(CannotRead(folder, ec));
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    // The type the folder listing gave is used as it is; only a symbolic link is
    // followed, with a call of its own.
    std::error_code typeError;
    Entry entry{it->path().filename().string()};
    if (it->is_regular_file(typeError))
      entry.type = fs::file_type::regular;
    else if (!typeError && it->is_directory(typeError))
      entry.type = fs::file_type::directory;
    else
      entry.untold = (typeError && !IsMissing(typeError)) || IsDanglingLink(it->path());
    entries.push_back(std::move(entry));
  }
  if (ec) throw std::runtime_error(CannotRead(folder, ec));
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

// A handler folder of which nothing is known but why it could not be read.
ConfigTree::HandlerFolder Unreadable(std::string name, std::string error) {
  ConfigTree::HandlerFolder folder;
  folder.name = std::move(name);
  folder.error = std::move(error);
  return folder;
}

bool IsXmlName(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0;
}

// The handler folder's own entries; the record-set folders are read only when
// withRecordSets is set. A folder that cannot be read gives a folder with its error.
ConfigTree::HandlerFolder ReadHandlerFolder(const fs::path& folder, std::string name,
                                            bool withRecordSets, std::ostream& notes) {
  ConfigTree::HandlerFolder result;
  result.name = std::move(name);
  try {
    for (const Entry& entry : Entries(folder)) {
      if (entry.name == kHandlerFile) {
        // One that cannot even be looked at is read all the same, to say why.
        if (entry.IsRegularFile() || entry.untold)
          result.hasHandler = true;
        else
          Note(notes, folder / entry.name, "left out: not a regular file");
      } else if ((entry.name == "static" || entry.name == "dynamic") &&
                 (entry.IsFolder() || entry.untold)) {
        if (withRecordSets) ConfigTree::ReadRecordSets(folder, result, notes);
      } else {
        Note(notes, folder / entry.name, "left out: not part of a handler folder");
      }
    }
  } catch (const std::runtime_error& e) {
    return Unreadable(std::move(result.name), e.what());
  }
  return result;
}

}  // namespace

ConfigTree::RecordSetFolder ConfigTree::RecordSets(const fs::path& folder, std::ostream& notes) {
  RecordSetFolder result;
  try {
    if (TypeOf(folder, folder) != fs::file_type::directory) return result;
    for (Entry& entry : Entries(folder)) {
      if (!IsXmlName(entry.name))
        Note(notes, folder / entry.name, "left out: not a .xml file");
      else if (entry.IsRegularFile() || entry.untold)
        result.names.push_back(std::move(entry.name));
      else
        Note(notes, folder / entry.name, "left out: not a regular file");
    }
  } catch (const std::runtime_error& e) {
    result.names.clear();
    result.error = e.what();
  }
  return result;
}

void ConfigTree::ReadRecordSets(const fs::path& folder, HandlerFolder& into, std::ostream& notes) {
  if (into.readRecordSets) return;
  into.statics = RecordSets(folder / "static", notes);
  into.dynamics = RecordSets(folder / "dynamic", notes);
  into.readRecordSets = true;
}

fs::path ConfigTree::PathOf(const HandlerFolder& folder) const {
  return folder.name == "." ? root_ : root_ / folder.name;
}

bool ConfigTree::IsHandlerFolder(const fs::path& folder) {
  // A link that leads nowhere counts as what its name says: reading it will say why
  // it cannot be read.
  const auto folderThere = [&](const char* name) {
    return IsDanglingLink(folder / name) ||
           TypeOf(folder / name, folder) == fs::file_type::directory;
  };
  return IsDanglingLink(folder / kHandlerFile) ||
         TypeOf(folder / kHandlerFile, folder) != fs::file_type::none || folderThere("static") ||
         folderThere("dynamic");
}

bool ConfigTree::HoldsAnything() const {
  std::ostringstream ignored;
  for (const HandlerFolder& folder : folders_) {
    if (!folder.error.empty() || folder.hasHandler) return true;
    HandlerFolder listed = folder;
    ReadRecordSets(PathOf(folder), listed, ignored);
    for (const RecordSetFolder* sets : {&listed.statics, &listed.dynamics})
      if (!sets->names.empty() || !sets->error.empty()) return true;
  }
  return false;
}

ConfigTree ConfigTree::Scan(const fs::path& root, std::ostream& notes, bool withRecordSets) {
  if (TypeOf(root, root) != fs::file_type::directory)
    throw std::runtime_error(Shown(root) + ": not a folder (a configuration tree is a folder)");
  ConfigTree tree;
  tree.root_ = root;
  if (IsHandlerFolder(root)) {
    tree.folders_.push_back(ReadHandlerFolder(root, ".", withRecordSets, notes));
    if (!tree.folders_.back().error.empty()) throw std::runtime_error(tree.folders_.back().error);
    return tree;
  }
  for (Entry& entry : Entries(root)) {
    const fs::path path = root / entry.name;
    if (IsDanglingLink(path)) {
      // It may well have been a handler folder.
      tree.folders_.push_back(Unreadable(std::move(entry.name), DanglingMessage(path)));
      continue;
    }
    if (!entry.IsFolder() && !entry.untold) {
      Note(notes, path, "left out: not a handler folder");
      continue;
    }
    // A folder that cannot be looked into may well be a handler folder: it is an
    // entry with its error, never left out as if it were none.
    try {
      if (!IsHandlerFolder(path)) {
        Note(notes, path, "left out: not a handler folder");
        continue;
      }
    } catch (const std::runtime_error& e) {
      tree.folders_.push_back(Unreadable(std::move(entry.name), e.what()));
      continue;
    }
    tree.folders_.push_back(ReadHandlerFolder(path, std::move(entry.name), withRecordSets, notes));
  }
  return tree;
}

std::string TreePath(const std::string& folder, ConfigKind kind, const std::string& name) {
  std::string path = folder == "." ? std::string() : folder + "/";
  switch (kind) {
    case ConfigKind::Handler:
      return path + kHandlerFile;
    case ConfigKind::Static:
      return path + "static/" + name;
    case ConfigKind::Dynamic:
      break;
  }
  return path + "dynamic/" + name;
}

std::string TreeFolderPath(const std::string& folder, const std::string& inside) {
  std::string path = folder == "." ? std::string() : folder + "/";
  return inside.empty() ? path : path + inside + "/";
}

std::string NoConfigurationMessage(const std::string& path) {
  return ShownToken(path, TextBytes::Utf8) +
         ": no configuration found under it (a tree is a handler folder, holding handler.xml, "
         "static/*.xml or dynamic/*.xml, or a folder of such folders)";
}
