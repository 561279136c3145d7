#include "bench/TreeFigures.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <vector>

#include "bench/BenchFixtures.h"
#include "bench/ChildProcess.h"
#include "tests/ScratchFolder.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

std::string RecordSetName(std::size_t i) {
  char name[32];
  std::snprintf(name, sizeof name, "rs%05zu.xml", i);
  return name;
}

// OLD and NEW: one handler folder "h" each, the large pair as handler.xml, and the
// record sets; every tenth record set of NEW differs from its OLD.
void WriteTrees(const fs::path& oldRoot, const fs::path& newRoot, std::size_t perKind) {
  for (const fs::path& root : {oldRoot, newRoot}) {
    fs::create_directories(root / "h" / "static");
    fs::create_directories(root / "h" / "dynamic");
  }
  BenchFixtures::WriteLargePair(oldRoot / "h" / "handler.xml", newRoot / "h" / "handler.xml");
  for (std::size_t i = 0; i < perKind; ++i) {
    const std::string name = RecordSetName(i);
    const bool changed = i % 10 == 0;
    BenchFixtures::WriteFile(oldRoot / "h" / "static" / name, BenchFixtures::StaticFirst());
    BenchFixtures::WriteFile(newRoot / "h" / "static" / name, changed
                                                                  ? BenchFixtures::StaticSecond()
                                                                  : BenchFixtures::StaticFirst());
    BenchFixtures::WriteFile(oldRoot / "h" / "dynamic" / name, BenchFixtures::DynamicFirst());
    BenchFixtures::WriteFile(newRoot / "h" / "dynamic" / name, changed
                                                                   ? BenchFixtures::DynamicSecond()
                                                                   : BenchFixtures::DynamicFirst());
  }
}

