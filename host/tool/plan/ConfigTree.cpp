#include "tool/plan/ConfigTree.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/plan/PairByName.h"

namespace fs = std::filesystem;

namespace {

void Note(std::ostream& notes, const TreeSource& source, const fs::path& path, const char* why) {
  notes << "hcdtool: note: " << ShownPath(source.Name(path)) << ": " << why << '\n';
}

std::string CannotRead(const fs::path& folder, const std::error_code& ec) {
  return ShownPath(folder.string()) + ": cannot read the folder: " + ec.message();
}

// Only "there is nothing by that name" means missing; any other failure to look
// (no permission, a loop of links, a disk error) is an error to report.
bool IsMissing(const std::error_code& ec) {
  return ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory;
}

class Disk final : public TreeSource {
 public:
  // A symbolic link whose target is not there.
  bool IsDanglingLink(const fs::path& path) const override {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(path, ec)) && !ec && !fs::exists(path, ec) && !ec;
  }

  std::string DanglingMessage(const fs::path& path) const override {
    std::error_code ec;
    const fs::path target = fs::read_symlink(path, ec);
    return ShownPath(path.string()) + ": cannot read it: a symbolic link to " +
           (ec ? std::string("a target") : ShownPath(target.string())) + ", which does not exist";
  }

  fs::file_type TypeOf(const fs::path& path, const fs::path& folder) const override {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec && !IsMissing(ec)) throw std::runtime_error(CannotRead(folder, ec));
    if (ec && IsDanglingLink(path)) throw std::runtime_error(DanglingMessage(path));
    return ec ? fs::file_type::none : status.type();
  }

  std::vector<Entry> Entries(const fs::path& folder) const override {
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
    return entries;
  }

  std::string Name(const fs::path& path) const override { return path.string(); }

  std::string Read(const fs::path& path) const override { return ReadInputFile(path.string()); }
};

using Entry = TreeSource::Entry;

// What lies in a tree by design and is said elsewhere, so never worth a note on every
// run: the repository a tree is kept at the top of, the attributes git-setup writes
// there, and the journals of changes of many files (which those changes and lint
// report, trusted or not).
bool IsKnownNonConfiguration(const std::string& name) {
  return name == ".git" || name == ".gitattributes" || name.starts_with(".hcdtool-journal-");
}

