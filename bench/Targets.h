#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "bench/PeakMemory.h"
#include "bench/QtLoadCheck.h"
#include "bench/RunFigures.h"
#include "bench/TreeFigures.h"

// The names of the benchmarks, and the summary that sets each figure against its
// floor and its target.
namespace bench {

inline constexpr const char* kLargeFloor = "large/floor_pugixml_parse_both";
inline constexpr const char* kLargeFromXml = "large/fromXML_both";
inline constexpr const char* kLargeRead = "large/ReadFromProperty";
inline constexpr const char* kLargeCheck = "large/CheckHandlerConfigChange";
inline constexpr const char* kLargeSummary = "large/SummariseHandler";
inline constexpr const char* kLargeWrite = "large/WriteToProperty_toXML";
inline constexpr const char* kHolidayYears = "holiday/AddHolidaysOfYear_GBP_2010-2099";
inline constexpr const char* kStaticFloor = "static/floor_pugixml_parse_both";
inline constexpr const char* kStaticFromXml = "static/fromXML_both";
inline constexpr const char* kStaticCheck = "static/CheckRecordSetConfigChange";
inline constexpr const char* kDynamicFloor = "dynamic/floor_pugixml_parse_both";
inline constexpr const char* kDynamicFromXml = "dynamic/fromXML_both";
inline constexpr const char* kDynamicCheck = "dynamic/CheckRecordSetConfigChange";

// The terminal backend as a person at a terminal meets it.
inline constexpr const char* kTerminalFirstScreen = "terminal/first_screen/handler";
inline constexpr const char* kTerminalFirstScreenLarge = "terminal/first_screen/95000";
inline constexpr const char* kTerminalKeyDown = "terminal/key/95000/Down_Up";
inline constexpr const char* kTerminalKeyEndHome = "terminal/key/95000/End_Home";
inline constexpr const char* kTerminalKeyDelete = "terminal/key/95000/Delete";
inline constexpr int kTerminalHolidays = 95000;
inline constexpr double kMaxFirstScreenSeconds = 0.050;
inline constexpr double kMaxLargeFirstScreenSeconds = 0.150;
inline constexpr double kMaxKeySeconds = 0.016;

// set over this many handler folders, against lint of the same tree (CPU time).
inline constexpr int kSetFiles = 1000;
inline constexpr double kMaxSetOverLint = 2.0;

// Each figure is the median of this many repetitions, which keeps a burst of work
// elsewhere on the machine out of it.
inline constexpr int kRepetitions = 9;
inline constexpr double kMinTimePerRepetition = 0.2;  // seconds

// The holiday dialog's figures: rows in the shown currency, and the commands timed.
inline constexpr std::array<int, 4> kDialogRows = {2500, 5000, 10000, 20000};
enum class DialogCommand { kShow, kRemoveSelected, kRemoveAll, kAddYear };
inline constexpr std::array<DialogCommand, 4> kDialogCommands = {
    DialogCommand::kShow, DialogCommand::kRemoveSelected, DialogCommand::kRemoveAll,
    DialogCommand::kAddYear};
// Showing a currency of this many holidays in the Qt dialog, as a whole calendar
// gives, is timed on its own against a limit of its own.
inline constexpr int kDialogLargeRows = 95000;
inline constexpr double kMaxLargeShowSeconds = 0.050;
std::string_view CommandName(DialogCommand command);
// "dialog/<backend>/<command>/<rows>".
std::string DialogBenchmarkName(std::string_view backend, DialogCommand command, int rows);

// Limits the run is checked against.
inline constexpr double kMaxCheckOverFloor = 2.0;
// The static record set's check, once the furthest from its floor, is held closer to it
// so that it does not drift back.
inline constexpr double kMaxStaticCheckOverFloor = 1.5;
inline constexpr double kMaxGrowthPerDoubling = 2.3;
inline constexpr double kMaxRemoveOverShow = 3.0;
inline constexpr double kMaxPeakOverFiles = 4.0;
inline constexpr double kMaxPlanOverFloor = 2.0;
inline constexpr double kMaxPlanPeakOverLargestPair = 4.0;
// diff reads both pages of each changed pair: within this many times plan's CPU time,
// and a peak on the full trees within this many times its peak on the large pair alone.
inline constexpr double kMaxDiffOverPlan = 3.0;
inline constexpr double kMaxDiffPeakGrowth = 1.25;
// show of the large configuration against exporting its currencies to CSV.
inline constexpr double kMaxShowOverExport = 3.0;
// show of the large configuration against diff of it and a copy, which reads the page
// and the calendar twice: what show adds to one reading must cost less than another.
inline constexpr double kMaxShowOverDiff = 1.0;

// Prints the summary; true when every target that was measured is met.
bool PrintSummary(const RunFigures& figures, const std::optional<PeakMemoryFigure>& memory,
                  const std::optional<QtLoadCheck>& qtLoad, const std::optional<TreeFigures>& trees,
                  std::ostream& out);

}  // namespace bench
