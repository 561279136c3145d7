#include "kelo/holidayfile/ICalendarHolidays.h"

#include <libical/ical.h>
#include <strings.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <stdexcept>
#include <vector>

#include "kelo/holiday/Calendar.h"
#include "kelo/holidayfile/FileText.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace kelo {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr long kMaxEventDays = 366;

// libical strips blanks and tabs from both ends of every value. The reader marks
// those at the ends of a SUMMARY with these bytes before libical reads the text, and
// turns them back after; a byte of the file that is one of them is read as
// kOtherControl, a control character like them, which a remark shows as "?" anyway.
constexpr char kEdgeBlank = '\x01';
constexpr char kEdgeTab = '\x02';
constexpr char kOtherControl = '\x03';

// What stands in CATEGORIES until the writer puts the escaped currency there: libical
// does not escape "," or ";" in it.
constexpr std::string_view kCategoryPlaceholder = "HCDKELO-CURRENCY-PLACEHOLDER";

struct ComponentDeleter {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct IteratorDeleter {
  void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};

// libical keeps the list of its built-in time zones, once loaded, in globals of its
// own. The module and libical may be unloaded while the host runs on, which would
// lose that memory, so each read and write lets it go when done.
class BuiltinZonesReleaser {
 public:
  BuiltinZonesReleaser() = default;
  ~BuiltinZonesReleaser() { icaltimezone_free_builtin_timezones(); }
  BuiltinZonesReleaser(const BuiltinZonesReleaser&) = delete;
  BuiltinZonesReleaser& operator=(const BuiltinZonesReleaser&) = delete;
};

struct CharsDeleter {
  void operator()(char* text) const { std::free(text); }
};

year_month_day YmdOf(const icaltimetype& time) {
  return year_month_day(std::chrono::year(time.year),
                        std::chrono::month(static_cast<unsigned>(time.month)),
                        std::chrono::day(static_cast<unsigned>(time.day)));
}

sys_days DayOf(const icaltimetype& time) { return sys_days(YmdOf(time)); }

bool IsDate(const icaltimetype& time) {
  return !icaltime_is_null_time(time) && time.month >= 1 && time.day >= 1 && YmdOf(time).ok();
}

sys_days FirstDayOf(unsigned year) {
  return sys_days(std::chrono::year(static_cast<int>(year)) / 1 / 1);
}

sys_days LastDayOf(unsigned year) {
  return sys_days(std::chrono::year(static_cast<int>(year)) / 12 / 31);
}

bool Within(sys_days day, unsigned firstYear, unsigned lastYear) {
  return day >= FirstDayOf(firstYear) && day <= LastDayOf(lastYear);
}

bool IsMidnight(const icaltimetype& time) {
  return !time.is_date && time.hour == 0 && time.minute == 0 && time.second == 0;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[i]) return false;
  }
  return true;
}

// --- The text as libical is given it -------------------------------------------

// Where the value of a content line begins: after the ":" that ends its name and
// parameters, outside quoted parameter values.
std::size_t ValueStart(std::string_view line, std::size_t nameEnd) {
  bool quoted = false;
  for (std::size_t i = nameEnd; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) return i + 1;
  }
  return line.size();
}

void MarkEdgeBlanks(std::string& line, std::size_t valueStart) {
  auto mark = [](char& c) {
    if (c == ' ') c = kEdgeBlank;
    if (c == '\t') c = kEdgeTab;
  };
  std::size_t i = valueStart;
  for (; i < line.size() && (line[i] == ' ' || line[i] == '\t'); ++i) mark(line[i]);
  for (std::size_t j = line.size(); j > i && (line[j - 1] == ' ' || line[j - 1] == '\t'); --j) {
    mark(line[j - 1]);
  }
}

