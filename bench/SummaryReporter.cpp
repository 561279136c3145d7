#include "bench/SummaryReporter.h"

#include <string>

namespace bench {

void SummaryReporter::ReportRuns(const std::vector<Run>& reports) {
  for (const Run& run : reports) {
    if (run.error_occurred) continue;
    const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (!single && !median) continue;
    const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
    figures_.Record(run.run_name.function_name,
                    {run.GetAdjustedCPUTime() / perSecond, run.GetAdjustedRealTime() / perSecond});
    // A benchmark that times each iteration itself may also tell its median and worst.
    for (const char* statistic : {"median", "worst"}) {
      if (const auto found = run.counters.find(statistic); found != run.counters.end())
        figures_.Record(run.run_name.function_name + "/" + statistic, {0, found->second.value});
    }
    // A run of hcdtool as a process tells its own CPU time, for each number of files.
    const auto cpu = run.counters.find("cpu_s");
    const auto files = run.counters.find("files");
    if (cpu != run.counters.end() && files != run.counters.end())
      figures_.Record(
          run.run_name.function_name + "/" + std::to_string(static_cast<long>(files->second.value)),
          {cpu->second.value, run.GetAdjustedRealTime() / perSecond});
  }
  ConsoleReporter::ReportRuns(reports);
}

}  // namespace bench
