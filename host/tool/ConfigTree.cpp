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

namespace fs = std::filesystem;

namespace {

constexpr const char* kHandlerFile = "handler.xml";

void Note(std::ostream& notes, const fs::path& path, const char* why) {
  notes << "hcdtool: note: " << path.string() << ": " << why << '\n';
}

// The entries of a folder, in byte order of their names, so that a tree is walked
// the same way on every file system.
std::vector<fs::directory_entry> Entries(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::directory_entry> entries;
  fs::directory_iterator it(folder, ec);
  if (ec) throw std::runtime_error(folder.string() + ": cannot read the folder: " + ec.message());
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    entries.push_back(*it);
  }
  if (ec) throw std::runtime_error(folder.string() + ": cannot read the folder: " + ec.message());
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return a.path().filename().native() < b.path().filename().native();
  });
  return entries;
}

bool IsRegularFile(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec);
}

bool IsFolder(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_directory(ec);
}

// The *.xml files of a static or dynamic folder.
std::vector<std::string> RecordSets(const fs::path& folder, std::ostream& notes) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : Entries(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".xml" || name == ".xml")
      Note(notes, entry.path(), "left out: not a .xml file");
    else if (!IsRegularFile(entry))
      Note(notes, entry.path(), "left out: not a regular file");
    else
      names.push_back(name);
  }
  return names;
}

ConfigTree::HandlerFolder ReadHandlerFolder(const fs::path& folder, std::string name,
                                            std::ostream& notes) {
  ConfigTree::HandlerFolder result;
  result.name = std::move(name);
  for (const fs::directory_entry& entry : Entries(folder)) {
    const std::string entryName = entry.path().filename().string();
    if (entryName == kHandlerFile) {
      if (IsRegularFile(entry))
        result.hasHandler = true;
      else
        Note(notes, entry.path(), "left out: not a regular file");
    } else if ((entryName == "static" || entryName == "dynamic") && IsFolder(entry)) {
      (entryName == "static" ? result.statics : result.dynamics) = RecordSets(entry.path(), notes);
    } else {
      Note(notes, entry.path(), "left out: not part of a handler folder");
    }
  }
  return result;
}

}  // namespace

bool ConfigTree::IsHandlerFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::exists(folder / kHandlerFile, ec) || fs::is_directory(folder / "static", ec) ||
         fs::is_directory(folder / "dynamic", ec);
}

ConfigTree ConfigTree::Scan(const fs::path& root, std::ostream& notes) {
  std::error_code ec;
  if (!fs::is_directory(root, ec))
    throw std::runtime_error(root.string() + ": not a folder (a configuration tree is a folder)");
  ConfigTree tree;
  tree.root_ = root;
  if (IsHandlerFolder(root)) {
    tree.folders_.push_back(ReadHandlerFolder(root, ".", notes));
    return tree;
  }
  for (const fs::directory_entry& entry : Entries(root)) {
    if (IsFolder(entry) && IsHandlerFolder(entry.path()))
      tree.folders_.push_back(
          ReadHandlerFolder(entry.path(), entry.path().filename().string(), notes));
    else
      Note(notes, entry.path(), "left out: not a handler folder");
  }
  return tree;
}

std::size_t ConfigTree::FileCount() const {
  std::size_t count = 0;
  for (const HandlerFolder& folder : folders_)
    count += (folder.hasHandler ? 1 : 0) + folder.statics.size() + folder.dynamics.size();
  return count;
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
  const auto fail = [&](const std::string& why) {
    throw std::runtime_error(path.string() + ": cannot read: " + why);
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) fail(std::strerror(errno));
  std::string content;
  try {
    struct stat status {};
    if (::fstat(fd, &status) != 0) fail(std::strerror(errno));
    if (!S_ISREG(status.st_mode)) fail("not a regular file");
    // Room for one byte more than the file had, so a file that grew still shows its end.
    std::size_t size = 0;
    content.resize(static_cast<std::size_t>(status.st_size) + 1);
    for (;;) {
      if (size == content.size()) content.resize(content.size() * 2);
      const ssize_t got = ::read(fd, content.data() + size, content.size() - size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) fail(std::strerror(errno));
      if (got == 0) break;
      size += static_cast<std::size_t>(got);
    }
    content.resize(size);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  return content;
}