// The text unfolded into one line per content line, each ended by LF, with the edge
// blanks of each SUMMARY marked. Refuses nesting and content lines beyond the limits
// here, before libical, which would overflow its stack freeing a deep tree and
// takes quadratic time over a long line. Components nest as libical nests them:
// every BEGIN opens one, every END closes the innermost, whatever its name.
std::string Prepared(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 64 + 16);
  std::size_t depth = 0;
  std::string line;
  bool haveLine = false;

  auto finish = [&] {
    for (char& c : line) {
      if (c == kEdgeBlank || c == kEdgeTab) c = kOtherControl;
    }
    const std::size_t nameEnd = std::min(line.find_first_of(";:"), line.size());
    const std::string_view name = std::string_view(line).substr(0, nameEnd);
    if (nameEnd < line.size()) {
      if (EqualsIgnoringCase(name, "BEGIN")) {
        if (++depth > kMaxICalendarNesting) {
          throw HolidayFileError("it nests components deeper than " +
                                 std::to_string(kMaxICalendarNesting) + " levels");
        }
      } else if (EqualsIgnoringCase(name, "END")) {
        if (depth > 0) --depth;
      } else if (EqualsIgnoringCase(name, "SUMMARY")) {
        MarkEdgeBlanks(line, ValueStart(line, nameEnd));
      }
    }
    out.append(line);
    out.push_back('\n');
  };
  auto grow = [&](std::string_view part) {
    if (line.size() + part.size() > kMaxICalendarLine) {
      throw HolidayFileError("it has a content line longer than " +
                             std::to_string(kMaxICalendarLine / 1024) + " KiB");
    }
    line.append(part);
  };

  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view physical = text.substr(at, end - at);
    at = end;
    if (at < text.size())
      at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;

    if (haveLine && !physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
      grow(physical.substr(1));  // a folded line goes on
      continue;
    }
    if (haveLine) finish();
    line.clear();
    haveLine = true;
    grow(physical);
  }
  if (haveLine) finish();
  return out;
}

std::string RestoredEdges(std::string text) {
  for (char& c : text) {
    if (c == kEdgeBlank) c = ' ';
    if (c == kEdgeTab) c = '\t';
  }
  return text;
}

// --- Events -----------------------------------------------------------------

std::string UidOf(icalcomponent* event) {
  const char* uid = icalcomponent_get_uid(event);
  return uid ? uid : "";
}

std::string SummaryOf(icalcomponent* event) {
  const char* summary = icalcomponent_get_summary(event);
  return RestoredEdges(summary ? summary : "");
}

bool IsRepeating(icalcomponent* event) {
  return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) != nullptr ||
         icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
}

bool MarkedAllDay(icalcomponent* event) {
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
       p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
    const char* name = icalproperty_get_x_name(p);
    const char* value = icalproperty_get_x(p);
    if (name && value && strcasecmp(name, "X-MICROSOFT-CDO-ALLDAYEVENT") == 0 &&
        strcasecmp(value, "TRUE") == 0) {
      return true;
    }
  }
  return false;
}

// The days an instance of the event covers, from its start.
long SpanDays(icalcomponent* event, const icaltimetype& start) {
  const icaltimetype end = icalcomponent_get_dtend(event);
  if (!IsDate(end)) return 1;
  const bool wholeDays =
      start.is_date || (IsMidnight(start) && IsMidnight(end)) || MarkedAllDay(event);
  if (!wholeDays) return 1;
  const long count = (DayOf(end) - DayOf(start)).count();
  return count < 1 ? 1 : count;
}

// The date of a time as the series starting at `series` sees it: a moved instance
// or an exception may name the instance in another zone (UTC) than the series.
sys_days DayInSeriesZone(icaltimetype time, const icaltimetype& series) {
  if (!time.is_date && !series.is_date && time.zone && series.zone && time.zone != series.zone) {
    time = icaltime_convert_to_zone(time, const_cast<icaltimezone*>(series.zone));
  }
  return DayOf(time);
}

// Every VEVENT of the calendar, or of each calendar of a file of several.
std::vector<icalcomponent*> EventsOf(icalcomponent* root) {
  std::vector<icalcomponent*> calendars;
  if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
    calendars.push_back(root);
  } else {
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
      calendars.push_back(c);
    }
  }
  if (calendars.empty()) throw HolidayFileError("it holds no iCalendar calendar (VCALENDAR)");
  std::vector<icalcomponent*> events;
  for (icalcomponent* calendar : calendars) {
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
      events.push_back(e);
    }
  }
  return events;
}

// --- ISO 8601 weeks -----------------------------------------------------------

