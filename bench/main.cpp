// hcd_bench: the benchmarks, then the figures hcdtool gives as a process (peak
// memory, libraries loaded), then a summary of every figure against its target.
//
//   hcd_bench [benchmark flags] [--hcdtool=PATH] [--examples=DIR] [--no-tool-checks]
//   hcd_bench --write-large-pair DIR   writes handler-first.xml and handler-second.xml
//   hcd_bench --check-no-qt            only checks that query commands load no Qt
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchFixtures.h"
#include "bench/Benchmarks.h"
#include "bench/PeakMemory.h"
#ifdef HCD_BENCH_WITH_QT
#include "bench/QtDialogDriver.h"
#endif
#include "bench/QtLoadCheck.h"
#include "bench/ScriptedDialogDriver.h"
#include "bench/SummaryReporter.h"
#include "bench/Targets.h"
#include "kelo/pages/HolidaySettingTemplate.h"
#include "ui/TemplateRegistry.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  std::string hcdtool;
  std::string peakRss;
  std::string planFloor;
  std::string examples = HCD_SOURCE_EXAMPLES;
  std::optional<std::string> writePairTo;
  bool checkNoQtOnly = false;
  bool toolChecks = true;
};

std::string BesideSelf(const char* name) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(name) : (self.parent_path() / name).string();
}

// Takes this program's own flags out of argv, leaving the benchmark library's.
Options TakeOptions(int& argc, char** argv) {
  Options options;
  options.hcdtool = BesideSelf("hcdtool");
  options.peakRss = BesideSelf("hcd_peak_rss");
  options.planFloor = BesideSelf("hcd_plan_floor");
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--hcdtool=")) {
      options.hcdtool = arg.substr(10);
    } else if (arg.starts_with("--examples=")) {
      options.examples = arg.substr(11);
    } else if (arg == "--write-large-pair" && i + 1 < argc) {
      options.writePairTo = argv[++i];
    } else if (arg == "--check-no-qt") {
      options.checkNoQtOnly = true;
    } else if (arg == "--no-tool-checks") {
      options.toolChecks = false;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return options;
}

int WriteLargePair(const fs::path& folder) {
  fs::create_directories(folder);
  const fs::path first = folder / "handler-first.xml";
  const fs::path second = folder / "handler-second.xml";
  bench::BenchFixtures::WriteLargePair(first, second);
  std::cout << first.string() << ' ' << fs::file_size(first) << " bytes\n"
            << second.string() << ' ' << fs::file_size(second) << " bytes\n";
  return 0;
}

int CheckNoQt(const Options& options) {
  const bench::QtLoadCheck check =
      bench::CheckQueryCommandsLoadNoQt(options.hcdtool, options.examples);
  for (const bench::QtLoadCheck::Command& command : check.commands) {
    std::cout << (command.ran && !command.loadedQt ? "ok      " : "FAILED  ") << command.line;
    if (command.loadedQt) std::cout << ": loads Qt";
    if (!command.problem.empty()) std::cout << ": " << command.problem;
    std::cout << '\n';
  }
  return check.Passed() ? 0 : 1;
}

// The dialog templates the benchmarks open, registered as the module registers them.
class TemplateRegistration {
 public:
  TemplateRegistration() {
    if (!TemplateRegistry::Instance().Register(this, {kelo::HolidaySettingTemplate()}))
      throw std::runtime_error("cannot register the holiday dialog's template");
  }
  ~TemplateRegistration() { TemplateRegistry::Instance().Withdraw(this); }
  TemplateRegistration(const TemplateRegistration&) = delete;
  TemplateRegistration& operator=(const TemplateRegistration&) = delete;
};

int RunBenchmarks(int argc, char** argv, const Options& options) {
  const TemplateRegistration templates;
  bench::RegisterConfigBenchmarks();
  bench::RegisterHolidayBenchmarks();
  std::vector<std::unique_ptr<bench::HolidayDialogDriver>> drivers;
  drivers.push_back(std::make_unique<bench::ScriptedDialogDriver>());
#ifdef HCD_BENCH_WITH_QT
  // The figures are those of the offscreen platform, with or without a screen.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::unique_ptr<bench::QtDialogDriver> qt = bench::QtDialogDriver::Create())
    drivers.push_back(std::move(qt));
  else
    std::cerr << "the Qt backend cannot start: its figures are left out\n";
#endif
  for (const auto& driver : drivers) bench::RegisterDialogBenchmarks(*driver);
  bench::RegisterSetBenchmarks(options.hcdtool, options.peakRss, options.examples);
  if (options.toolChecks) bench::RegisterTerminalBenchmarks(options.hcdtool, options.examples);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  bench::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::optional<bench::PeakMemoryFigure> memory;
  std::optional<bench::QtLoadCheck> qtLoad;
  std::optional<bench::TreeFigures> trees;
  if (options.toolChecks) {
    std::string why;
    memory = bench::MeasurePeakMemory(options.hcdtool, options.peakRss, why);
    if (!memory) std::cerr << "peak memory not measured: " << why << '\n';
    qtLoad = bench::CheckQueryCommandsLoadNoQt(options.hcdtool, options.examples);
    trees = bench::MeasureTreeFigures(options.hcdtool, options.peakRss, options.planFloor, why);
    if (!trees) std::cerr << "plan and lint not measured: " << why << '\n';
  }
  bench::PrintSummary(reporter.Figures(), memory, qtLoad, trees, std::cout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = TakeOptions(argc, argv);
    if (options.writePairTo) return WriteLargePair(*options.writePairTo);
    if (options.checkNoQtOnly) return CheckNoQt(options);
    return RunBenchmarks(argc, argv, options);
  } catch (const std::exception& e) {
    std::cerr << "hcd_bench: " << e.what() << '\n';
    return 3;
  }
}
