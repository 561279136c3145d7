#pragma once

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/RunFigures.h"

namespace bench {

// The console reporter, also keeping every figure for the summary printed after the
// run. With repetitions, the median stands for the benchmark.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override;
  const RunFigures& Figures() const { return figures_; }

 private:
  RunFigures figures_;
};

}  // namespace bench
