#include "tool/review/YearView.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <optional>
#include <ostream>

#include "text/TextEscape.h"
#include "ui/DateTimeValue.h"

namespace chr = std::chrono;

namespace {

// A date key as the dialog's date pickers read one: YYYY-MM-DD.
std::optional<chr::year_month_day> DateOf(std::string_view key) {
  const std::optional<DateTimeValue> date = DateTimeValue::ParseIsoDate(key);
  if (!date) return std::nullopt;
  return chr::year_month_day{chr::year(date->year), chr::month(static_cast<unsigned>(date->month)),
                             chr::day(static_cast<unsigned>(date->day))};
}

constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kWeekdays = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};

// The look of each kind of mark.
struct Marks {
  bool terminal;

  int CellWidth() const { return terminal ? 3 : 4; }

  std::string Wrap(HolidayKind kind, const std::string& text) const {
    if (terminal) {
      const char* style = kind == HolidayKind::Rule    ? "\x1b[7m"
                          : kind == HolidayKind::Added ? "\x1b[7;4m"
                                                       : "\x1b[2m";
      return style + text + "\x1b[0m";
    }
    switch (kind) {
      case HolidayKind::Rule:
        return "[" + text + "]";
      case HolidayKind::Added:
        return "<" + text + ">";
      case HolidayKind::Weekend:
        break;
    }
    return "(" + text + ")";
  }

  // A day of the grid, CellWidth() wide.
  std::string Day(unsigned day, const std::optional<HolidayKind>& kind) const {
    std::string digits = (day < 10 ? " " : "") + std::to_string(day);
    if (!kind) return terminal ? " " + digits : " " + digits + " ";
    return terminal ? " " + Wrap(*kind, digits) : Wrap(*kind, digits);
  }

  std::string Blank() const { return std::string(static_cast<std::size_t>(CellWidth()), ' '); }
};

std::string WithoutTrailingBlanks(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string Centered(const std::string& text, std::size_t width) {
  if (text.size() >= width) return text;
  const std::size_t left = (width - text.size()) / 2;
  return std::string(left, ' ') + text + std::string(width - text.size() - left, ' ');
}

// The six week lines of a month, each CellWidth() * 7 wide.
std::vector<std::string> MonthLines(int year, unsigned month,
                                    const std::map<unsigned, HolidayKind>& marked,
                                    const Marks& marks) {
  const chr::year_month first{chr::year(year), chr::month(month)};
  const unsigned days = static_cast<unsigned>((first / chr::last).day());
  // Monday first: ISO weekday 1 to 7.
  const unsigned offset = chr::weekday(chr::sys_days(first / 1)).iso_encoding() - 1;
  std::vector<std::string> lines(6);
  for (unsigned slot = 0; slot < 42; ++slot) {
    std::string& line = lines[slot / 7];
    if (slot < offset || slot - offset >= days) {
      line += marks.Blank();
      continue;
    }
    const unsigned day = slot - offset + 1;
    const auto found = marked.find(month * 100 + day);
    line += marks.Day(
        day, found == marked.end() ? std::nullopt : std::optional<HolidayKind>(found->second));
  }
  return lines;
}

const char* KindWord(HolidayKind kind) {
  // In the order of the enumeration.
  constexpr std::array<const char*, 3> kWords = {"rule", "weekend", "added"};
  return kWords.at(static_cast<std::size_t>(kind));
}

}  // namespace

