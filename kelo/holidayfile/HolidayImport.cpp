#include "kelo/holidayfile/HolidayImport.h"

#include <array>
#include <set>

#include "kelo/holiday/Calendar.h"
#include "kelo/holiday/StandardHolidays.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace kelo {

namespace {

constexpr std::size_t kLinesNamed = 5;

std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

struct ReasonText {
  SkipReason reason;
  std::string_view one;
  std::string_view many;
  // The span of years the sentence ends with, when it names one.
  unsigned firstYear = 0;
  unsigned lastYear = 0;
};

constexpr std::array kReasons = {
    ReasonText{SkipReason::Cancelled, "cancelled event", "cancelled events"},
    ReasonText{SkipReason::CancelledOnwards,
               "cancelled instance that ends its series (RANGE=THISANDFUTURE)",
               "cancelled instances that end their series (RANGE=THISANDFUTURE)"},
    ReasonText{SkipReason::NoDate, "event without a start date", "events without a start date"},
    ReasonText{SkipReason::OutOfYears, "date outside the years", "dates outside the years",
               kFirstCalendarYear, kLastCalendarYear},
    ReasonText{SkipReason::NoRepeatInYears, "repeating event with no date in",
               "repeating events with no date in", kFirstDialogYear, kLastDialogYear},
    ReasonText{SkipReason::TooLong, "event longer than a year", "events longer than a year"},
    ReasonText{SkipReason::TooFrequent, "event repeating more often than daily",
               "events repeating more often than daily"},
    ReasonText{SkipReason::UnreadRule, "event with a week-number rule (BYWEEKNO) that is not read",
               "events with a week-number rule (BYWEEKNO) that is not read"},
    ReasonText{SkipReason::UnreadExclusionRule,
               "event with an exclusion rule (EXRULE) that is not read",
               "events with an exclusion rule (EXRULE) that is not read"},
    ReasonText{SkipReason::BadRow, "row that is not date,remark", "rows that are not date,remark"},
};

std::string LinesOf(const std::vector<std::size_t>& lines) {
  if (lines.empty()) return "";
  std::string text = lines.size() == 1 ? " (line " : " (lines ";
  for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(lines[i]);
  }
  if (lines.size() > kLinesNamed)
    text += " and " + std::to_string(lines.size() - kLinesNamed) + " more";
  return text + ")";
}

}  // namespace

HolidayImport ImportHolidays(HolidayTable& table, std::string_view currency,
                             const HolidayFileContent& file) {
  HolidayImport result;
  result.skipped = file.skipped;
  result.changedOnwards = file.changedOnwards;
  if (!table.Find(currency)) return result;
  HolidayList& list = table.EnsureCurrency(currency);
  std::set<std::string> taken;  // the dates of the file seen so far
  for (const HolidayItem& holiday : file.holidays) {
    std::string key = FormatDateKey(holiday.date);
    if (!taken.insert(key).second) {
      ++result.repeated;
      continue;
    }
    if (list.contains(key)) {
      ++result.alreadyThere;
      continue;
    }
    StoredRemark remark = ToStoredRemark(holiday.remark);
    if (remark.text.empty()) {
      remark.text = DefaultRemark(DayOfWeek(holiday.date));
    }
    if (remark.mended) ++result.mended;
    list.emplace(key, remark.text);
    result.added.emplace_back(std::move(key), std::move(remark.text));
  }
  return result;
}

std::string DescribeImport(std::string_view currency, const HolidayImport& import) {
  std::string text =
      Counted(import.added.size(), "date", "dates") + " added to " + std::string(currency) + ".\n";
  text += Counted(import.alreadyThere, "date was", "dates were") + " already there and kept " +
          (import.alreadyThere == 1 ? "its remark" : "their remarks") + ".\n";
  if (import.repeated > 0) {
    text += Counted(import.repeated, "date was", "dates were") +
            " given again in the file and taken once, with the first remark.\n";
  }
  if (import.changedOnwards > 0) {
    text += Counted(import.changedOnwards, "event changes", "events change") +
            " an instance of a series and all after it (RANGE=THISANDFUTURE).\n";
  }
  text += std::to_string(import.skipped.size()) + " skipped";
  std::string reasons;
  for (const ReasonText& reason : kReasons) {
    std::size_t count = 0;
    std::vector<std::size_t> lines;
    for (const FileSkip& skip : import.skipped) {
      if (skip.reason != reason.reason) continue;
      ++count;
      if (skip.line > 0) lines.push_back(skip.line);
    }
    if (count == 0) continue;
    reasons += reasons.empty() ? ": " : "; ";
    reasons += Counted(count, reason.one, reason.many);
    if (reason.firstYear != 0)
      reasons += " " + std::to_string(reason.firstYear) + " to " + std::to_string(reason.lastYear);
    reasons += LinesOf(lines);
  }
  text += reasons + ".";
  if (import.mended > 0) {
    text += "\n" + Counted(import.mended, "remark was", "remarks were") +
            " changed to fit the stored text: \"|\" as \"/\", line breaks as blanks, other "
            "characters outside ISO-8859-1 as \"?\".";
  }
  return text;
}

std::string DescribeExport(std::string_view currency, std::string_view fileName,
                           const HolidayExport& result) {
  std::string text = Counted(result.written, "date", "dates") + " of " + std::string(currency) +
                     " written to " + std::string(fileName) + ".";
  if (result.leftOut > 0) {
    text += "\n" + Counted(result.leftOut, "entry was", "entries were") +
            " left out: " + (result.leftOut == 1 ? "its date key is" : "their date keys are") +
            " not a date.";
  }
  return text;
}

}  // namespace kelo
