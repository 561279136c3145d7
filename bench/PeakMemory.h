#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace bench {

// Peak resident memory of `hcdtool check-change --handler` on the large pair of
// documents, and on two empty configurations for the tool's own baseline.
struct PeakMemoryFigure {
  long baselineKb = 0;
  long largeKb = 0;
  std::uintmax_t filesBytes = 0;  // both large documents together

  double AboveBaselineOverFiles() const {
    return static_cast<double>(largeKb - baselineKb) * 1024.0 / static_cast<double>(filesBytes);
  }
};

// Runs hcdtool under hcd_peak_rss (each case a few times, keeping the least) on
// documents written to a scratch folder that is removed again. Nothing, with the
// reason in `why`, when the tool cannot be run or does not answer as it should.
std::optional<PeakMemoryFigure> MeasurePeakMemory(const std::string& hcdtool,
                                                  const std::string& peakRss, std::string& why);

}  // namespace bench