// The entries of a folder, in byte order of their names, so that a tree is walked
// the same way on every file system and in every source.
std::vector<Entry> Entries(const TreeSource& source, const fs::path& folder) {
  std::vector<Entry> entries = source.Entries(folder);
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

// The record-set kinds, in the order of HandlerFolder::recordSets.
constexpr std::array<ConfigKind, 2> kRecordSetKinds = {ConfigKind::Static, ConfigKind::Dynamic};

bool IsRecordSetFolderName(const std::string& name) {
  for (const ConfigKind kind : kRecordSetKinds)
    if (name == FolderOf(kind)) return true;
  return false;
}

ConfigTree::RecordSets ListRecordSets(const TreeSource& source, const fs::path& folder,
                                      std::ostream& notes) {
  ConfigTree::RecordSets result;
  try {
    if (source.TypeOf(folder, folder) != fs::file_type::directory) return result;
    for (Entry& entry : Entries(source, folder)) {
      if (!IsRecordSetFileName(entry.name))
        Note(notes, source, folder / entry.name, "left out: not a .xml file");
      else if (entry.IsRegularFile() || entry.untold)
        result.names.push_back(std::move(entry.name));
      else
        Note(notes, source, folder / entry.name, "left out: not a regular file");
    }
  } catch (const std::runtime_error& e) {
    result.names.clear();
    result.error = e.what();
  }
  return result;
}

std::array<ConfigTree::RecordSets, 2> ListAllRecordSets(const TreeSource& source,
                                                        const fs::path& folder,
                                                        std::ostream& notes) {
  std::array<ConfigTree::RecordSets, 2> lists;
  for (std::size_t i = 0; i < kRecordSetKinds.size(); ++i)
    lists[i] = ListRecordSets(source, folder / FolderOf(kRecordSetKinds[i]), notes);
  return lists;
}

// The handler folder's own entries, and its record-set folders' when listing says so.
// A folder that cannot be read gives a folder with its error.
ConfigTree::HandlerFolder ReadHandlerFolder(const TreeSource& source, const fs::path& folder,
                                            std::string name, ConfigTree::Listing listing,
                                            std::ostream& notes) {
  ConfigTree::HandlerFolder result;
  result.name = std::move(name);
  try {
    for (const Entry& entry : Entries(source, folder)) {
      if (IsKnownNonConfiguration(entry.name)) continue;
      if (entry.name == kHandlerFileName) {
        // One that cannot even be looked at is read all the same, to say why.
        if (entry.IsRegularFile() || entry.untold)
          result.hasHandler = true;
        else
          Note(notes, source, folder / entry.name, "left out: not a regular file");
      } else if (!IsRecordSetFolderName(entry.name) || !(entry.IsFolder() || entry.untold)) {
        Note(notes, source, folder / entry.name, "left out: not part of a handler folder");
      } else if (listing == ConfigTree::Listing::AtScan && !result.recordSets) {
        result.recordSets = ListAllRecordSets(source, folder, notes);
      }
    }
  } catch (const std::runtime_error& e) {
    return Unreadable(std::move(result.name), e.what());
  }
  return result;
}

// Whether the folder is laid out as a handler folder: it holds handler.xml, or a
// record-set folder. Throws std::runtime_error naming the folder when it cannot be
// looked into.
bool IsHandlerFolder(const TreeSource& source, const fs::path& folder) {
  // A link that leads nowhere counts as what its name says: reading it will say why
  // it cannot be read.
  if (source.IsDanglingLink(folder / kHandlerFileName) ||
      source.TypeOf(folder / kHandlerFileName, folder) != fs::file_type::none)
    return true;
  for (const ConfigKind kind : kRecordSetKinds) {
    const fs::path sets = folder / FolderOf(kind);
    if (source.IsDanglingLink(sets) || source.TypeOf(sets, folder) == fs::file_type::directory)
      return true;
  }
  return false;
}

// The errors of the two sides of a pair, either or both.
std::string BothErrors(const std::string& first, const std::string& second) {
  if (first.empty()) return second;
  if (second.empty()) return first;
  return first + "; " + second;
}

// One walk over one tree or two: the second may be null.
class Walk {
 public:
  Walk(const ConfigTree& first, const ConfigTree* second, const TreeVisitor& visit,
       std::ostream& notes)
      : first_(first), second_(second), visit_(visit), notes_(notes) {}

  void Run() {
    static const std::vector<ConfigTree::HandlerFolder> kNone;
    PairByName(
        first_.Folders(), second_ != nullptr ? second_->Folders() : kNone,
        [](const ConfigTree::HandlerFolder& folder) -> const std::string& { return folder.name; },
        [this](const ConfigTree::HandlerFolder* a, const ConfigTree::HandlerFolder* b) {
          if (!stopped_) Folder(a, b);
        });
  }

 private:
  void Folder(const ConfigTree::HandlerFolder* a, const ConfigTree::HandlerFolder* b) {
    const std::string& name = (a != nullptr ? a : b)->name;
    if (visit_.beginFolder) visit_.beginFolder(name);
    // A handler folder that could not be read is one entry: nothing of it is known,
    // so nothing in it is taken for added or removed.
    if (std::string error = BothErrors(a != nullptr ? a->error : "", b != nullptr ? b->error : "");
        !error.empty()) {
      Visit({name, ConfigKind::Handler, TreeFolderPath(name), "", a != nullptr, b != nullptr,
             std::move(error)});
    } else {
      const bool firstHas = a != nullptr && a->hasHandler;
      const bool secondHas = b != nullptr && b->hasHandler;
      if (firstHas || secondHas)
        Visit({name, ConfigKind::Handler, TreePath(name, ConfigKind::Handler, ""), "", firstHas,
               secondHas, ""});
      // Listed only now, unless the scan did, and dropped again after.
      const std::array<ConfigTree::RecordSets, 2> first = RecordSetsOf(first_, a);
      const std::array<ConfigTree::RecordSets, 2> second =
          second_ != nullptr ? RecordSetsOf(*second_, b) : std::array<ConfigTree::RecordSets, 2>{};
      for (std::size_t i = 0; i < kRecordSetKinds.size() && !stopped_; ++i)
        RecordSetPairs(name, kRecordSetKinds[i], first[i], second[i]);
    }
    if (visit_.endFolder && !stopped_) visit_.endFolder(name);
  }

  std::array<ConfigTree::RecordSets, 2> RecordSetsOf(const ConfigTree& tree,
                                                     const ConfigTree::HandlerFolder* folder) {
    if (folder == nullptr) return {};
    if (folder->recordSets) return *folder->recordSets;
    return ListAllRecordSets(tree.Source(), tree.PathOf(*folder), notes_);
  }

  void RecordSetPairs(const std::string& folder, ConfigKind kind,
                      const ConfigTree::RecordSets& first, const ConfigTree::RecordSets& second) {
    // A folder that could not be read on either side is one entry: its files are
    // neither added nor removed, since what it holds is not known.
    if (std::string error = BothErrors(first.error, second.error); !error.empty()) {
      Visit({folder, kind, TreeFolderPath(folder, kind), "", !first.error.empty(),
             !second.error.empty(), std::move(error)});
      return;
    }
    PairByName(
        first.names, second.names,
        [](const std::string& name) -> const std::string& { return name; },
        [&](const std::string* x, const std::string* y) {
          const std::string& name = x != nullptr ? *x : *y;
          Visit({folder, kind, TreePath(folder, kind, name), name, x != nullptr, y != nullptr, ""});
        });
  }

  void Visit(const TreeEntry& entry) {
    if (!stopped_ && !visit_.entry(entry)) stopped_ = true;
  }

  const ConfigTree& first_;
  const ConfigTree* second_;
  const TreeVisitor& visit_;
  std::ostream& notes_;
  bool stopped_ = false;
};

}  // namespace