struct IsoWeek {
  int year = 0;
  int week = 0;
};

IsoWeek IsoWeekOf(sys_days day) {
  const int weekday = static_cast<int>(std::chrono::weekday(day).iso_encoding());  // Monday 1
  const sys_days thursday = day + days(4 - weekday);
  const std::chrono::year year = year_month_day(thursday).year();
  return {static_cast<int>(year),
          static_cast<int>((thursday - sys_days(year / 1 / 1)).count() / 7 + 1)};
}

int WeeksIn(int isoYear) { return IsoWeekOf(sys_days(std::chrono::year(isoYear) / 12 / 28)).week; }

bool Listed(const short* list, std::size_t size, int value) {
  for (std::size_t i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    if (list[i] == value) return true;
  }
  return false;
}

bool IsSet(const short* list) { return list[0] != ICAL_RECURRENCE_ARRAY_MAX; }

// --- Reading ------------------------------------------------------------------

enum class RuleResult { Read, TooFrequent, Unread };

class EventReader {
 public:
  explicit EventReader(HolidayFileContent& file) : file_(file) {}

  // The instances that events with a RECURRENCE-ID take over from their series.
  void NoteReplacement(icalcomponent* event) {
    icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
    if (!id) return;
    const icaltimetype time = icalproperty_get_datetime_with_component(id, event);
    if (IsDate(time)) replaced_[UidOf(event)].push_back(time);
  }

  void Read(icalcomponent* event) {
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
      return Skip(SkipReason::Cancelled);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (!IsDate(start)) return Skip(SkipReason::NoDate);
    const long span = SpanDays(event, start);
    if (span > kMaxEventDays) return Skip(SkipReason::TooLong);
    const std::string remark = SummaryOf(event);

    const bool repeating = IsRepeating(event) && icalcomponent_get_first_property(
                                                     event, ICAL_RECURRENCEID_PROPERTY) == nullptr;
    if (!repeating) {
      // Each day by itself: a span over the edge of the years keeps its days inside.
      for (long i = 0; i < span; ++i) {
        const sys_days day = DayOf(start) + days(i);
        if (Within(day, kFirstCalendarYear, kLastCalendarYear)) {
          Add(day, remark);
        } else {
          Skip(SkipReason::OutOfYears);
        }
      }
      return;
    }

    std::set<sys_days> starts;
    switch (RepeatStarts(event, start, span, starts)) {
      case RuleResult::TooFrequent:
        return Skip(SkipReason::TooFrequent);
      case RuleResult::Unread:
        return Skip(SkipReason::UnreadRule);
      case RuleResult::Read:
        break;
    }
    bool any = false;
    for (const sys_days first : starts) {
      for (long i = 0; i < span; ++i) {
        const sys_days day = first + days(i);
        if (!Within(day, kFirstDialogYear, kLastDialogYear)) continue;
        Add(day, remark);
        any = true;
      }
    }
    if (!any) Skip(SkipReason::NoRepeatInYears);
  }

 private:
  void Skip(SkipReason reason) { file_.skipped.push_back({reason, 0}); }

  void Add(sys_days day, const std::string& remark) {
    if (file_.holidays.size() >= kMaxFileDates) {
      throw HolidayFileError("it gives more than " + std::to_string(kMaxFileDates) + " dates");
    }
    remarkBytes_ += remark.size();
    if (remarkBytes_ > kMaxFileRemarkBytes) {
      throw HolidayFileError("its dates carry more than " +
                             std::to_string(kMaxFileRemarkBytes / (1024 * 1024)) +
                             " MiB of remarks");
    }
    file_.holidays.push_back({year_month_day(day), remark});
  }

  // One repeat step that gave no date in the years; throws when a file has taken
  // more of them than any real calendar does.
  void CountIdleStep(icalcomponent* event, const icaltimetype& start,
                     const icalrecurrencetype& rule) {
    if (++idleSteps_ <= kMaxIdleRepeatSteps) return;
    icalrecurrencetype copy = rule;
    const std::unique_ptr<char, CharsDeleter> text(icalrecurrencetype_as_string_r(&copy));
    std::string summary = SummaryOf(event).substr(0, 60);
    for (char& c : summary) {
      if (static_cast<unsigned char>(c) < 0x20 || c == '"') c = '?';
    }
    throw HolidayFileError(
        "its repeat rules take more than " + std::to_string(kMaxIdleRepeatSteps) +
        " steps that give no date in " + std::to_string(kFirstDialogYear) + " to " +
        std::to_string(kLastDialogYear) + "; the last was event \"" + summary + "\" from " +
        FormatDateKey(YmdOf(start)) + ", RRULE:" + (text ? text.get() : "?"));
  }

