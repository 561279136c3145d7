#include "tool/batch/Journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <stdexcept>

#include "files/AtomicSave.h"
#include "files/Descriptor.h"
#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/module/ConfigKind.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".hcdtool-journal-";
constexpr std::string_view kHeader = "hcdtool journal 2\n";
constexpr std::string_view kEnd = "end";
// A journal names a few hundred bytes a file; more than this is none of ours.
constexpr std::uint64_t kMaxJournalBytes = std::uint64_t{64} << 20;

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw std::runtime_error("cannot write the journal " + QuotedPath(path) + ": " + why);
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// What path is now, links followed; none when it cannot be told.
std::optional<FileIdentity> IdentityAt(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

std::string FirstLine(const std::string& path) {
  std::string text;
  try {
    text = ReadInputFile(path, {.limit = 4096});
  } catch (const std::exception&) {
    return "";
  }
  return text.substr(0, text.find('\n'));
}

// The moment a process started, in clock ticks since the boot (the 22nd field of
// /proc/PID/stat, after the name in parentheses, which may hold anything); empty
// where /proc does not tell it. With the boot's id it tells a process from a later
// one that was given the same number.
std::string StartOf(pid_t pid) {
  const std::string stat = FirstLine("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return "";
  std::size_t at = close + 1;
  // Fields 3 to 21 come before it.
  for (int field = 3; field <= 22; ++field) {
    at = stat.find_first_not_of(' ', at);
    if (at == std::string::npos) return "";
    const std::size_t end = std::min(stat.find(' ', at), stat.size());
    if (field == 22) return stat.substr(at, end - at);
    at = end;
  }
  return "";
}

std::string BootId() { return FirstLine("/proc/sys/kernel/random/boot_id"); }

// Whether the process that wrote a journal still runs: its number in use, and, where
// the journal says when it started, by a process that started then.
bool Alive(pid_t pid, const std::string& start, const std::string& boot) {
  if (pid == ::getpid()) return true;
  if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
  if (!boot.empty() && boot != BootId()) return false;
  if (!start.empty()) {
    const std::string now = StartOf(pid);
    if (!now.empty() && now != start) return false;
  }
  return true;
}

// The process id in a journal's name, ".hcdtool-journal-PID-TAG" with TAG 16 hex
// digits, or 0 for any other name.
pid_t ProcessInName(std::string_view name) {
  if (!name.starts_with(kPrefix)) return 0;
  name.remove_prefix(kPrefix.size());
  pid_t pid = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (ec != std::errc() || pid <= 0) return 0;
  const std::string_view tag(end, static_cast<std::size_t>(name.data() + name.size() - end));
  if (tag.size() != 17 || tag.front() != '-' ||
      tag.find_first_not_of("0123456789abcdef", 1) != std::string_view::npos)
    return 0;
  return pid;
}

std::string RandomTag() {
  std::random_device random;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string tag;
  for (int i = 0; i < 16; ++i) tag += kHex[random() % 16];
  return tag;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& number) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

void AddField(std::string& content, std::string_view field) {
  content += field;
  content += '\0';
}

void AddIdentity(std::string& content, const FileIdentity& identity) {
  AddField(content, std::to_string(identity.device));
  AddField(content, std::to_string(identity.inode));
  AddField(content, std::to_string(identity.size));
  AddField(content, std::to_string(identity.modifiedNs));
}

void AddWords(std::string& content, const std::vector<std::string>& words) {
  AddField(content, std::to_string(words.size()));
  for (const std::string& word : words) AddField(content, word);
}

// The journal's fields one by one; a field counts only with the zero byte that ends
// it, so that a journal cut inside a field never passes for a shorter whole one.
class Fields {
 public:
  Fields(const std::string& content, std::size_t at) : content_(content), at_(at) {}
  std::optional<std::string> Next() {
    const std::size_t end = content_.find('\0', at_);
    if (end == std::string::npos) return std::nullopt;
    std::string field = content_.substr(at_, end - at_);
    at_ = end + 1;
    return field;
  }
  template <typename Value>
  bool Number(Value& number) {
    const std::optional<std::string> field = Next();
    return field && ParseNumber(*field, number);
  }
  bool Words(std::vector<std::string>& words) {
    std::size_t count = 0;
    if (!Number(count) || count > 4096) return false;
    for (std::size_t i = 0; i < count; ++i) {
      std::optional<std::string> word = Next();
      if (!word) return false;
      words.push_back(std::move(*word));
    }
    return true;
  }
  bool Identity(FileIdentity& identity) {
    return Number(identity.device) && Number(identity.inode) && Number(identity.size) &&
           Number(identity.modifiedNs);
  }

 private:
  const std::string& content_;
  std::size_t at_;
};

// A name of a file of the handler folder, as the journal gives it: "handler.xml" or
// "static/NAME", never a way out of the folder.
bool InsideHandlerFolder(const std::string& relative) {
  const std::size_t slash = relative.find('/');
  const std::string last = slash == std::string::npos ? relative : relative.substr(slash + 1);
  if (last.empty() || last == "." || last == ".." || last.find('/') != std::string::npos)
    return false;
  if (slash == std::string::npos) return true;
  const std::string first = relative.substr(0, slash);
  return first == FolderOf(ConfigKind::Static) || first == FolderOf(ConfigKind::Dynamic);
}

// ".NAME.tmp-PID-N", the name of a temporary of the process, and nothing else.
bool IsTemporaryOf(const std::string& name, pid_t process) {
  const std::string mark = ".tmp-" + std::to_string(process) + "-";
  const std::size_t at = name.rfind(mark);
  if (!name.starts_with('.') || at == std::string::npos || at == 0) return false;
  const std::string number = name.substr(at + mark.size());
  return !number.empty() && number.find_first_not_of("0123456789") == std::string::npos &&
         name.find('/') == std::string::npos;
}

std::string FolderPart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

std::string NamePart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Removes the name in folder only while it is a regular file of this user with a
// single name and the identity given: the file recorded, and no other.
bool RemoveIfStill(const std::string& path, const FileIdentity& identity) {
  // The folder may be reached through a link (a handler folder linked into a tree):
  // what is checked is the file in it, by the descriptor of the folder it is in.
  const Descriptor folder(::open(FolderPart(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder) return false;
  struct stat status {};
  const std::string name = NamePart(path);
  if (::fstatat(folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || status.st_nlink != 1 ||
      IdentityOf(status) != identity) {
    errno = ESTALE;
    return false;
  }
  return ::unlinkat(folder.get(), name.c_str(), 0) == 0;
}

// A journal as found, or why it is not trusted.
struct Inspected {
  std::string untrusted;  // why it is not read
  std::string content;
  FileIdentity identity;
};

Inspected Inspect(const std::string& path) {
  Inspected result;
  // Never through a link, and never waiting for a FIFO's writer.
  const Descriptor fd(
      ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat status {};
  if (!fd) {
    const int error = errno;
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode))
      result.untrusted = "it is a symbolic link";
    else
      result.untrusted = std::string("it cannot be opened: ") + std::strerror(error);
    return result;
  }
  if (::fstat(fd.get(), &status) != 0) {
    result.untrusted = std::string("it cannot be looked at: ") + std::strerror(errno);
  } else if (!S_ISREG(status.st_mode)) {
    result.untrusted = S_ISFIFO(status.st_mode) ? "it is a FIFO" : "it is not a regular file";
  } else if (status.st_uid != ::geteuid()) {
    result.untrusted = "it belongs to user " + std::to_string(status.st_uid) +
                       ", not to the user running hcdtool (" + std::to_string(::geteuid()) + ")";
  } else if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    result.untrusted = "others may write it";
  } else if (status.st_nlink != 1) {
    result.untrusted = "it has " + std::to_string(status.st_nlink) + " names (hard links)";
  }
  if (!result.untrusted.empty()) return result;
  result.identity = IdentityOf(status);
  try {
    // Read as any input is, now that it is known to be a regular file.
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    result.content = ReadInput(fd, path, {.limit = kMaxJournalBytes});
  } catch (const std::exception& e) {
    result.untrusted = std::string("it cannot be read: ") + e.what();
  }
  return result;
}

// The journal of a run as read: what it names, or as much of it as was written.
struct Parsed {
  bool header = false;  // tag, process and command read
  bool whole = false;
  std::string tag, start, boot, folder;
  std::size_t total = 0;
  JournalCommand command;
  std::vector<std::pair<JournalEntry, bool>> entries;  // with whether its identities were read
  std::string damage;                                  // a whole journal that makes no sense
};

Parsed Parse(const std::string& content, const fs::path& handlerFolder) {
  Parsed parsed;
  if (!std::string_view(kHeader).starts_with(std::string_view(content).substr(0, kHeader.size())))
    return parsed.damage = "it is no journal this tool can read", parsed;
  if (content.size() < kHeader.size()) return parsed;
  Fields fields(content, kHeader.size());
  pid_t process = 0;
  std::optional<std::string> tag = fields.Next();
  if (!tag || !fields.Number(process)) return parsed;
  parsed.tag = *tag;
  std::optional<std::string> start = fields.Next(), boot = fields.Next(), folder = fields.Next();
  if (!start || !boot || !folder || !fields.Number(parsed.total) ||
      !fields.Words(parsed.command.words) || !fields.Words(parsed.command.finishPrefix))
    return parsed;
  parsed.start = *start;
  parsed.boot = *boot;
  parsed.folder = *folder;
  parsed.header = true;
  std::size_t count = 0;
  if (!fields.Number(count)) return parsed;
  for (std::size_t i = 0; i < count; ++i) {
    std::optional<std::string> shown = fields.Next(), relative = fields.Next();
    if (!shown || !relative) return parsed;
    if (!InsideHandlerFolder(*relative)) {
      parsed.entries.clear();
      return parsed.damage = "it names a file outside its folder: " + QuotedPath(*relative), parsed;
    }
    JournalEntry entry;
    entry.shown = *shown;
    entry.path = (handlerFolder / *relative).string();
    std::optional<std::string> temporary = fields.Next();
    const bool whole = temporary && fields.Identity(entry.after) && fields.Identity(entry.before);
    if (temporary) {
      if (!IsTemporaryOf(*temporary, process)) {
        parsed.entries.clear();
        return parsed.damage =
                   "it names a file that is no temporary of its own: " + QuotedPath(*temporary),
               parsed;
      }
      // Beside the file it replaces, its links followed.
      try {
        entry.temporary = FolderPart(ResolveSaveTarget(entry.path)) + "/" + *temporary;
      } catch (const std::exception&) {
        entry.temporary.clear();
      }
    }
    parsed.entries.emplace_back(std::move(entry), whole);
    if (!whole) return parsed;
  }
  std::optional<std::string> end = fields.Next();
  parsed.whole = end && *end == kEnd;
  return parsed;
}

// The temporaries of the process in the handler folder, for a journal cut before it
// named any: beside handler.xml and the record sets.
std::vector<std::string> TemporariesOf(pid_t process, const fs::path& handlerFolder) {
  std::vector<std::string> found;
  for (const fs::path& folder : {handlerFolder, handlerFolder / FolderOf(ConfigKind::Static),
                                 handlerFolder / FolderOf(ConfigKind::Dynamic)}) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) continue;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      struct stat status {};
      if (!IsTemporaryOf(name, process) ||
          ::fstatat(::dirfd(dir), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
          !S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || status.st_nlink != 1)
        continue;
      found.push_back((folder / name).string());
    }
    ::closedir(dir);
  }
  std::sort(found.begin(), found.end());
  return found;
}

// The folders a path covers where journals may lie (see FindCutOffRuns).
void AddFoldersOf(const std::string& path, std::vector<fs::path>& folders) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec).lexically_normal();
  if (ec) return;
  if (!fs::is_directory(absolute, ec)) {
    folders.push_back(JournalFolderOf(absolute));
    folders.push_back(absolute.parent_path());
    return;
  }
  fs::path folder = absolute;
  if (!folder.has_filename()) folder = folder.parent_path();
  folders.push_back(folder);
  const std::string name = folder.filename().string();
  if (name == FolderOf(ConfigKind::Static) || name == FolderOf(ConfigKind::Dynamic))
    folders.push_back(folder.parent_path());
  fs::directory_iterator it(folder, ec);
  if (ec) return;
  std::vector<fs::path> below;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    if (it->is_directory(typeError)) below.push_back(it->path());
  }
  std::sort(below.begin(), below.end());
  folders.insert(folders.end(), below.begin(), below.end());
}