fs::path ConfigTree::PathOf(const HandlerFolder& folder) const {
  return folder.name == "." ? root_ : root_ / folder.name;
}

bool ConfigTree::HoldsAnything() const {
  std::ostringstream ignored;
  bool any = false;
  WalkTree(*this, {.entry = [&any](const TreeEntry&) { return !(any = true); }}, ignored);
  return any;
}

std::size_t ConfigTree::CountFiles() const {
  std::ostringstream ignored;
  std::size_t count = 0;
  WalkTree(*this,
           {.entry =
                [&count](const TreeEntry& entry) {
                  if (entry.error.empty()) ++count;
                  return true;
                }},
           ignored);
  return count;
}

const TreeSource& DiskSource() {
  static const Disk disk;
  return disk;
}

ConfigTree ConfigTree::Scan(const fs::path& root, std::ostream& notes, Listing listing) {
  // The one disk source lives as long as the program: nothing is owned.
  return Scan(std::shared_ptr<const TreeSource>(std::shared_ptr<void>(), &DiskSource()), root,
              notes, listing);
}

ConfigTree ConfigTree::Scan(std::shared_ptr<const TreeSource> sourceIn, const fs::path& root,
                            std::ostream& notes, Listing listing) {
  const TreeSource& source = *sourceIn;
  if (source.TypeOf(root, root) != fs::file_type::directory)
    throw std::runtime_error(ShownPath(source.Name(root)) +
                             ": not a folder (a configuration tree is a folder)");
  ConfigTree tree;
  tree.source_ = std::move(sourceIn);
  tree.root_ = root;
  if (IsHandlerFolder(source, root)) {
    tree.folders_.push_back(ReadHandlerFolder(source, root, ".", listing, notes));
    if (!tree.folders_.back().error.empty()) throw std::runtime_error(tree.folders_.back().error);
    return tree;
  }
  for (Entry& entry : Entries(source, root)) {
    if (IsKnownNonConfiguration(entry.name)) continue;
    const fs::path path = root / entry.name;
    if (source.IsDanglingLink(path)) {
      // It may well have been a handler folder.
      tree.folders_.push_back(Unreadable(std::move(entry.name), source.DanglingMessage(path)));
      continue;
    }
    if (!entry.IsFolder() && !entry.untold) {
      Note(notes, source, path, "left out: not a handler folder");
      continue;
    }
    // A folder that cannot be looked into may well be a handler folder: it is an
    // entry with its error, never left out as if it were none.
    try {
      if (!IsHandlerFolder(source, path)) {
        Note(notes, source, path, "left out: not a handler folder");
        continue;
      }
    } catch (const std::runtime_error& e) {
      tree.folders_.push_back(Unreadable(std::move(entry.name), e.what()));
      continue;
    }
    tree.folders_.push_back(ReadHandlerFolder(source, path, std::move(entry.name), listing, notes));
  }
  return tree;
}

void WalkTree(const ConfigTree& tree, const TreeVisitor& visit, std::ostream& notes) {
  Walk(tree, nullptr, visit, notes).Run();
}

void WalkTrees(const ConfigTree& first, const ConfigTree& second, const TreeVisitor& visit,
               std::ostream& notes) {
  Walk(first, &second, visit, notes).Run();
}

std::string NoConfigurationMessage(const std::string& path) {
  return ShownPath(path) +
         ": no configuration found under it (a tree is a handler folder, holding " +
         kHandlerFileName + ", static/*.xml or dynamic/*.xml, or a folder of such folders)";
}
