// hcd_plan_floor OLD NEW: the floor of `hcdtool plan` as a process. Reads every file
// of both trees the way the tool reads a configuration file, and parses each with
// pugixml with the options of the configuration reader, nothing more. Exit 1 when a
// file cannot be read or parsed.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <pugixml.hpp>
#include <string>

namespace {

// As props/PropsXmlReader.cpp hands them to pugixml.
constexpr unsigned kReaderParseOptions = pugi::parse_cdata | pugi::parse_ws_pcdata |
                                         pugi::parse_declaration | pugi::parse_doctype |
                                         pugi::parse_fragment;

bool ReadFile(const char* path, std::string& content) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  bool ok = ::fstat(fd, &status) == 0;
  std::size_t size = 0;
  if (ok) {
    content.resize(static_cast<std::size_t>(status.st_size) + 1);
    for (;;) {
      const ssize_t got = ::read(fd, content.data() + size, content.size() - size);
      if (got <= 0) {
        ok = got == 0;
        break;
      }
      size += static_cast<std::size_t>(got);
      if (size == content.size()) content.resize(size * 2);
    }
  }
  ::close(fd);
  content.resize(size);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: hcd_plan_floor OLD NEW\n");
    return 2;
  }
  std::size_t files = 0;
  std::string content;
  for (int tree = 1; tree <= 2; ++tree) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[tree])) {
      if (!entry.is_regular_file()) continue;
      if (!ReadFile(entry.path().c_str(), content)) {
        std::fprintf(stderr, "hcd_plan_floor: cannot read %s\n", entry.path().c_str());
        return 1;
      }
      pugi::xml_document document;
      if (!document.load_buffer(content.data(), content.size(), kReaderParseOptions,
                                pugi::encoding_utf8)) {
        std::fprintf(stderr, "hcd_plan_floor: cannot parse %s\n", entry.path().c_str());
        return 1;
      }
      ++files;
    }
  }
  std::printf("%zu files\n", files);
  return 0;
}
