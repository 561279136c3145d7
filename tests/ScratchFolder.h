#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

// A folder of its own for one test, one suite or one benchmark run: made new under a
// parent folder (the system's temporary folder unless told), named from prefix and a
// suffix no other run has, and removed with everything in it when the object dies,
// including what a test made unreadable. Tests and benchmarks use this one; none
// makes its own.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix, const std::filesystem::path& under =
                                                        std::filesystem::temp_directory_path()) {
    std::filesystem::create_directories(under);
    std::string pattern = (under / (prefix + ".XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    // A folder a test locked (mode 000) must not stop the clean-up.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      if (it->is_directory(ignored) && !it->is_symlink(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of relative inside the folder.
  std::string Path(const std::string& relative) const { return (path_ / relative).string(); }
  // Writes text into relative, making the folders on the way; throws when it cannot.
  std::filesystem::path Write(const std::string& relative, const std::string& text) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
  }

 private:
  std::filesystem::path path_;
};
