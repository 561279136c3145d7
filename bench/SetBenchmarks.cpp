// set over many handler folders against lint of the same tree, each as the process a
// user runs: the time of the whole run and its peak memory, at two sizes, so that the
// ratio to lint and the growth of memory with the files can be read side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchFixtures.h"
#include "bench/Benchmarks.h"
#include "bench/ChildProcess.h"
#include "bench/Targets.h"
#include "tests/ScratchFolder.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

// A tree of handler folders, each holding the example handler configuration.
class HandlerTree {
 public:
  HandlerTree(const std::string& examples, int folders) {
    std::ifstream in(fs::path(examples) / "handler.xml", std::ios::binary);
    const std::string handler((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (handler.empty()) throw std::runtime_error("cannot read the example handler.xml");
    for (int i = 0; i < folders; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "h%04d", i);
      fs::create_directories(scratch_.path() / name);
      BenchFixtures::WriteFile(scratch_.path() / name / "handler.xml", handler);
    }
  }
  std::string Root() const { return scratch_.path().string(); }

 private:
  const ScratchFolder scratch_{"hcd_bench_set"};
};

// Runs the command once per iteration: the manual time is the run's wall-clock time
// (what the user waits, the flushes to disk included), the counters its CPU time and
// peak memory.
void RunTimed(benchmark::State& state, const std::string& peakRss,
              const std::vector<std::string>& command,
              const std::function<std::vector<std::string>(int)>& vary = nullptr) {
  double cpu = 0;
  long peak = 0;
  int round = 0;
  for (auto _ : state) {
    // Through hcd_peak_rss, whose figure is the run's own peak, not the largest of
    // every child this process has had.
    std::vector<std::string> argv = vary ? vary(round++) : command;
    argv.insert(argv.begin(), peakRss);
    const auto started = std::chrono::steady_clock::now();
    const ChildOutcome outcome = RunChild(argv);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    if (!outcome.exited || outcome.exitCode != 0) {
      state.SkipWithError(("failed: " + outcome.errorText).c_str());
      return;
    }
    state.SetIterationTime(took.count());
    cpu += outcome.cpuSeconds;
    constexpr std::string_view kMark = "hcd_peak_rss: ";
    const std::size_t mark = outcome.errorText.rfind(kMark);
    if (mark != std::string::npos)
      peak = std::max(peak, std::stol(outcome.errorText.substr(mark + kMark.size())));
  }
  state.counters["cpu_s"] = benchmark::Counter(cpu / static_cast<double>(state.iterations()));
  state.counters["peak_kb"] = static_cast<double>(peak);
  state.counters["files"] = static_cast<double>(state.range(0));
}

}  // namespace

void RegisterSetBenchmarks(const std::string& hcdtool, const std::string& peakRss,
                           const std::string& examples) {
  for (const int files : {250, kSetFiles}) {
    // Made when the run starts and shared by lint and set of that size.
    const auto tree = std::make_shared<std::unique_ptr<HandlerTree>>();
    const auto ensure = [tree, examples, files]() -> const HandlerTree& {
      if (!*tree) *tree = std::make_unique<HandlerTree>(examples, files);
      return **tree;
    };
    benchmark::RegisterBenchmark("hcdtool_lint_handlers",
                                 [=](benchmark::State& state) {
                                   RunTimed(state, peakRss, {hcdtool, "lint", ensure().Root()});
                                 })
        ->Arg(files)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    // Every round sets another rate, so that every file changes every time.
    benchmark::RegisterBenchmark("hcdtool_set_handlers",
                                 [=](benchmark::State& state) {
                                   RunTimed(state, peakRss, {}, [&](int round) {
                                     return std::vector<std::string>{
                                         hcdtool, "set", ensure().Root(),
                                         "Max Messages Per Sec.=" + std::to_string(100 + round)};
                                   });
                                 })
        ->Arg(files)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
  }
}

}  // namespace bench
