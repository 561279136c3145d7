#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// "VERB: DONE of TOTAL files" on stderr, redrawn in place, for a long run over many
// files. Shown only when stderr is a terminal and the run has more than a few hundred
// files; otherwise it writes nothing, so logs and pipes never see it.
class Progress {
 public:
  Progress(std::string verb, std::size_t total);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // That many more files done.
  void Step(std::size_t files = 1);

  // Whether progress can be shown at all: stderr is a terminal. A caller may skip
  // counting the files when it is not.
  static bool Wanted();

  // Runs with more files than this show progress.
  static constexpr std::size_t kShownAbove = 300;

 private:
  void Draw();

  std::string verb_;
  std::size_t total_;
  std::size_t done_ = 0;
  bool shown_ = false;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point lastDrawn_;
};
