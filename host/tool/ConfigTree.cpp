#include "tool/ConfigTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "props/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHandlerFile = "handler.xml";

void Note(std::ostream& notes, const fs::path& path, const char* why) {
  notes << "hcdtool: note: " << path.string() << ": " << why << '\n';
}

// An entry of a folder: only its name and what it is, so that a folder of many
// thousands of record sets is listed in little memory.
struct Entry {
  std::string name;
  fs::file_type type = fs::file_type::none;  // what a symbolic link leads to

  bool IsRegularFile() const { return type == fs::file_type::regular; }
  bool IsFolder() const { return type == fs::file_type::directory; }
};

// The entries of a folder, in byte order of their names, so that a tree is walked
// the same way on every file system.
std::vector<Entry> Entries(const fs::path& folder) {
  std::error_code ec;
  std::vector<Entry> entries;
  fs::directory_iterator it(folder, ec);
  if (ec) throw std::runtime_error(folder.string() + ": cannot read the folder: " + ec.message());
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    // The type the folder listing gave is used as it is; only a symbolic link is
    // followed, with a call of its own.
    std::error_code typeError;
    const fs::file_type type = it->is_regular_file(typeError) ? fs::file_type::regular
                               : it->is_directory(typeError)  ? fs::file_type::directory
                                                              : fs::file_type::unknown;
    entries.push_back({it->path().filename().string(), type});
  }
  if (ec) throw std::runtime_error(folder.string() + ": cannot read the folder: " + ec.message());
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

bool IsXmlName(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0;
}

// The handler folder's own entries; the record-set folders are read only when
// withRecordSets is set.
ConfigTree::HandlerFolder ReadHandlerFolder(const fs::path& folder, std::string name,
                                            bool withRecordSets, std::ostream& notes) {
  ConfigTree::HandlerFolder result;
  result.name = std::move(name);
  for (const Entry& entry : Entries(folder)) {
    if (entry.name == kHandlerFile) {
      if (entry.IsRegularFile())
        result.hasHandler = true;
      else
        Note(notes, folder / entry.name, "left out: not a regular file");
    } else if ((entry.name == "static" || entry.name == "dynamic") && entry.IsFolder()) {
      if (withRecordSets) ConfigTree::ReadRecordSets(folder, result, notes);
    } else {
      Note(notes, folder / entry.name, "left out: not part of a handler folder");
    }
  }
  return result;
}

}  // namespace

std::vector<std::string> ConfigTree::RecordSets(const fs::path& folder, std::ostream& notes) {
  std::vector<std::string> names;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return names;
  for (Entry& entry : Entries(folder)) {
    if (!IsXmlName(entry.name))
      Note(notes, folder / entry.name, "left out: not a .xml file");
    else if (!entry.IsRegularFile())
      Note(notes, folder / entry.name, "left out: not a regular file");
    else
      names.push_back(std::move(entry.name));
  }
  return names;
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
  std::error_code ec;
  return fs::exists(folder / kHandlerFile, ec) || fs::is_directory(folder / "static", ec) ||
         fs::is_directory(folder / "dynamic", ec);
}

ConfigTree ConfigTree::Scan(const fs::path& root, std::ostream& notes, bool withRecordSets) {
  std::error_code ec;
  if (!fs::is_directory(root, ec))
    throw std::runtime_error(root.string() + ": not a folder (a configuration tree is a folder)");
  ConfigTree tree;
  tree.root_ = root;
  if (IsHandlerFolder(root)) {
    tree.folders_.push_back(ReadHandlerFolder(root, ".", withRecordSets, notes));
    return tree;
  }
  for (Entry& entry : Entries(root)) {
    const fs::path path = root / entry.name;
    if (entry.IsFolder() && IsHandlerFolder(path))
      tree.folders_.push_back(
          ReadHandlerFolder(path, std::move(entry.name), withRecordSets, notes));
    else
      Note(notes, path, "left out: not a handler folder");
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

std::string ReadTreeFile(const fs::path& path) {
  // Opened without waiting for a writer, then read from this very descriptor: a
  // FIFO named on the command line reads like a file, and closing it to open it
  // again could drop what a writer had already sent.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw std::runtime_error(path.string() + ": cannot read: " + std::strerror(errno));
  try {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0)
      throw std::runtime_error(path.string() + ": cannot read: " + std::strerror(errno));
    std::string content = ReadDescriptorBytes(fd, path.string());
    ::close(fd);
    return content;
  } catch (...) {
    ::close(fd);
    throw;
  }
}
