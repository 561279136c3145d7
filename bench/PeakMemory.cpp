#include "bench/PeakMemory.h"

#include <stdlib.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "bench/BenchFixtures.h"
#include "bench/ChildProcess.h"
#include "tests/ScratchFolder.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 3;

// The least peak of a few runs, as hcd_peak_rss reports it; nothing when a run
// fails or answers otherwise.
std::optional<long> LeastPeakKb(const std::string& peakRss, std::vector<std::string> command,
                                std::string& why) {
  constexpr std::string_view kMark = "hcd_peak_rss: ";
  command.insert(command.begin(), peakRss);
  long least = std::numeric_limits<long>::max();
  for (int run = 0; run < kRuns; ++run) {
    const ChildOutcome outcome = RunChild(command);
    const std::size_t mark = outcome.errorText.rfind(kMark);
    if (!outcome.exited || outcome.exitCode != 0 || mark == std::string::npos) {
      why = command[1] + " check-change failed: " + outcome.errorText;
      return std::nullopt;
    }
    least = std::min(least, std::stol(outcome.errorText.substr(mark + kMark.size())));
  }
  return least;
}

}  // namespace

std::optional<PeakMemoryFigure> MeasurePeakMemory(const std::string& hcdtool,
                                                  const std::string& peakRss, std::string& why) {
  try {
    for (const std::string& program : {hcdtool, peakRss}) {
      if (!fs::exists(program)) {
        why = "no " + program;
        return std::nullopt;
      }
    }
    const ScratchFolder scratch("hcd_bench");
    const fs::path empty = scratch.path() / "empty.xml";
    const fs::path first = scratch.path() / "handler-first.xml";
    const fs::path second = scratch.path() / "handler-second.xml";
    BenchFixtures::WriteFile(empty,
                             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties/>\n");
    BenchFixtures::WriteLargePair(first, second);

    const std::optional<long> baseline = LeastPeakKb(
        peakRss, {hcdtool, "check-change", "--handler", empty.string(), empty.string()}, why);
    if (!baseline) return std::nullopt;
    const std::optional<long> large = LeastPeakKb(
        peakRss, {hcdtool, "check-change", "--handler", first.string(), second.string()}, why);
    if (!large) return std::nullopt;
    return PeakMemoryFigure{*baseline, *large, fs::file_size(first) + fs::file_size(second)};
  } catch (const std::exception& e) {
    why = e.what();
    return std::nullopt;
  }
}

}  // namespace bench
