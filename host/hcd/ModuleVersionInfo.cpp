#include "hcd/ModuleVersionInfo.h"

#include <elf.h>

#include <cstring>
#include <stdexcept>

#include "files/InputFile.h"
#include "hcd/HcdVersionRecord.h"
#include "text/TextEscape.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw std::runtime_error("cannot read the version record of " +
                           ShownToken(path, TextBytes::Utf8) + ": " + why);
}

template <typename T>
T ReadAt(const std::string& bytes, std::size_t offset, const std::string& path) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) Fail(path, "truncated ELF file");
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

// Read once and bounded like every input: a device such as /dev/zero would never end.
std::string ReadWholeFile(const std::string& path) { return ReadInputFile(path); }

}  // namespace

std::string ModuleVersionInfo::Get(const std::string& key) const {
  for (const auto& [k, v] : entries)
    if (k == key) return v;
  return {};
}

ModuleVersionInfo ModuleVersionInfo::ReadFromFile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  const auto header = ReadAt<Elf64_Ehdr>(bytes, 0, path);
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
    Fail(path, "not a 64-bit ELF file");
  if (header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum)
    Fail(path, "no section table");

  auto section = [&](std::size_t index) {
    return ReadAt<Elf64_Shdr>(bytes, header.e_shoff + index * sizeof(Elf64_Shdr), path);
  };
  const Elf64_Shdr names = section(header.e_shstrndx);
  if (names.sh_offset > bytes.size() || bytes.size() - names.sh_offset < names.sh_size)
    Fail(path, "truncated section names");
  const std::string_view nameTable(bytes.data() + names.sh_offset, names.sh_size);

  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const Elf64_Shdr s = section(i);
    if (s.sh_name >= nameTable.size()) continue;
    const std::string_view rest = nameTable.substr(s.sh_name);
    const std::string_view name = rest.substr(0, rest.find('\0'));
    if (name != HCD_VERSION_SECTION) continue;
    if (s.sh_offset > bytes.size() || bytes.size() - s.sh_offset < s.sh_size)
      Fail(path, "truncated version record");

    std::string_view text(bytes.data() + s.sh_offset, s.sh_size);
    text = text.substr(0, text.find('\0'));
    ModuleVersionInfo info;
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      const std::string_view line = text.substr(0, end);
      const std::size_t eq = line.find('=');
      if (eq != std::string_view::npos)
        info.entries.emplace_back(std::string(line.substr(0, eq)),
                                  std::string(line.substr(eq + 1)));
      if (end == std::string_view::npos) break;
      text.remove_prefix(end + 1);
    }
    return info;
  }
  Fail(path, "the file has no version record");
}
