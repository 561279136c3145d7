#include "tool/output/Progress.h"

#include <unistd.h>

#include <cstdio>

namespace {

// Redrawing more often than this costs time and shows nothing a person can read.
constexpr std::chrono::milliseconds kRedrawEvery(100);

}  // namespace

bool Progress::Wanted() { return ::isatty(2) == 1; }

Progress::Progress(std::string verb, std::size_t total)
    : verb_(std::move(verb)), total_(total), shown_(total > kShownAbove && Wanted()) {}

Progress::~Progress() {
  // The line is cleared, so what follows on the terminal starts on a clean line.
  if (drawn_) std::fprintf(stderr, "\r\033[K");
}

void Progress::Step(std::size_t files) {
  done_ += files;
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (drawn_ && now - lastDrawn_ < kRedrawEvery && done_ != total_) return;
  lastDrawn_ = now;
  Draw();
}

void Progress::Draw() {
  std::fprintf(stderr, "\r%s: %zu of %zu files", verb_.c_str(), done_, total_);
  std::fflush(stderr);
  drawn_ = true;
}
