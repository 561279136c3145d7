#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace bench {

// hcdtool plan and lint as processes on generated configuration trees: two trees of
// one handler folder each, holding the large pair and record-set pairs of which a
// tenth differ, against the floor of hcd_plan_floor reading and parsing the same files.
struct TreeFigures {
  std::size_t recordSetPairs = 0;  // static and dynamic together
  // CPU time (user and system) of the whole process, the median of the runs.
  double floorSeconds = 0;
  double planSeconds = 0;
  // Peak resident memory of plan: on two trees of an empty handler configuration
  // (the baseline), on the large pair alone, and on the full trees.
  long baselineKb = 0;
  long largePairKb = 0;
  long fullKb = 0;
  std::uintmax_t largestPairBytes = 0;
  // lint on half and on all the record sets of the new tree.
  std::size_t lintHalfFiles = 0;
  double lintHalfSeconds = 0;
  std::size_t lintFullFiles = 0;
  double lintFullSeconds = 0;

  double PlanOverFloor() const { return planSeconds / floorSeconds; }
  double PeakOverLargestPair() const {
    return static_cast<double>(fullKb - baselineKb) * 1024.0 /
           static_cast<double>(largestPairBytes);
  }
  double LintGrowth() const { return lintFullSeconds / lintHalfSeconds; }

  // diff --json on the same trees, in runs that take turns with plan's; its peak
  // resident memory on the large pair alone and on the full trees.
  double diffSeconds = 0;
  long diffLargePairKb = 0;
  long diffFullKb = 0;
  // show --handler of the large configuration, against export-holidays of each of its
  // currencies to CSV, one after the other.
  double showSeconds = 0;
  double exportSeconds = 0;
  std::size_t exportedCurrencies = 0;
  // diff --handler of the large configuration against its copy with one holiday
  // changed, in runs that take turns with show's: the review of a change to the file
  // reads its page and calendar twice.
  double diffCopySeconds = 0;

  double DiffOverPlan() const { return diffSeconds / planSeconds; }
  double DiffPeakGrowth() const {
    return static_cast<double>(diffFullKb) / static_cast<double>(diffLargePairKb);
  }
  double ShowOverExport() const { return showSeconds / exportSeconds; }
  double ShowOverDiff() const { return showSeconds / diffCopySeconds; }
};

// Each static and each dynamic record set counts this many pairs.
inline constexpr std::size_t kTreeRecordSetsPerKind = 10000;
// Timed runs of each process; the figure is their median.
inline constexpr int kTreeRuns = 5;

// Writes the trees to a scratch folder (removed again) and runs the programs. Nothing,
// with the reason in why, when one cannot be run or fails.
std::optional<TreeFigures> MeasureTreeFigures(const std::string& hcdtool,
                                              const std::string& peakRss,
                                              const std::string& planFloor, std::string& why);

}  // namespace bench
