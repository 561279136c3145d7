#include "tool/batch/Journal.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ostream>
#include <set>
#include <stdexcept>

#include "files/Descriptor.h"
#include "files/InputFile.h"
#include "text/TextEscape.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".hcdtool-journal-";
constexpr std::string_view kHeader = "hcdtool journal 1\n";
constexpr std::size_t kFields = 5;

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

bool SyncFolder(const fs::path& folder) {
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd && ::fsync(fd.get()) == 0;
}

// The process id in a journal's name, or 0 when the name is none of ours.
pid_t OwnerOf(std::string_view name) {
  if (!name.starts_with(kPrefix)) return 0;
  name.remove_prefix(kPrefix.size());
  pid_t pid = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (ec != std::errc() || pid <= 0) return 0;
  const std::string_view rest(end, static_cast<std::size_t>(name.data() + name.size() - end));
  if (!rest.empty() && (rest.front() != '-' || rest.size() == 1)) return 0;
  return pid;
}

bool Alive(pid_t pid) { return pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH; }

bool Is(const std::string& path, dev_t device, ino_t inode) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && status.st_dev == device && status.st_ino == inode;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& number) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  return ec == std::errc() && end == text.data() + text.size();
}

CutOffRun ReadJournal(const std::string& path) {
  CutOffRun run;
  run.journal = path;
  std::string content;
  try {
    content = ReadInputFile(path);
  } catch (const std::exception& e) {
    run.error = e.what();
    return run;
  }
  if (!content.starts_with(kHeader)) {
    run.error = QuotedPath(path) + ": not a journal this tool can read";
    return run;
  }
  std::vector<std::string> fields;
  for (std::size_t at = kHeader.size(); at < content.size();) {
    const std::size_t end = content.find('\0', at);
    if (end == std::string::npos) break;
    fields.push_back(content.substr(at, end - at));
    at = end + 1;
  }
  if (fields.size() % kFields != 0) {
    run.error = QuotedPath(path) + ": the journal is cut short";
    return run;
  }
  for (std::size_t i = 0; i < fields.size(); i += kFields) {
    JournalEntry entry{fields[i], fields[i + 1], fields[i + 2]};
    if (!ParseNumber(fields[i + 3], entry.device) || !ParseNumber(fields[i + 4], entry.inode)) {
      run.error = QuotedPath(path) + ": the journal is damaged";
      run.files.clear();
      return run;
    }
    CutOffRun::Outcome outcome = CutOffRun::Outcome::Changed;
    if (Is(entry.temporary, entry.device, entry.inode))
      outcome = CutOffRun::Outcome::NotReplaced;
    else if (Is(entry.target, entry.device, entry.inode))
      outcome = CutOffRun::Outcome::Replaced;
    run.files.emplace_back(std::move(entry), outcome);
  }
  return run;
}

}  // namespace

Journal::Journal(const fs::path& folder, const std::vector<JournalEntry>& entries) {
  std::string content(kHeader);
  for (const JournalEntry& entry : entries) {
    for (const std::string& field : {entry.shown, entry.target, entry.temporary,
                                     std::to_string(entry.device), std::to_string(entry.inode)}) {
      content += field;
      content += '\0';
    }
  }
  const std::string base = (folder / kPrefix).string() + std::to_string(::getpid());
  Descriptor fd;
  // Never over a file that is there already: a journal left by an earlier process of
  // the same number is someone's record.
  for (unsigned attempt = 0; !fd; ++attempt) {
    path_ = attempt == 0 ? base : base + "-" + std::to_string(attempt);
    fd = Descriptor(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!fd && (errno != EEXIST || attempt == 100)) Fail(path_, std::strerror(errno));
  }
  if (!WriteAll(fd.get(), content) || ::fsync(fd.get()) != 0) {
    const int error = errno;
    ::unlink(path_.c_str());
    Fail(path_, std::strerror(error));
  }
  // The journal must be found after a power loss, so its name is made durable too.
  if (!SyncFolder(folder)) {
    const int error = errno;
    ::unlink(path_.c_str());
    Fail(path_, std::string("cannot sync its folder: ") + std::strerror(error));
  }
}

