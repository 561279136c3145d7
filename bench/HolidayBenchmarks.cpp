// Filling one currency with the rule holidays and weekends of every year the
// holiday dialog offers.
#include <benchmark/benchmark.h>

#include "bench/Benchmarks.h"
#include "bench/Targets.h"
#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/HolidayTable.h"

namespace bench {
namespace {

void AddHolidaysOfYears(benchmark::State& state) {
  std::size_t entries = 0;
  for (auto _ : state) {
    kelo::HolidayTable table;
    table.EnsureCurrency("GBP");
    for (unsigned year = kelo::kFirstDialogYear; year <= kelo::kLastDialogYear; ++year)
      benchmark::DoNotOptimize(table.AddHolidaysOfYear("GBP", year));
    entries = table.Find("GBP")->size();
  }
  state.counters["entries"] = static_cast<double>(entries);
}

}  // namespace

void RegisterHolidayBenchmarks() {
  benchmark::RegisterBenchmark(kHolidayYears, AddHolidaysOfYears)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(kMinTimePerRepetition)
      ->Repetitions(kRepetitions)
      ->ReportAggregatesOnly(true);
}

}  // namespace bench
