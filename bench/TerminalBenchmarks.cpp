// hcdtool edit in a terminal, as a process in a pseudo-terminal of its own: how soon
// after its start the first screen is drawn, and how soon after a key in the holiday
// list of 95,000 rows the screen shows its effect. The time of a screen is the time
// its last byte arrived (the terminal then stayed quiet), so the figures are what a
// person at the terminal waits, the kernel's part included.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/Benchmarks.h"
#include "bench/PtyChild.h"
#include "bench/Targets.h"
#include "tests/ScratchFolder.h"

namespace bench {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

constexpr int kColumns = 200;
constexpr int kRows = 60;
// Output that stops for this long is taken as a whole screen.
constexpr milliseconds kQuiet{25};
constexpr milliseconds kLimit{60000};
// The status line of the sheet: the last line of the first screen drawn.
constexpr const char* kSheetDrawn = "Esc cancel";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The example handler configuration with `count` holidays of GBP, one a day from 1970.
void WriteHandler(const fs::path& examples, const fs::path& path, int count) {
  std::string xml = ReadFile(examples / "handler.xml");
  const std::string key = "<Property Name=\"CurrencyTable_GBP\"";
  const std::size_t start = xml.find(key);
  const std::size_t end = xml.find("</Property>", start) + std::string("</Property>").size();
  std::string table = key + " Type=\"String\">";
  using namespace std::chrono;
  sys_days day{1970y / January / 1};
  for (int n = 0; n < count; ++n, day += days{1}) {
    const year_month_day date{day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u|Customize|", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    table += text;
  }
  table += "</Property>";
  xml.replace(start, end - start, table);
  std::ofstream(path, std::ios::binary) << xml;
}

struct Setup {
  std::string hcdtool;
  fs::path examples;
};

Setup& TheSetup() {
  static Setup setup;
  return setup;
}

std::vector<std::string> EditCommand(const fs::path& file) {
  return {TheSetup().hcdtool, "edit", "--ui", "terminal", "--handler", file.string()};
}

const std::vector<std::string> kTerminalEnv = {"TERM=xterm-256color", "LANG=C.UTF-8",
                                               "LC_ALL=C.UTF-8", "HCDTOOL_UI="};

double Seconds(PtyChild::Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The middle and the worst of the times of a run's iterations, beside the mean that
// Google Benchmark reports: a shared machine's bursts of other work land on a few
// iterations, which the median leaves out and the worst shows.
void Report(benchmark::State& state, std::vector<double> seconds) {
  if (seconds.empty()) return;
  std::sort(seconds.begin(), seconds.end());
  state.counters["median"] = seconds[seconds.size() / 2];
  state.counters["worst"] = seconds.back();
}

void FirstScreen(benchmark::State& state, int holidays) {
  const ScratchFolder folder("hcd-bench-terminal");
  const fs::path file = folder.path() / "handler.xml";
  WriteHandler(TheSetup().examples, file, holidays);
  std::vector<double> samples;
  try {
    for (auto _ : state) {
      PtyChild child(EditCommand(file), kTerminalEnv, kColumns, kRows);
      const double seconds =
          Seconds(child.SettleAfter(kSheetDrawn, kQuiet, kLimit) - child.Started());
      state.SetIterationTime(seconds);
      samples.push_back(seconds);
      state.PauseTiming();
      child.Stop();
      state.ResumeTiming();
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
  Report(state, samples);
}

// The holiday dialog open on GBP's 95,000 rows, the focus in the list; then each
// iteration one key of `keys` in turn.
void KeyInList(benchmark::State& state, std::vector<std::string> keys) {
  const ScratchFolder folder("hcd-bench-terminal");
  const fs::path file = folder.path() / "handler.xml";
  WriteHandler(TheSetup().examples, file, kTerminalHolidays);
  std::vector<double> samples;
  try {
    PtyChild child(EditCommand(file), kTerminalEnv, kColumns, kRows);
    child.SettleAfter(kSheetDrawn, kQuiet, kLimit);
    // Curses draws only the cells that change, so a text can come in pieces: each
    // step waits for the screen to go quiet instead.
    const milliseconds settled{150};
    child.Write("\x1bh");  // Alt+H: "Holiday setting", the page's first button
    child.SettleAfter("", settled, kLimit);
    child.Write("G");  // the currency list finds GBP and shows its 95,000 rows
    child.SettleAfter("", settled, kLimit);
    // Alt+L, in the dialog: "Holiday:", the list's label ("Add holiday of year" has H).
    child.Write("\x1bl");
    child.SettleAfter("", settled, kLimit);
    // End shows the last row's place on the list's edge ("95000/95000", of which
    // curses sends only what changed): the list has the focus.
    child.ClearOutput();
    child.Write("\x1bOF");
    child.SettleAfter("", settled, kLimit);
    if (child.Output().find("95000") == std::string::npos)
      throw std::runtime_error("the keys do not reach the holiday list");
    child.Write("\x1bOH");
    child.SettleAfter("", settled, kLimit);
    std::size_t next = 0;
    for (auto _ : state) {
      const std::string& key = keys[next++ % keys.size()];
      const PtyChild::Clock::time_point sent = PtyChild::Clock::now();
      child.Write(key);
      const double seconds = Seconds(child.SettleAfter("", kQuiet, kLimit) - sent);
      state.SetIterationTime(seconds);
      samples.push_back(seconds);
    }
    child.Stop();
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
  Report(state, samples);
}

}  // namespace

void RegisterTerminalBenchmarks(const std::string& hcdtool, const std::string& examples) {
  TheSetup() = {hcdtool, examples};
  benchmark::RegisterBenchmark(kTerminalFirstScreen,
                               [](benchmark::State& state) { FirstScreen(state, 5); })
      ->UseManualTime()
      ->Iterations(20)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(
      kTerminalFirstScreenLarge,
      [](benchmark::State& state) { FirstScreen(state, kTerminalHolidays); })
      ->UseManualTime()
      ->Iterations(10)
      ->Unit(benchmark::kMillisecond);
  // Keys in the cursor keys' application mode, which curses asks the terminal for.
  benchmark::RegisterBenchmark(kTerminalKeyDown,
                               [](benchmark::State& state) {
                                 KeyInList(state, {"\x1bOB", "\x1bOA"});
                               })
      ->UseManualTime()
      ->Iterations(60)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(kTerminalKeyEndHome,
                               [](benchmark::State& state) {
                                 KeyInList(state, {"\x1bOF", "\x1bOH"});
                               })
      ->UseManualTime()
      ->Iterations(40)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(kTerminalKeyDelete,
                               [](benchmark::State& state) { KeyInList(state, {"\x1b[3~"}); })
      ->UseManualTime()
      ->Iterations(30)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
