#include "tool/plan/GitTree.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <stdexcept>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/review/GitCommand.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// git cat-file --batch, started on the first read and ended with the source: one
// process for all the files of a plan. Each object asked for is read whole before
// the next is asked, so neither pipe fills while the other waits.
class ObjectReader {
 public:
  explicit ObjectReader(std::string folder) : folder_(std::move(folder)) {}
  ObjectReader(const ObjectReader&) = delete;
  ObjectReader& operator=(const ObjectReader&) = delete;
  ~ObjectReader() { Stop(); }

  // The blob's bytes; name is what messages call it.
  std::string Read(const std::string& object, const std::string& name) {
    if (pid_ < 0) Start();
    const std::string ask = object + '\n';
    if (!WriteAll(ask)) Fail(name, std::string("git stopped answering: ") + std::strerror(errno));
    const std::string header = ReadLine(name);
    // "<object> blob <size>", or "<object> missing".
    const std::size_t space = header.rfind(' ');
    std::uint64_t size = 0;
    if (space == std::string::npos ||
        std::from_chars(header.data() + space + 1, header.data() + header.size(), size).ec !=
            std::errc() ||
        header.find(" blob ") == std::string::npos)
      Fail(name, "git has no such file: " + header);
    if (size > kMaxInputBytes) {
      Skip(size + 1, name);
      const std::string reason =
          "it is larger than " + std::to_string(kMaxInputBytes >> 20) + " MiB";
      throw InputError(
          name, reason,
          "cannot read " + QuotedPath(name) + ": " + reason + ", the most an input may hold");
    }
    std::string bytes(size, '\0');
    ReadExactly(bytes.data(), size, name);
    char end = 0;
    ReadExactly(&end, 1, name);
    return bytes;
  }

 private:
  void Start() {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
      Fail(folder_, std::string("cannot run git: ") + std::strerror(errno));
    if (::pipe2(out, O_CLOEXEC) != 0) {
      const int error = errno;
      ::close(in[0]);
      ::close(in[1]);
      Fail(folder_, std::string("cannot run git: ") + std::strerror(error));
    }
    std::vector<std::string> words = {"git", "-C", folder_, "cat-file", "--batch"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, "git", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    if (spawned != 0) {
      ::close(in[1]);
      ::close(out[0]);
      Fail(folder_, std::string("cannot run git: ") + std::strerror(spawned));
    }
    pid_ = pid;
    toGit_ = in[1];
    fromGit_ = out[0];
  }

  void Stop() {
    if (toGit_ >= 0) ::close(toGit_);
    if (fromGit_ >= 0) ::close(fromGit_);
    toGit_ = fromGit_ = -1;
    if (pid_ > 0) {
      int status = 0;
      while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    pid_ = -1;
    buffered_.clear();
  }

  [[noreturn]] void Fail(const std::string& name, const std::string& why) {
    Stop();
    throw std::runtime_error(ShownPath(name) + ": " + why);
  }

  bool WriteAll(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t wrote = ::write(toGit_, text.data() + done, text.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return false;
      done += static_cast<std::size_t>(wrote);
    }
    return true;
  }

  // Some bytes into buffered_; false at the end of git's output.
  bool Fill(const std::string& name) {
    char chunk[65536];
    for (;;) {
      const ssize_t got = ::read(fromGit_, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) Fail(name, std::string("cannot read what git sent: ") + std::strerror(errno));
      buffered_.append(chunk, static_cast<std::size_t>(got));
      return got > 0;
    }
  }

  std::string ReadLine(const std::string& name) {
    std::size_t end;
    while ((end = buffered_.find('\n')) == std::string::npos)
      if (!Fill(name)) Fail(name, "git ended before it answered");
    std::string line = buffered_.substr(0, end);
    buffered_.erase(0, end + 1);
    return line;
  }

  void ReadExactly(char* into, std::uint64_t size, const std::string& name) {
    while (size > 0) {
      if (buffered_.empty() && !Fill(name)) Fail(name, "git ended before it sent the file");
      const std::size_t take =
          static_cast<std::size_t>(std::min<std::uint64_t>(size, buffered_.size()));
      std::memcpy(into, buffered_.data(), take);
      buffered_.erase(0, take);
      into += take;
      size -= take;
    }
  }

  void Skip(std::uint64_t size, const std::string& name) {
    while (size > 0) {
      if (buffered_.empty() && !Fill(name)) Fail(name, "git ended before it sent the file");
      const std::size_t take =
          static_cast<std::size_t>(std::min<std::uint64_t>(size, buffered_.size()));
      buffered_.erase(0, take);
      size -= take;
    }
  }

  std::string folder_;
  pid_t pid_ = -1;
  int toGit_ = -1;
  int fromGit_ = -1;
  std::string buffered_;
};

// One name of the listing, as ls-tree gave it.
struct Object {
  enum class Is { File, Link, Submodule };
  Is is = Is::File;
  std::string id;
};

class Committed final : public TreeSource {
 public:
  Committed(std::string folder, std::string label, std::string prefix)
      : label_(std::move(label)), prefix_(std::move(prefix)), reader_(std::move(folder)) {
    folders_[""];
  }

  // One line of ls-tree -z: "MODE TYPE OBJECT\tPATH".
  void Add(const std::string& line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab < 8) throw std::runtime_error("git ls-tree said: " + line);
    const std::string mode = line.substr(0, line.find(' '));
    const std::size_t idStart = line.rfind(' ', tab);
    Object object;
    object.id = line.substr(idStart + 1, tab - idStart - 1);
    object.is = mode == "120000"   ? Object::Is::Link
                : mode == "160000" ? Object::Is::Submodule
                                   : Object::Is::File;
    const std::string path = line.substr(tab + 1);
    // Every folder above the file, so that it is listed in its parent.
    std::size_t slash = 0;
    std::string parent;
    while ((slash = path.find('/', slash)) != std::string::npos) {
      const std::string folder = path.substr(0, slash);
      std::vector<Entry>& entries = folders_[parent];
      const std::string name = folder.substr(parent.empty() ? 0 : parent.size() + 1);
      if (folders_.find(folder) == folders_.end())
        entries.push_back({name, fs::file_type::directory, false});
      folders_[folder];
      parent = folder;
      ++slash;
    }
    const std::string name = path.substr(parent.empty() ? 0 : parent.size() + 1);
    Entry entry{name};
    if (object.is == Object::Is::File)
      entry.type = fs::file_type::regular;
    else
      entry.untold = true;
    folders_[parent].push_back(std::move(entry));
    objects_.emplace(path, std::move(object));
  }

  std::vector<Entry> Entries(const fs::path& folder) const override {
    const std::string key = Key(folder);
    if (const auto found = folders_.find(key); found != folders_.end()) return found->second;
    if (IsDanglingLink(folder)) throw std::runtime_error(DanglingMessage(folder));
    throw std::runtime_error(ShownPath(Name(folder)) +
                             ": cannot read the folder: not in the commit");
  }

  fs::file_type TypeOf(const fs::path& path, const fs::path&) const override {
    const std::string key = Key(path);
    if (folders_.contains(key)) return fs::file_type::directory;
    const auto found = objects_.find(key);
    if (found == objects_.end()) return fs::file_type::none;
    if (found->second.is != Object::Is::File) throw std::runtime_error(DanglingMessage(path));
    return fs::file_type::regular;
  }

  bool IsDanglingLink(const fs::path& path) const override {
    const auto found = objects_.find(Key(path));
    return found != objects_.end() && found->second.is != Object::Is::File;
  }

  std::string DanglingMessage(const fs::path& path) const override {
    const auto found = objects_.find(Key(path));
    const bool submodule = found != objects_.end() && found->second.is == Object::Is::Submodule;
    return ShownPath(Name(path)) + ": cannot read it: " +
           (submodule ? "a submodule, whose files are not in this repository"
                      : "a symbolic link in the commit, which is not followed");
  }

  std::string Name(const fs::path& path) const override {
    return label_ + ":" + prefix_ + Key(path);
  }

  std::string Read(const fs::path& path) const override {
    const std::string key = Key(path);
    const auto found = objects_.find(key);
    if (found == objects_.end())
      throw InputError(Name(path), "not in the commit",
                       "cannot read " + QuotedPath(Name(path)) + ": not in the commit");
    if (found->second.is != Object::Is::File) throw std::runtime_error(DanglingMessage(path));
    return reader_.Read(found->second.id, Name(path));
  }

 private:
  static std::string Key(const fs::path& path) {
    std::string key = path.generic_string();
    while (key.ends_with('/')) key.pop_back();
    return key;
  }

  std::string label_;
  std::string prefix_;
  // Per folder ("" for the root), its entries in the order ls-tree gave them.
  std::map<std::string, std::vector<Entry>> folders_;
  std::map<std::string, Object> objects_;
  mutable ObjectReader reader_;
};

}  // namespace