  // The first days of the instances that reach into the repeat years.
  RuleResult RepeatStarts(icalcomponent* event, const icaltimetype& start, long span,
                          std::set<sys_days>& starts) {
    const sys_days from = FirstDayOf(kFirstDialogYear) - days(span - 1);
    const sys_days to = LastDayOf(kLastDialogYear);

    std::set<sys_days> excluded;
    const auto replaced = replaced_.find(UidOf(event));
    if (replaced != replaced_.end()) {
      for (const icaltimetype& id : replaced->second) excluded.insert(DayInSeriesZone(id, start));
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
      const icaltimetype day = icalproperty_get_datetime_with_component(p, event);
      if (IsDate(day)) excluded.insert(DayInSeriesZone(day, start));
    }

    // Whether the day became a start: false for one outside, excluded or known.
    auto take = [&](sys_days day) {
      return day >= from && day <= to && !excluded.contains(day) && starts.insert(day).second;
    };
    // The start is the first instance of a series, whether or not the rule names it.
    take(DayOf(start));
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
      const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
      const icaltimetype day = IsDate(rdate.time) ? rdate.time : rdate.period.start;
      if (IsDate(day)) take(DayOf(day));
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
      const icalrecurrencetype rule = icalproperty_get_rrule(p);
      if (rule.freq == ICAL_SECONDLY_RECURRENCE || rule.freq == ICAL_MINUTELY_RECURRENCE ||
          rule.freq == ICAL_HOURLY_RECURRENCE) {
        return RuleResult::TooFrequent;
      }
      if (IsSet(rule.by_week_no)) {
        // libical misses and invents days of week-number rules: they are walked here.
        if (!WeekNumberStarts(rule, start, to, take)) return RuleResult::Unread;
        continue;
      }
      std::unique_ptr<icalrecur_iterator, IteratorDeleter> instances(
          icalrecur_iterator_new(rule, start));
      if (!instances) continue;  // a rule libical could not read: the start alone
      if (rule.count == 0 && DayOf(start) < from) {
        // Straight to the first day wanted; a rule that counts its instances has to
        // be walked from its start, and libical refuses the jump then.
        const year_month_day first(from);
        icaltimetype jump = start;
        jump.year = static_cast<int>(first.year());
        jump.month = static_cast<int>(unsigned(first.month()));
        jump.day = static_cast<int>(unsigned(first.day()));
        icalrecur_iterator_set_start(instances.get(), jump);
      }
      for (icaltimetype next = icalrecur_iterator_next(instances.get());
           !icaltime_is_null_time(next); next = icalrecur_iterator_next(instances.get())) {
        if (!IsDate(next)) {
          CountIdleStep(event, start, rule);
          continue;
        }
        const sys_days day = DayOf(next);
        if (day > to) break;
        if (!take(day)) CountIdleStep(event, start, rule);
      }
    }
    return RuleResult::Read;
  }

  // The instances of a yearly rule by ISO 8601 week numbers (BYWEEKNO, a negative
  // number counting from the last week of the ISO year), by weekday (BYDAY, else
  // every day of the week) and month (BYMONTH), over the calendar years the rule steps
  // through; false for any other part, which such rules do not need.
  template <typename Take>
  bool WeekNumberStarts(const icalrecurrencetype& rule, const icaltimetype& start, sys_days to,
                        Take& take) {
    if (rule.freq != ICAL_YEARLY_RECURRENCE || rule.week_start != ICAL_MONDAY_WEEKDAY ||
        IsSet(rule.by_month_day) || IsSet(rule.by_year_day) || IsSet(rule.by_set_pos) ||
        (rule.rscale && *rule.rscale)) {
      return false;
    }
    unsigned weekdays = 0;  // bit n: weekday n, Sunday 0
    for (std::size_t i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX;
         ++i) {
      if (icalrecurrencetype_day_position(rule.by_day[i]) != 0) return false;
      weekdays |= 1u << (icalrecurrencetype_day_day_of_week(rule.by_day[i]) - 1);
    }
    const sys_days first = DayOf(start);
    if (weekdays == 0) weekdays = 0x7F;  // the whole week, as the rule expands it
    const year_month_day until = IsDate(rule.until) ? YmdOf(rule.until) : year_month_day();
    const bool untilSet = IsDate(rule.until);
    const auto timeOfDay = [](const icaltimetype& t) {
      return t.is_date ? 0 : t.hour * 3600 + t.minute * 60 + t.second;
    };
    const int interval = rule.interval > 0 ? rule.interval : 1;
    const int lastYear = static_cast<int>(year_month_day(to).year());
    int yearNumber = start.year;
    if (rule.count == 0 && yearNumber < static_cast<int>(kFirstDialogYear) - 1) {
      // Straight to the years wanted, on a year the rule steps on.
      const int behind = static_cast<int>(kFirstDialogYear) - 1 - yearNumber;
      yearNumber += behind / interval * interval;
    }
    int counted = 0;
    for (; yearNumber <= lastYear; yearNumber += interval) {
      const sys_days yearStart = sys_days(std::chrono::year(yearNumber) / 1 / 1);
      const sys_days yearEnd = sys_days(std::chrono::year(yearNumber) / 12 / 31);
      for (sys_days day = yearStart; day <= yearEnd; day += days(1)) {
        if (day < first) continue;
        if (untilSet) {
          const sys_days last = sys_days(until);
          if (day > last) return true;
          if (day == last && timeOfDay(start) > timeOfDay(rule.until)) return true;
        }
        if ((weekdays & (1u << std::chrono::weekday(day).c_encoding())) == 0) continue;
        if (IsSet(rule.by_month) &&
            !Listed(rule.by_month, ICAL_BY_MONTH_SIZE,
                    static_cast<int>(unsigned(year_month_day(day).month())))) {
          continue;
        }
        const IsoWeek week = IsoWeekOf(day);
        if (!Listed(rule.by_week_no, ICAL_BY_WEEKNO_SIZE, week.week) &&
            !Listed(rule.by_week_no, ICAL_BY_WEEKNO_SIZE, week.week - WeeksIn(week.year) - 1)) {
          continue;
        }
        if (rule.count > 0 && ++counted > rule.count) return true;
        take(day);
      }
    }
    return true;
  }

  HolidayFileContent& file_;
  std::map<std::string, std::vector<icaltimetype>> replaced_;
  long idleSteps_ = 0;
  std::size_t remarkBytes_ = 0;
};

