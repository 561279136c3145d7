#pragma once

#include <string>

#include "bench/HolidayDialogDriver.h"

namespace bench {

void RegisterConfigBenchmarks();
void RegisterHolidayBenchmarks();
// Every dialog command at every size on the driver's backend; the driver must
// outlive the run.
void RegisterDialogBenchmarks(HolidayDialogDriver& driver);
// hcdtool set over a tree of handler folders against lint of the same tree, as
// processes, at two sizes.
void RegisterSetBenchmarks(const std::string& hcdtool, const std::string& peakRss,
                           const std::string& examples);
// hcdtool edit --ui terminal as a process in a pseudo-terminal: its first screen,
// and keys in the holiday list of kTerminalHolidays rows.
void RegisterTerminalBenchmarks(const std::string& hcdtool, const std::string& examples);

}  // namespace bench