ConfigTree ScanCommittedTree(const std::string& rev, const std::string& tree, std::ostream& notes) {
  std::error_code ec;
  if (!fs::is_directory(tree, ec))
    throw std::runtime_error(ShownPath(tree) + ": not a folder (a configuration tree is a folder)");
  const GitResult where =
      RunGit({"-C", tree, "rev-parse", "--is-inside-work-tree", "--show-prefix"});
  if (where.exitCode != 0 || !where.out.starts_with("true\n"))
    throw std::runtime_error(ShownPath(tree) +
                             ": not in a git work tree (--git compares it with a commit of its "
                             "repository)" +
                             (where.exitCode != 0 ? ": " + GitMessage(where) : std::string()));
  std::string prefix = where.out.substr(5);
  while (prefix.ends_with('\n')) prefix.pop_back();

  // --end-of-options: a REV that starts with a dash is a name to look up, never an
  // option of git's.
  const GitResult commit = RunGit(
      {"-C", tree, "rev-parse", "--verify", "--quiet", "--end-of-options", rev + "^{commit}"});
  std::string id = commit.out;
  while (id.ends_with('\n')) id.pop_back();
  if (commit.exitCode != 0 || id.empty() ||
      id.find_first_not_of("0123456789abcdef") != std::string::npos)
    throw std::runtime_error(ShownPath(rev) + ": no such commit in the repository of " +
                             ShownPath(tree));

  // Without --full-tree, ls-tree lists the folder it runs in, by paths relative to it.
  const GitResult listing = RunGit({"-C", tree, "ls-tree", "-r", "-z", id});
  if (listing.exitCode != 0)
    throw std::runtime_error(ShownPath(rev) + ": cannot list the commit: " + GitMessage(listing));
  auto source = std::make_shared<Committed>(tree, rev, prefix);
  std::size_t start = 0;
  while (start < listing.out.size()) {
    std::size_t end = listing.out.find('\0', start);
    if (end == std::string::npos) end = listing.out.size();
    if (end > start) source->Add(listing.out.substr(start, end - start));
    start = end + 1;
  }
  const std::string name = source->Name(fs::path());
  ConfigTree scanned = ConfigTree::Scan(std::move(source), fs::path(), notes);
  if (!scanned.HoldsAnything()) throw std::runtime_error(NoConfigurationMessage(name));
  return scanned;
}