icaltimetype DateValue(const year_month_day& date) {
  icaltimetype value = icaltime_null_date();
  value.year = static_cast<int>(date.year());
  value.month = static_cast<int>(unsigned(date.month()));
  value.day = static_cast<int>(unsigned(date.day()));
  return value;
}

// A TEXT value as RFC 5545 escapes it.
std::string EscapedText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      escaped.push_back('\\');
      escaped.push_back(c);
    } else if (c == '\n') {
      escaped.append("\\n");
    } else if (c != '\r') {
      escaped.push_back(c);
    }
  }
  return escaped;
}

// The content line folded after at most 75 octets, never inside a UTF-8 character.
std::string Folded(std::string_view line) {
  std::string folded;
  std::size_t width = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    std::size_t length = 1;
    if (c >= 0xF0) {
      length = 4;
    } else if (c >= 0xE0) {
      length = 3;
    } else if (c >= 0xC0) {
      length = 2;
    }
    length = std::min(length, line.size() - i);
    if (width + length > 75) {
      folded.append("\r\n ");
      width = 1;
    }
    folded.append(line.substr(i, length));
    width += length;
    i += length - 1;
  }
  return folded;
}

}  // namespace

HolidayFileContent ReadICalendarHolidays(std::string_view bytes) {
  const std::string text = FileTextAsUtf8(bytes);
  if (text.find('\0') != std::string::npos) {
    throw HolidayFileError("it is not an iCalendar file: it holds a zero byte");
  }
  const std::string prepared = Prepared(text);
  icalerror_set_errors_are_fatal(0);
  const BuiltinZonesReleaser zones;
  Component root(icalparser_parse_string(prepared.c_str()));
  if (!root) throw HolidayFileError("it is not an iCalendar file (no complete VCALENDAR)");

  HolidayFileContent file;
  EventReader reader(file);
  const std::vector<icalcomponent*> events = EventsOf(root.get());
  for (icalcomponent* event : events) reader.NoteReplacement(event);
  for (icalcomponent* event : events) reader.Read(event);
  return file;
}