CurrencyYear ClassifyYear(const ShownCurrency& currency, int year,
                          const std::vector<ListViewRow>& filled) {
  // What is a weekend is the module's to say: the days "Add holiday of year" adds
  // after the rule holidays, in date order, all with the one remark it gives them.
  std::size_t weekendsFrom = filled.size();
  while (weekendsFrom > 0) {
    const ListViewRow& row = filled[weekendsFrom - 1];
    if (!DateOf(Cell(row, 0)) || Cell(row, 1) != Cell(filled.back(), 1)) break;
    if (weekendsFrom < filled.size() && !(Cell(row, 0) < Cell(filled[weekendsFrom], 0))) break;
    --weekendsFrom;
  }
  std::map<std::string, std::string> rules;
  std::map<std::string, std::string> weekends;
  for (std::size_t i = 0; i < filled.size(); ++i)
    (i < weekendsFrom ? rules : weekends)[Cell(filled[i], 0)] = Cell(filled[i], 1);

  CurrencyYear result;
  result.currency = currency.currency;
  result.year = year;
  const std::string prefix = std::to_string(year) + "-";
  for (const ListViewRow& row : currency.holidays) {
    const std::string key = Cell(row, 0);
    const std::optional<chr::year_month_day> date = DateOf(key);
    if (!date) {
      if (key.starts_with(prefix)) result.notDates.push_back(row);
      continue;
    }
    if (static_cast<int>(date->year()) != year) continue;
    YearHoliday holiday{key, Cell(row, 1), HolidayKind::Added, true};
    if (rules.contains(key)) {
      holiday.kind = HolidayKind::Rule;
    } else if (const auto filledWith = weekends.find(key); filledWith != weekends.end()) {
      holiday.kind = HolidayKind::Weekend;
      holiday.listed = filledWith->second != holiday.remark;
    }
    result.holidays.push_back(std::move(holiday));
  }
  std::sort(result.holidays.begin(), result.holidays.end(),
            [](const YearHoliday& a, const YearHoliday& b) { return a.date < b.date; });
  return result;
}

void PrintYear(const CurrencyYear& year, bool terminal, std::ostream& out) {
  const Marks marks{terminal};
  const std::size_t monthWidth = static_cast<std::size_t>(marks.CellWidth()) * 7;
  constexpr std::size_t kGap = 2;
  std::map<unsigned, HolidayKind> marked;  // month * 100 + day
  for (const YearHoliday& holiday : year.holidays) {
    const chr::year_month_day date = *DateOf(holiday.date);
    marked[static_cast<unsigned>(date.month()) * 100 + static_cast<unsigned>(date.day())] =
        holiday.kind;
  }
  out << WithoutTrailingBlanks(Centered(ShownName(year.currency) + " " + std::to_string(year.year),
                                        monthWidth * 3 + kGap * 2))
      << "\n\n";
  std::string weekdays;
  for (const char* name : kWeekdays)
    weekdays += terminal ? std::string(" ") + name : std::string(" ") + name + " ";
  for (unsigned quarter = 0; quarter < 4; ++quarter) {
    std::vector<std::vector<std::string>> months;
    std::string titles;
    std::string heads;
    for (unsigned m = 1; m <= 3; ++m) {
      const unsigned month = quarter * 3 + m;
      const std::string gap = m < 3 ? std::string(kGap, ' ') : std::string();
      titles += Centered(kMonths[month - 1], monthWidth) + gap;
      heads += weekdays + gap;
      months.push_back(MonthLines(year.year, month, marked, marks));
    }
    out << WithoutTrailingBlanks(titles) << '\n' << WithoutTrailingBlanks(heads) << '\n';
    for (std::size_t week = 0; week < 6; ++week) {
      std::string line;
      for (std::size_t m = 0; m < 3; ++m) line += months[m][week] + (m < 2 ? "  " : "");
      out << WithoutTrailingBlanks(line) << '\n';
    }
    out << '\n';
  }
  out << marks.Wrap(HolidayKind::Rule, "dd") << " rule holiday   "
      << marks.Wrap(HolidayKind::Added, "dd") << " added by hand or imported   "
      << marks.Wrap(HolidayKind::Weekend, "dd") << " weekend\n";
  for (const YearHoliday& holiday : year.holidays) {
    if (!holiday.listed) continue;
    out << marks.Wrap(holiday.kind, holiday.date) << ' ' << ShownStored(holiday.remark) << '\n';
  }
  for (const ListViewRow& row : year.notDates)
    out << ShownName(Cell(row, 0)) << ' ' << ShownStored(Cell(row, 1)) << " (no such date)\n";
}

Json YearJson(const CurrencyYear& year) {
  Json holidays = Json::array();
  for (const YearHoliday& holiday : year.holidays)
    holidays.push_back(Json{{"date", JsonLatin1(holiday.date)},
                            {"remark", JsonLatin1(holiday.remark)},
                            {"kind", KindWord(holiday.kind)},
                            {"listed", holiday.listed}});
  Json notDates = Json::array();
  for (const ListViewRow& row : year.notDates)
    notDates.push_back(
        Json{{"date", JsonLatin1(Cell(row, 0))}, {"remark", JsonLatin1(Cell(row, 1))}});
  return Json{{"currency", JsonLatin1(year.currency)},
              {"year", year.year},
              {"holidays", std::move(holidays)},
              {"not_dates", std::move(notDates)}};
}