// A tree for lint: a handler folder without handler.xml holding the first count
// record sets of each kind of the tree, linked rather than copied.
void LinkLintTree(const fs::path& from, const fs::path& to, std::size_t perKind) {
  for (const char* kind : {"static", "dynamic"}) {
    fs::create_directories(to / "h" / kind);
    for (std::size_t i = 0; i < perKind; ++i) {
      const std::string name = RecordSetName(i);
      fs::create_hard_link(from / "h" / kind / name, to / "h" / kind / name);
    }
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

ChildOutcome Run(const std::vector<std::string>& command, int expectedExit) {
  ChildOutcome outcome = RunChild(command);
  if (!outcome.exited || outcome.exitCode != expectedExit)
    throw std::runtime_error(command[0] + " " + command[1] + " failed: " + outcome.errorText);
  return outcome;
}

long LeastPeakKb(const std::string& peakRss, std::vector<std::string> command,
                 int expectedExit = 0) {
  constexpr std::string_view kMark = "hcd_peak_rss: ";
  command.insert(command.begin(), peakRss);
  long least = std::numeric_limits<long>::max();
  for (int run = 0; run < 3; ++run) {
    const ChildOutcome outcome = Run(command, expectedExit);
    const std::size_t mark = outcome.errorText.rfind(kMark);
    if (mark == std::string::npos) throw std::runtime_error("no peak from " + peakRss);
    least = std::min(least, std::stol(outcome.errorText.substr(mark + kMark.size())));
  }
  return least;
}

}  // namespace

std::optional<TreeFigures> MeasureTreeFigures(const std::string& hcdtool,
                                              const std::string& peakRss,
                                              const std::string& planFloor, std::string& why) {
  try {
    for (const std::string& program : {hcdtool, peakRss, planFloor}) {
      if (!fs::exists(program)) {
        why = "no " + program;
        return std::nullopt;
      }
    }
    const ScratchFolder scratch("hcd_bench_trees");
    const fs::path oldRoot = scratch.path() / "old";
    const fs::path newRoot = scratch.path() / "new";
    WriteTrees(oldRoot, newRoot, kTreeRecordSetsPerKind);

    TreeFigures figures;
    figures.recordSetPairs = 2 * kTreeRecordSetsPerKind;
    figures.largestPairBytes =
        fs::file_size(oldRoot / "h" / "handler.xml") + fs::file_size(newRoot / "h" / "handler.xml");

    // The floor and plan take turns, so a burst of other work on the machine falls
    // on both alike.
    std::vector<double> floor;
    std::vector<double> plan;
    std::vector<double> diff;
    for (int run = 0; run < kTreeRuns; ++run) {
      floor.push_back(Run({planFloor, oldRoot.string(), newRoot.string()}, 0).cpuSeconds);
      plan.push_back(
          Run({hcdtool, "plan", "--json", oldRoot.string(), newRoot.string()}, 0).cpuSeconds);
      // The trees differ: diff answers 1.
      diff.push_back(
          Run({hcdtool, "diff", "--json", oldRoot.string(), newRoot.string()}, 1).cpuSeconds);
    }
    figures.floorSeconds = Median(floor);
    figures.planSeconds = Median(plan);
    figures.diffSeconds = Median(diff);

    const std::string large = (oldRoot / "h" / "handler.xml").string();
    // Its copy with one holiday changed: diff of two identical files answers from
    // their bytes, without reading either page.
    const std::string copy = (newRoot / "h" / "handler.xml").string();
    std::vector<double> show;
    std::vector<double> diffCopy;
    std::vector<double> exports;
    const std::vector<std::string> currencies = BenchFixtures::LargeCurrencies();
    for (int run = 0; run < kTreeRuns; ++run) {
      show.push_back(Run({hcdtool, "show", "--handler", large}, 0).cpuSeconds);
      diffCopy.push_back(Run({hcdtool, "diff", "--handler", large, copy}, 1).cpuSeconds);
      double exported = 0;
      for (const std::string& currency : currencies)
        exported += Run({hcdtool, "export-holidays", large, currency,
                         (scratch.path() / (currency + ".csv")).string()},
                        0)
                        .cpuSeconds;
      exports.push_back(exported);
    }
    figures.showSeconds = Median(show);
    figures.diffCopySeconds = Median(diffCopy);
    figures.exportSeconds = Median(exports);
    figures.exportedCurrencies = currencies.size();

    const fs::path emptyOld = scratch.path() / "empty-old";
    const fs::path emptyNew = scratch.path() / "empty-new";
    const fs::path largeOld = scratch.path() / "large-old";
    const fs::path largeNew = scratch.path() / "large-new";
    for (const fs::path& root : {emptyOld, emptyNew, largeOld, largeNew})
      fs::create_directories(root / "h");
    for (const fs::path& root : {emptyOld, emptyNew})
      BenchFixtures::WriteFile(root / "h" / "handler.xml",
                               "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Properties/>\n");
    fs::create_hard_link(oldRoot / "h" / "handler.xml", largeOld / "h" / "handler.xml");
    fs::create_hard_link(newRoot / "h" / "handler.xml", largeNew / "h" / "handler.xml");
    const auto planPeak = [&](const fs::path& a, const fs::path& b) {
      return LeastPeakKb(peakRss, {hcdtool, "plan", "--json", a.string(), b.string()});
    };
    figures.baselineKb = planPeak(emptyOld, emptyNew);
    figures.largePairKb = planPeak(largeOld, largeNew);
    figures.fullKb = planPeak(oldRoot, newRoot);
    const auto diffPeak = [&](const fs::path& a, const fs::path& b) {
      return LeastPeakKb(peakRss, {hcdtool, "diff", "--json", a.string(), b.string()}, 1);
    };
    figures.diffLargePairKb = diffPeak(largeOld, largeNew);
    figures.diffFullKb = diffPeak(oldRoot, newRoot);

    const fs::path lintHalf = scratch.path() / "lint-half";
    const fs::path lintFull = scratch.path() / "lint-full";
    LinkLintTree(newRoot, lintHalf, kTreeRecordSetsPerKind / 2);
    LinkLintTree(newRoot, lintFull, kTreeRecordSetsPerKind);
    figures.lintHalfFiles = kTreeRecordSetsPerKind;
    figures.lintFullFiles = 2 * kTreeRecordSetsPerKind;
    std::vector<double> half;
    std::vector<double> full;
    for (int run = 0; run < kTreeRuns; ++run) {
      half.push_back(Run({hcdtool, "lint", "--json", lintHalf.string()}, 0).cpuSeconds);
      full.push_back(Run({hcdtool, "lint", "--json", lintFull.string()}, 0).cpuSeconds);
    }
    figures.lintHalfSeconds = Median(half);
    figures.lintFullSeconds = Median(full);
    return figures;
  } catch (const std::exception& e) {
    why = e.what();
    return std::nullopt;
  }
}

}  // namespace bench