std::string Command(const std::vector<std::string>& words) {
  std::string line = "hcdtool";
  for (const std::string& word : words) line += " " + ShownPath(word);
  return line;
}

std::string Listed(const std::vector<const JournalEntry*>& entries) {
  std::string list;
  for (const JournalEntry* entry : entries)
    list += (list.empty() ? "" : ", ") + ShownPath(entry->shown);
  return list;
}

std::string Files(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " file" : " files");
}

std::string CurrentFolder() {
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  return ec ? "" : current.string();
}

}  // namespace

FileIdentity IdentityOf(const struct stat& status) {
  return {
      status.st_dev, status.st_ino, static_cast<std::int64_t>(status.st_size),
      static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

fs::path JournalFolderOf(const fs::path& file) {
  std::error_code ec;
  fs::path folder = fs::absolute(file, ec).lexically_normal().parent_path();
  const std::string name = folder.filename().string();
  if (name == FolderOf(ConfigKind::Static) || name == FolderOf(ConfigKind::Dynamic))
    folder = folder.parent_path();
  return folder;
}

Journal::Journal(const JournalCommand& command, const std::vector<JournalEntry>& entries) {
  std::map<fs::path, std::vector<const JournalEntry*>> byFolder;
  for (const JournalEntry& entry : entries) byFolder[JournalFolderOf(entry.path)].push_back(&entry);
  const std::string tag = RandomTag();
  const pid_t process = ::getpid();
  std::string head(kHeader);
  AddField(head, tag);
  AddField(head, std::to_string(process));
  AddField(head, StartOf(process));
  AddField(head, BootId());
  AddField(head, CurrentFolder());
  AddField(head, std::to_string(entries.size()));
  AddWords(head, command.words);
  AddWords(head, command.finishPrefix);
  try {
    for (const auto& [folder, named] : byFolder) {
      std::string content = head;
      AddField(content, std::to_string(named.size()));
      for (const JournalEntry* entry : named) {
        AddField(content, entry->shown);
        AddField(content, fs::path(entry->path).lexically_relative(folder).string());
        AddField(content, NamePart(entry->temporary));
        AddIdentity(content, entry->after);
        AddIdentity(content, entry->before);
      }
      AddField(content, kEnd);
      const std::string path = (folder / kPrefix).string() + std::to_string(process) + "-" + tag;
      // Never over a file that is there, and never through a link put in its place.
      const Descriptor fd(
          ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
      if (!fd) Fail(path, std::strerror(errno));
      paths_.push_back(path);
      if (!WriteAll(fd.get(), content)) Fail(path, std::strerror(errno));
    }
  } catch (...) {
    for (const std::string& path : paths_) ::unlink(path.c_str());
    throw;
  }
}

bool Journal::Remove() {
  bool removed = true;
  int error = 0;
  for (const std::string& path : paths_)
    if (::unlink(path.c_str()) != 0) {
      removed = false;
      error = errno;
    }
  errno = error;
  return removed;
}

CutOffRuns FindCutOffRuns(const std::vector<std::string>& paths) {
  std::vector<fs::path> folders;
  for (const std::string& path : paths) AddFoldersOf(path, folders);
  CutOffRuns found;
  std::map<std::string, std::size_t> byTag;
  std::set<std::pair<dev_t, ino_t>> seen;
  for (const fs::path& folder : folders) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !seen.emplace(status.st_dev, status.st_ino).second)
      continue;
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
      while (const dirent* entry = ::readdir(dir))
        if (std::string_view(entry->d_name).starts_with(kPrefix)) names.emplace_back(entry->d_name);
      ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      const std::string path = (folder / name).string();
      const pid_t process = ProcessInName(name);
      if (process == 0) {
        found.untrusted.push_back(ShownPath(path) +
                                  ": named like a journal of hcdtool, but not as it names "
                                  "its journals: not read, and left as it is");
        continue;
      }
      const Inspected inspected = Inspect(path);
      if (!inspected.untrusted.empty()) {
        found.untrusted.push_back(ShownPath(path) + ": named like a journal of hcdtool, but " +
                                  ShownLine(inspected.untrusted) + ": not read, and left as it is");
        continue;
      }
      const Parsed parsed = Parse(inspected.content, folder);
      if (!parsed.damage.empty()) {
        found.untrusted.push_back(ShownPath(path) + ": named like a journal of hcdtool, but " +
                                  ShownLine(parsed.damage) + ": not used, and left as it is");
        continue;
      }
      if (Alive(process, parsed.start, parsed.boot)) continue;
      // The journals of one run, in several handler folders, tell one story.
      const std::string key = parsed.header ? parsed.tag : path;
      auto [at, added] = byTag.try_emplace(key, found.runs.size());
      if (added) found.runs.emplace_back();
      CutOffRun& run = found.runs[at->second];
      run.journals.push_back({path, inspected.identity});
      run.process = process;
      if (parsed.header) {
        run.tag = parsed.tag;
        run.command = parsed.command;
        run.folder = parsed.folder;
        run.total = parsed.total;
      }
      if (!parsed.whole) run.cut = true;
      if (!parsed.whole) {
        // What a journal cut short could not name is known by the process in its name.
        std::set<std::string> named;
        for (const auto& [entry, whole] : parsed.entries) named.insert(entry.temporary);
        for (std::string& left : TemporariesOf(process, folder))
          if (!named.contains(left)) run.leftAside.push_back(std::move(left));
      }
      for (const auto& [entry, whole] : parsed.entries) {
        CutOffRun::Outcome outcome = CutOffRun::Outcome::Changed;
        const std::optional<FileIdentity> now = IdentityAt(entry.path);
        if (!whole)
          // The journal was cut inside this record, so no file had been replaced.
          outcome = CutOffRun::Outcome::NotReplaced;
        else if (now == entry.after)
          outcome = CutOffRun::Outcome::Replaced;
        else if (now == entry.before)
          outcome = CutOffRun::Outcome::NotReplaced;
        run.files.emplace_back(entry, outcome);
      }
    }
  }
  for (CutOffRun& run : found.runs)
    std::stable_sort(run.files.begin(), run.files.end(),
                     [](const auto& a, const auto& b) { return a.first.shown < b.first.shown; });
  return found;
}

