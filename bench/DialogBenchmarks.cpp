// The holiday setting dialog with thousands of rows in the shown currency: each
// command timed alone, the dialog opened and prepared afresh (untimed) before it.
#include "bench/Benchmarks.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <string>
#include <vector>

#include "bench/Targets.h"
#include "kelo/pages/HolidaySettingIds.h"

namespace bench {
namespace {

constexpr const char* kShownCurrency = "GBP";
// A year whose days lie inside the filled range at every size, so "Add holiday of
// year" inserts its weekend days among the rows rather than after them.
constexpr int kYearInside = 2012;

// The shown currency with `rows` weekdays from 2010 on, as added by hand.
kelo::HolidayTable TableWithRows(int rows) {
  using namespace std::chrono;
  kelo::HolidayTable table;
  kelo::HolidayList& list = table.EnsureCurrency(kShownCurrency);
  for (sys_days day{2010y / January / 1}; static_cast<int>(list.size()) < rows; day += days{1}) {
    const weekday wd{day};
    if (wd == Saturday || wd == Sunday) continue;
    const year_month_day date{day};
    list.emplace_hint(
        list.end(),
        kelo::FormatDateKey(static_cast<unsigned>(static_cast<int>(date.year())),
                            static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day())),
        "Customize");
  }
  return table;
}

// Page faults of this thread so far: fresh memory from the system costs a fault per
// page, which the command's time includes.
long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_minflt;
}

// Evicts the dialog's data from the processor's caches, as the time a user takes
// between two clicks does: otherwise a small list would still be cached from the
// preparation, and sizes would be compared on the cache rather than on the command.
void EvictCaches() {
  static std::vector<unsigned char> sweep(48u << 20);
  for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] += 1;
  benchmark::ClobberMemory();
}

// Fewer iterations for more rows: each opens a dialog and fills it first.
int IterationsFor(int rows) { return std::clamp(400000 / rows, 20, 160); }

void Perform(HolidayDialogDriver& driver, DialogCommand command) {
  switch (command) {
    case DialogCommand::kShow:
      driver.SelectCurrency(kShownCurrency);
      break;
    case DialogCommand::kRemoveSelected:
      driver.Click(kelo::IDC_HOLIDAY_REMOVE);
      break;
    case DialogCommand::kRemoveAll:
      driver.Click(kelo::IDC_HOLIDAY_REMOVE_ALL);
      break;
    case DialogCommand::kAddYear:
      driver.Click(kelo::IDC_HOLIDAY_ADD_YEAR);
      break;
  }
}

bool LeftAsExpected(DialogCommand command, int rows, int left) {
  switch (command) {
    case DialogCommand::kShow:
      return left == rows;
    case DialogCommand::kAddYear:
      return left > rows;
    case DialogCommand::kRemoveSelected:
    case DialogCommand::kRemoveAll:
      return left == 0;
  }
  return false;
}

void RunCommand(benchmark::State& state, HolidayDialogDriver& driver, DialogCommand command,
                int rows) {
  const kelo::HolidayTable table = TableWithRows(rows);
  long faults = 0;
  try {
    for (auto _ : state) {
      state.PauseTiming();
      driver.Open(table);
      if (command != DialogCommand::kShow) driver.SelectCurrency(kShownCurrency);
      if (command == DialogCommand::kRemoveSelected) driver.SelectAllRows();
      if (command == DialogCommand::kAddYear) driver.PickYear(kYearInside);
      EvictCaches();
      faults -= MinorFaults();
      state.ResumeTiming();

      Perform(driver, command);

      state.PauseTiming();
      faults += MinorFaults();
      const int left = driver.RowCount();
      driver.Close();
      if (!LeftAsExpected(command, rows, left)) {
        state.SkipWithError(("the list holds " + std::to_string(left) + " rows").c_str());
        break;
      }
      state.ResumeTiming();
    }
  } catch (const std::exception& e) {
    driver.Close();
    state.SkipWithError(e.what());
    return;
  }
  state.counters["page_faults"] =
      benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

}  // namespace

void RegisterDialogBenchmarks(HolidayDialogDriver& driver) {
  // A view that asks for the rows it shows costs little more for a whole calendar.
  if (driver.BackendName() == std::string_view("qt")) {
    benchmark::RegisterBenchmark(
        DialogBenchmarkName(driver.BackendName(), DialogCommand::kShow, kDialogLargeRows).c_str(),
        [&driver](benchmark::State& state) {
          RunCommand(state, driver, DialogCommand::kShow, kDialogLargeRows);
        })
        ->Iterations(5)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
  }
  for (const DialogCommand command : kDialogCommands) {
    for (const int rows : kDialogRows) {
      benchmark::RegisterBenchmark(DialogBenchmarkName(driver.BackendName(), command, rows).c_str(),
                                   [&driver, command, rows](benchmark::State& state) {
                                     RunCommand(state, driver, command, rows);
                                   })
          ->Iterations(IterationsFor(rows))
          ->Repetitions(kRepetitions)
          ->ReportAggregatesOnly(true)
          ->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace bench
