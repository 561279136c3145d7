// Kills saves of a large file with SIGKILL at random moments and checks, after each
// kill, that the file is whole (the old content or the new, byte for byte) and
// that the next save leaves no temporary file behind. ctest runs it with a small
// count; run it by hand with a larger one:
//
//   hcd_save_kill_loop [--count N] [--megabytes M] [--folder DIR] [--seed S]
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "files/AtomicSave.h"
#include "files/InputFile.h"
#include "tests/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

std::string Content(char fill, std::size_t size) {
  std::string text(size, fill);
  // Distinct ends, so a file cut or spliced anywhere differs from both contents.
  text.replace(0, 16, std::string("begin-") + fill + "---------");
  text.replace(size - 16, 16, std::string("---------end-") + fill + "--");
  return text;
}

std::size_t Temporaries(const fs::path& folder) {
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".")) ++count;
  return count;
}

int Fail(const std::string& why) {
  std::cerr << "hcd_save_kill_loop: " << why << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 50;
  std::size_t megabytes = 16;
  std::string folderArg;
  unsigned seed = std::random_device{}();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--count")
      count = std::atoi(argv[i + 1]);
    else if (option == "--megabytes")
      megabytes = std::strtoull(argv[i + 1], nullptr, 10);
    else if (option == "--folder")
      folderArg = argv[i + 1];
    else if (option == "--seed")
      seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    else
      return Fail("unknown option " + option);
  }
  if (count <= 0 || megabytes == 0) return Fail("--count and --megabytes must be positive");

  fs::path folder = folderArg;
  std::optional<ScratchFolder> scratch;
  if (folder.empty()) {
    scratch.emplace("kill-loop");
    folder = scratch->path();
  } else {
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  const std::string path = (folder / "large.xml").string();
  const std::string contents[2] = {Content('a', megabytes << 20), Content('b', megabytes << 20)};

  // One save, timed, so the kills fall before, inside and after the saves alike.
  const auto start = std::chrono::steady_clock::now();
  SaveFileAtomically(path, contents[0]);
  const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> delay(0, 3 * saveTime.count() + 1000);

  int leftovers = 0;
  for (int round = 0; round < count; ++round) {
    const pid_t child = ::fork();
    if (child < 0) return Fail("cannot fork");
    if (child == 0) {
      // The child saves until it is killed; it never returns, so the scratch folder
      // is removed by the parent alone.
      try {
        for (unsigned i = 1;; ++i) SaveFileAtomically(path, contents[i % 2]);
      } catch (...) {
      }
      ::_exit(1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFSIGNALED(status)) return Fail("the saving process ended by itself");

    const std::string now = ReadInputFile(path);
    if (now != contents[0] && now != contents[1])
      return Fail("round " + std::to_string(round) + ": the file is damaged (" +
                  std::to_string(now.size()) + " bytes)");
    if (Temporaries(folder) > 0) ++leftovers;
    SaveFileAtomically(path, contents[round % 2]);
    if (Temporaries(folder) > 0)
      return Fail("round " + std::to_string(round) + ": a save left a temporary file behind");
  }
  std::cout << "hcd_save_kill_loop: " << count << " kills of saves of " << megabytes
            << " MiB (one save " << saveTime.count() / 1000 << " ms, seed " << seed
            << "): the file was whole every time; " << leftovers
            << " kill(s) fell between naming the temporary and the rename, and the next save "
               "removed what they left\n";
  return 0;
}