void WriteICalendarHolidays(std::string_view currency, const HolidayList& list,
                            std::size_t& leftOut, const HolidayTextSink& write) {
  leftOut = 0;
  const BuiltinZonesReleaser zones;
  const std::string category = Latin1ToUtf8(currency);
  const std::string placeholder(kCategoryPlaceholder);
  const std::string from = "\r\nCATEGORIES:" + placeholder + "\r\n";
  const std::string to = "\r\n" + Folded("CATEGORIES:" + EscapedText(category)) + "\r\n";
  const auto text = [](icalcomponent* component) {
    const std::unique_ptr<char, CharsDeleter> written(icalcomponent_as_ical_string_r(component));
    if (!written) throw std::bad_alloc();
    return std::string(written.get());
  };

  // The calendar's own lines around its events, as libical writes them; each event is
  // written by itself and let go, so that a calendar of any size takes the memory of
  // one event.
  std::string frame;
  {
    Component calendar(icalcomponent_new_vcalendar());
    if (!calendar) throw std::bad_alloc();
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//HCDKELO//Holiday calendar//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    frame = text(calendar.get());
  }
  const std::string end = "END:VCALENDAR\r\n";
  if (frame.size() < end.size() || frame.compare(frame.size() - end.size(), end.size(), end) != 0)
    throw std::logic_error("libical wrote a calendar that does not end as one");
  std::string buffer = frame.substr(0, frame.size() - end.size());
  constexpr std::size_t kFlushAt = 256 * 1024;

  for (const auto& [dateKey, remark] : list) {
    const std::optional<year_month_day> parsed = ParseIsoDate(dateKey);
    if (!parsed) {
      ++leftOut;
      continue;
    }
    const year_month_day date = *parsed;
    Component event(icalcomponent_new_vevent());
    if (!event) throw std::bad_alloc();
    std::string compact = dateKey;
    std::erase(compact, '-');
    icalcomponent_add_property(
        event.get(), icalproperty_new_uid((compact + "-" + category + "@hcdkelo").c_str()));
    // The date itself: a time of the export would change the file at every export.
    icaltimetype stamp = DateValue(date);
    stamp.is_date = 0;
    stamp.hour = stamp.minute = stamp.second = 0;
    stamp.zone = icaltimezone_get_utc_timezone();
    icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstart(DateValue(date)));
    const year_month_day next(sys_days(date) + days(1));
    if (int(next.year()) <= static_cast<int>(kLastCalendarYear)) {
      icalcomponent_add_property(event.get(), icalproperty_new_dtend(DateValue(next)));
    } else {
      icalcomponent_add_property(event.get(),
                                 icalproperty_new_duration(icaldurationtype_from_int(24 * 3600)));
    }
    icalcomponent_add_property(event.get(), icalproperty_new_summary(Latin1ToUtf8(remark).c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_categories(placeholder.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    std::string written = text(event.get());
    // The category is set in after libical, which would write it otherwise.
    const std::size_t found = written.find(from);
    if (found != std::string::npos) written.replace(found, from.size(), to);
    buffer += written;
    if (buffer.size() >= kFlushAt) {
      write(buffer);
      buffer.clear();
    }
  }
  buffer += end;
  write(buffer);
}

std::string WriteICalendarHolidays(std::string_view currency, const HolidayList& list,
                                   std::size_t& leftOut) {
  std::string text;
  WriteICalendarHolidays(currency, list, leftOut,
                         [&](std::string_view part) { text.append(part); });
  return text;
}

}  // namespace kelo
