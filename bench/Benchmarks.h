#pragma once

#include "bench/HolidayDialogDriver.h"

namespace bench {

void RegisterConfigBenchmarks();
void RegisterHolidayBenchmarks();
// Every dialog command at every size on the driver's backend; the driver must
// outlive the run.
void RegisterDialogBenchmarks(HolidayDialogDriver& driver);

}  // namespace bench
