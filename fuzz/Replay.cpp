// Runs a fuzz target's entry point once on each input file, without libFuzzer, so
// that every seed and every past finding stays a regression test in the ordinary
// builds. Arguments are files or directories (searched recursively, in name order).
// A broken property aborts the process; an input that cannot be read, or no input
// at all, fails with exit code 2.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional in a target, as for libFuzzer.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

bool Collect(const fs::path& path, std::vector<fs::path>& inputs) {
  std::error_code error;
  if (fs::is_directory(path, error)) {
    std::vector<fs::path> found;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error)) {
      if (it->is_regular_file(error)) found.push_back(it->path());
    }
    if (error) {
      std::fprintf(stderr, "replay: cannot list %s: %s\n", path.c_str(), error.message().c_str());
      return false;
    }
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
    return true;
  }
  if (fs::is_regular_file(path, error)) {
    inputs.push_back(path);
    return true;
  }
  std::fprintf(stderr, "replay: no such file or directory: %s\n", path.c_str());
  return false;
}

bool Replay(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  // A buffer of exactly the input's size, as libFuzzer passes it, so that a read past
  // the end is caught by the sanitizers and valgrind.
  std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[error ? 0 : size]);
  std::ifstream in(path, std::ios::binary);
  if (error || !in.read(reinterpret_cast<char*>(data.get()), static_cast<std::streamsize>(size))) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
    return false;
  }
  std::fprintf(stderr, "replay: %s (%ju bytes)\n", path.c_str(), size);
  LLVMFuzzerTestOneInput(data.get(), static_cast<std::size_t>(size));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE_OR_DIRECTORY...\n", argv[0]);
    return 2;
  }
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!Collect(argv[i], inputs)) return 2;
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "replay: no inputs found\n");
    return 2;
  }
  for (const fs::path& input : inputs) {
    if (!Replay(input)) return 2;
  }
  std::fprintf(stderr, "replay: %zu inputs, no property broken\n", inputs.size());
  return 0;
}