void ReportCutOffRuns(const CutOffRuns& found, std::ostream& out) {
  for (const std::string& line : found.untrusted) out << "hcdtool: note: " << line << '\n';
  const std::string here = CurrentFolder();
  for (const CutOffRun& run : found.runs) {
    std::vector<const JournalEntry*> replaced, notReplaced, changed;
    for (const auto& [entry, outcome] : run.files)
      (outcome == CutOffRun::Outcome::Replaced      ? replaced
       : outcome == CutOffRun::Outcome::NotReplaced ? notReplaced
                                                    : changed)
          .push_back(&entry);
    const bool named = !run.command.words.empty();
    const std::string command = named ? "`" + Command(run.command.words) + "`" : "a change";
    const std::string from =
        !run.folder.empty() && run.folder != here ? " (run in " + ShownPath(run.folder) + ")" : "";
    // Its journals, one in each handler folder: by name when one, else by their number.
    std::string journals = "journal " + ShownPath(run.journals.front().path);
    if (run.journals.size() > 1)
      journals = "journals " + ShownPath(NamePart(run.journals.front().path)) + " in " +
                 std::to_string(run.journals.size()) + " handler folders";
    out << "hcdtool: " << command << from << ", process " << run.process;
    if (run.cut) {
      out << ", was cut off while it wrote its journal, before it replaced any file (" << journals
          << "): it replaced none of its files";
      if (!run.files.empty()) {
        std::vector<const JournalEntry*> all;
        for (const auto& [entry, outcome] : run.files) all.push_back(&entry);
        out << " (it had named " << Listed(all) << ")";
      }
      if (!run.leftAside.empty()) {
        out << "; the new contents it left aside are ";
        for (std::size_t i = 0; i < run.leftAside.size(); ++i)
          out << (i == 0 ? "" : ", ") << ShownPath(run.leftAside[i]);
      }
      out << ". " << (named ? "Run it again" : "Run the change again")
          << " if it is still wanted.\n";
      continue;
    }
    out << ", was cut off while it replaced its " << Files(run.total) << " (" << journals << "). ";
    const std::size_t count = run.files.size();
    if (count < run.total) out << "Of the " << Files(count) << " under the paths given, ";
    out << replaced.size() << (replaced.size() == 1 ? " has" : " have") << " its change";
    if (!replaced.empty()) out << " (" << Listed(replaced) << ")";
    out << ", " << notReplaced.size() << (notReplaced.size() == 1 ? " does" : " do") << " not";
    if (!notReplaced.empty()) out << " (" << Listed(notReplaced) << ")";
    if (!changed.empty())
      out << ", and " << changed.size() << (changed.size() == 1 ? " was" : " were")
          << " changed since by another program (" << Listed(changed) << ")";
    out << "; each file is whole, the old or the new. ";
    if (notReplaced.empty()) {
      out << "Nothing is left to do for the files under the paths given.\n";
    } else if (run.command.finishPrefix.empty()) {
      out << "To finish the change, run it again" << from
          << ": a file that has the change already is left as it is.\n";
    } else {
      std::vector<std::string> finish = run.command.finishPrefix;
      for (const JournalEntry* entry : notReplaced) finish.push_back(entry->shown);
      out << "To finish the change, run it over the files that do not have it" << from << ": `"
          << Command(finish) << "`.\n";
    }
  }
}