bool Journal::Remove() {
  if (::unlink(path_.c_str()) != 0) return false;
  SyncFolder(fs::path(path_).parent_path());
  return true;
}

fs::path SharedFolder(const std::vector<fs::path>& files) {
  fs::path shared;
  bool first = true;
  for (const fs::path& file : files) {
    const fs::path folder = fs::absolute(file).lexically_normal().parent_path();
    if (first) {
      shared = folder;
      first = false;
      continue;
    }
    fs::path common;
    for (auto a = shared.begin(), b = folder.begin();
         a != shared.end() && b != folder.end() && *a == *b; ++a, ++b)
      common /= *a;
    shared = common;
  }
  return shared;
}

std::vector<CutOffRun> FindCutOffRuns(const std::vector<std::string>& paths) {
  std::set<fs::path> folders;
  for (const std::string& path : paths) {
    std::error_code ec;
    fs::path folder = fs::absolute(path, ec).lexically_normal();
    if (ec) continue;
    if (!folder.has_filename()) folder = folder.parent_path();
    if (!fs::is_directory(folder, ec)) folder = folder.parent_path();
    for (;; folder = folder.parent_path()) {
      folders.insert(folder);
      if (folder == folder.root_path() || !folder.has_parent_path()) break;
    }
  }
  std::vector<CutOffRun> runs;
  for (const fs::path& folder : folders) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) continue;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) break;
      const std::string name = it->path().filename().string();
      const pid_t owner = OwnerOf(name);
      if (owner == 0 || Alive(owner)) continue;
      runs.push_back(ReadJournal(it->path().string()));
    }
  }
  return runs;
}

void ReportCutOffRuns(const std::vector<CutOffRun>& runs, std::ostream& out) {
  for (const CutOffRun& run : runs) {
    if (!run.error.empty()) {
      out << "hcdtool: a change of many files was cut off, and its journal cannot be read: "
          << ShownLine(run.error) << '\n';
      continue;
    }
    std::size_t replaced = 0;
    for (const auto& [entry, outcome] : run.files)
      if (outcome == CutOffRun::Outcome::Replaced) ++replaced;
    out << "hcdtool: a change of " << run.files.size()
        << " files was cut off while it replaced them (journal " << QuotedPath(run.journal)
        << "): " << replaced << " replaced, " << run.files.size() - replaced
        << " not; each file is whole, the old or the new\n";
    for (const auto& [entry, outcome] : run.files) {
      const char* word = outcome == CutOffRun::Outcome::Replaced ? "replaced"
                         : outcome == CutOffRun::Outcome::NotReplaced
                             ? "not replaced"
                             : "changed since by another program";
      out << "hcdtool:   " << word << ": " << ShownPath(entry.shown) << '\n';
    }
  }
}

void ClearCutOffRun(const CutOffRun& run, std::ostream& out) {
  if (!run.error.empty()) return;
  for (const auto& [entry, outcome] : run.files) {
    if (outcome != CutOffRun::Outcome::NotReplaced) continue;
    // Still the file the run wrote: the same inode it recorded.
    if (Is(entry.temporary, entry.device, entry.inode) && ::unlink(entry.temporary.c_str()) != 0)
      out << "hcdtool: cannot remove " << QuotedPath(entry.temporary) << ": "
          << std::strerror(errno) << '\n';
  }
  if (::unlink(run.journal.c_str()) != 0)
    out << "hcdtool: cannot remove the journal " << QuotedPath(run.journal) << ": "
        << std::strerror(errno) << '\n';
  else
    out << "hcdtool: removed the journal " << QuotedPath(run.journal)
        << " and the new contents it had not put in place\n";
}