void ClearCutOffRun(const CutOffRun& run, bool journals, std::ostream& out) {
  std::size_t removed = 0;
  for (const auto& [entry, outcome] : run.files) {
    if (outcome == CutOffRun::Outcome::Replaced || entry.temporary.empty()) continue;
    // Only the temporary the run wrote: what it is now is what the journal recorded.
    if (RemoveIfStill(entry.temporary, entry.after)) ++removed;
  }
  for (const std::string& left : run.leftAside) {
    const std::optional<FileIdentity> identity = IdentityAt(left);
    if (identity && RemoveIfStill(left, *identity)) ++removed;
  }
  if (removed > 0)
    out << "hcdtool: removed the " << Files(removed)
        << " of new content the cut-off run had left aside\n";
  if (!journals) return;
  // One line for all of them: a run over many folders left a journal in each.
  std::size_t gone = 0;
  for (const CutOffRun::Found& journal : run.journals) {
    if (RemoveIfStill(journal.path, journal.identity))
      ++gone;
    else
      out << "hcdtool: cannot remove the journal " << QuotedPath(journal.path) << ": "
          << std::strerror(errno) << '\n';
  }
  if (gone == 1 && run.journals.size() == 1)
    out << "hcdtool: removed the journal " << ShownPath(run.journals.front().path) << '\n';
  else if (gone > 0)
    out << "hcdtool: removed the " << gone << " journals of the cut-off run\n";
}
