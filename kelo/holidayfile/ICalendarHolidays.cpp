#include "kelo/holidayfile/ICalendarHolidays.h"

#include <libical/ical.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
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
#include "kelo/holidayfile/RepeatExpansion.h"
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
         icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr ||
         icalcomponent_get_first_property(event, ICAL_EXRULE_PROPERTY) != nullptr;
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

// A time as the series starting at `series` sees it: an exception, a moved instance
// or an end may name its time in another zone (UTC) than the series.
icaltimetype InSeriesZone(icaltimetype time, const icaltimetype& series) {
  if (!time.is_date && !series.is_date && time.zone && series.zone && time.zone != series.zone) {
    time = icaltime_convert_to_zone(time, const_cast<icaltimezone*>(series.zone));
  }
  return time;
}

LocalTime LocalOf(const icaltimetype& time) {
  if (time.is_date) return {DayOf(time), 0};
  const int second = time.hour * 3600 + time.minute * 60 + time.second;
  return {DayOf(time), std::clamp(second, 0, 86399)};
}

// --- Instants ------------------------------------------------------------------
//
// A local time names an instant by its zone's offset, which is ambiguous where the
// clocks change: in a gap (02:30 on the night New York springs forward) it names no
// moment of the clock, in an overlap (01:30 the night it falls back) two. RFC 5545
// settles both: a time in a gap takes the offset from before the gap (02:30 EST,
// 07:30 UTC), a time in an overlap is the first of the two. A time of another zone
// than the series' (an EXDATE or RECURRENCE-ID in UTC) names exactly one instant, and
// matches the instance of the series that starts then, and no other.

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t SecondsOf(LocalTime time) {
  return std::int64_t{time.day.time_since_epoch().count()} * kSecondsPerDay + time.second;
}

LocalTime LocalFromSeconds(std::int64_t seconds) {
  std::int64_t day = seconds / kSecondsPerDay;
  if (seconds % kSecondsPerDay < 0) --day;
  return {sys_days(days(day)), static_cast<int>(seconds - day * kSecondsPerDay)};
}

icaltimezone* ZoneOf(const icaltimetype& time) { return const_cast<icaltimezone*>(time.zone); }

// Whether two times name their moments in different zones, both of them zoned.
bool InOtherZones(const icaltimetype& a, const icaltimetype& b) {
  return !a.is_date && !b.is_date && a.zone && b.zone && a.zone != b.zone;
}

// The zone's offset from UTC, in seconds, at an instant (seconds since 1970 in UTC).
int OffsetAt(icaltimezone* zone, std::int64_t instant) {
  icaltimetype utc = icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0,
                                                   icaltimezone_get_utc_timezone());
  int daylight = 0;
  return icaltimezone_get_utc_offset_of_utc_time(zone, &utc, &daylight);
}

// The instant a local time of the zone names. No zone changes its offset twice within
// a day, so the offsets a day before and a day after are those around any change
// near the time.
std::int64_t InstantOf(LocalTime local, icaltimezone* zone) {
  const std::int64_t wall = SecondsOf(local);
  const int before = OffsetAt(zone, wall - kSecondsPerDay);
  const int after = OffsetAt(zone, wall + kSecondsPerDay);
  if (OffsetAt(zone, wall - before) == before) return wall - before;  // also an overlap's first
  if (OffsetAt(zone, wall - after) == after) return wall - after;
  return wall - before;  // in a gap
}

// The local times of the zone that name the instant: one as a rule, two for the
// instant a time in a gap names (02:30 and 03:30 EDT are both 07:30 UTC), none for
// an instant of an overlap's second pass (06:30 UTC, 01:30 EST, is no 01:30 of the
// zone's own: that is the first pass, 05:30 UTC).
std::vector<LocalTime> LocalsOf(std::int64_t instant, icaltimezone* zone) {
  std::vector<LocalTime> locals;
  for (const int offset : {OffsetAt(zone, instant), OffsetAt(zone, instant - kSecondsPerDay),
                           OffsetAt(zone, instant + kSecondsPerDay)}) {
    const LocalTime local = LocalFromSeconds(instant + offset);
    if (InstantOf(local, zone) == instant &&
        std::find(locals.begin(), locals.end(), local) == locals.end()) {
      locals.push_back(local);
    }
  }
  std::sort(locals.begin(), locals.end());
  return locals;
}

// The local times of the series starting at `series` that a time of an exclusion, a
// replaced instance or a change from an instance on names.
std::vector<LocalTime> SeriesLocalsOf(const icaltimetype& time, const icaltimetype& series) {
  if (!InOtherZones(time, series)) return {LocalOf(time)};
  return LocalsOf(InstantOf(LocalOf(time), ZoneOf(time)), ZoneOf(series));
}

// A time of a property (RDATE, EXDATE) with the zone its TZID names: libical gives a
// PERIOD its times without one.
icaltimetype WithZone(icaltimetype time, icalproperty* property, icalcomponent* event) {
  if (time.is_date || time.zone) return time;
  icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
  const char* name = tzid ? icalparameter_get_tzid(tzid) : nullptr;
  if (!name) return time;
  icaltimezone* zone = nullptr;
  for (icalcomponent* c = icalcomponent_get_parent(event); c && !zone;
       c = icalcomponent_get_parent(c)) {
    zone = icalcomponent_get_timezone(c, name);
  }
  if (!zone) zone = icaltimezone_get_builtin_timezone(name);
  if (zone) time.zone = zone;
  return time;
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

// --- Repeat rules ------------------------------------------------------------

std::vector<int> Values(const short* list, std::size_t size) {
  std::vector<int> values;
  for (std::size_t i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    values.push_back(list[i]);
  }
  return values;
}

std::chrono::weekday WeekdayOf(int icalWeekday) {  // libical: Sunday 1
  return std::chrono::weekday(static_cast<unsigned>(icalWeekday - 1));
}

enum class RuleResult { Read, Ignored, TooFrequent, Unread, UnreadExclusion };

// The rule of libical's reading as the expansion takes it, with UNTIL in the series'
// own zone. Ignored: a rule libical could not read, or one of another calendar than
// the Gregorian (RSCALE), which leaves the series its start. Unread: week numbers where RFC 5545
// allows none (another frequency than yearly, or with a weekday's position), which are not guessed
// at.
RuleResult ToRepeatRule(const icalrecurrencetype& r, const icaltimetype& start, RepeatRule& rule) {
  switch (r.freq) {
    case ICAL_SECONDLY_RECURRENCE:
    case ICAL_MINUTELY_RECURRENCE:
    case ICAL_HOURLY_RECURRENCE:
      return RuleResult::TooFrequent;
    case ICAL_DAILY_RECURRENCE:
      rule.frequency = RepeatFrequency::Daily;
      break;
    case ICAL_WEEKLY_RECURRENCE:
      rule.frequency = RepeatFrequency::Weekly;
      break;
    case ICAL_MONTHLY_RECURRENCE:
      rule.frequency = RepeatFrequency::Monthly;
      break;
    case ICAL_YEARLY_RECURRENCE:
      rule.frequency = RepeatFrequency::Yearly;
      break;
    default:
      return RuleResult::Ignored;
  }
  if (r.rscale && *r.rscale && strcasecmp(r.rscale, "GREGORIAN") != 0) return RuleResult::Ignored;
  rule.interval = r.interval;
  rule.count = r.count > 0 ? r.count : 0;
  if (rule.count == 0 && IsDate(r.until)) {
    // A date ends the series with that day; a time, at that moment as the series'
    // zone shows it.
    rule.until =
        r.until.is_date ? LocalTime{DayOf(r.until), 86399} : LocalOf(InSeriesZone(r.until, start));
  }
  rule.bySecond = Values(r.by_second, ICAL_BY_SECOND_SIZE);
  rule.byMinute = Values(r.by_minute, ICAL_BY_MINUTE_SIZE);
  rule.byHour = Values(r.by_hour, ICAL_BY_HOUR_SIZE);
  for (std::size_t i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    const int day = icalrecurrencetype_day_day_of_week(r.by_day[i]);
    if (day < 1 || day > 7) continue;
    rule.byDay.push_back({icalrecurrencetype_day_position(r.by_day[i]), WeekdayOf(day)});
  }
  rule.byMonthDay = Values(r.by_month_day, ICAL_BY_MONTHDAY_SIZE);
  rule.byYearDay = Values(r.by_year_day, ICAL_BY_YEARDAY_SIZE);
  rule.byWeekNo = Values(r.by_week_no, ICAL_BY_WEEKNO_SIZE);
  for (std::size_t i = 0; i < ICAL_BY_MONTH_SIZE && r.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX;
       ++i) {
    // A leap month of another calendar (RSCALE) is no Gregorian month.
    rule.byMonth.push_back(icalrecurrencetype_month_is_leap(r.by_month[i])
                               ? 0
                               : icalrecurrencetype_month_month(r.by_month[i]));
  }
  rule.bySetPos = Values(r.by_set_pos, ICAL_BY_SETPOS_SIZE);
  if (r.week_start >= ICAL_SUNDAY_WEEKDAY && r.week_start <= ICAL_SATURDAY_WEEKDAY) {
    rule.weekStart = WeekdayOf(r.week_start);
  }
  if (!rule.byWeekNo.empty()) {
    if (rule.frequency != RepeatFrequency::Yearly) return RuleResult::Unread;
    for (const RepeatWeekday& day : rule.byDay) {
      if (day.position != 0) return RuleResult::Unread;
    }
  }
  return RuleResult::Read;
}

// The days an instance from `start` to `end` covers: from midnight to midnight its
// days, else its start date.
long PeriodDays(LocalTime start, LocalTime end) {
  if (start.second != 0 || end.second != 0 || end.day <= start.day) return 1;
  return std::min<long>((end.day - start.day).count(), kMaxEventDays);
}

// Whether the event with a RECURRENCE-ID changes that instance and all after it
// (RANGE=THISANDFUTURE), rather than that instance alone.
bool ChangesOnwards(icalcomponent* event) {
  icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
  icalparameter* range = id ? icalproperty_get_first_parameter(id, ICAL_RANGE_PARAMETER) : nullptr;
  return range && icalparameter_get_range(range) == ICAL_RANGE_THISANDFUTURE;
}

// --- Reading ------------------------------------------------------------------

class EventReader {
 public:
  explicit EventReader(HolidayFileContent& file) : file_(file) {}

  // The instances that events with a RECURRENCE-ID take over from their series.
  void NoteReplacement(icalcomponent* event) {
    icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
    if (!id) return;
    const icaltimetype time = icalproperty_get_datetime_with_component(id, event);
    if (IsDate(time)) replaced_[UidOf(event)].push_back({time, event, ChangesOnwards(event)});
  }

  void Read(icalcomponent* event) {
    const bool onwards = ChangesOnwards(event);
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
      return Skip(onwards ? SkipReason::CancelledOnwards : SkipReason::Cancelled);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (!IsDate(start)) return Skip(SkipReason::NoDate);
    if (onwards) ++file_.changedOnwards;
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

    try {
      switch (Expand(event, start, span, remark)) {
        case RuleResult::TooFrequent:
          return Skip(SkipReason::TooFrequent);
        case RuleResult::Unread:
          return Skip(SkipReason::UnreadRule);
        case RuleResult::UnreadExclusion:
          return Skip(SkipReason::UnreadExclusionRule);
        case RuleResult::Ignored:
        case RuleResult::Read:
          break;
      }
    } catch (const RepeatBudgetSpent&) {
      throw HolidayFileError(BudgetSpentText(event, start));
    }
  }

 private:
  // An event with a RECURRENCE-ID, and whether it changes all later instances too.
  struct Replacement {
    icaltimetype id;
    icalcomponent* event;
    bool onwards;
  };

  // A change to the instances of a series from one on (RANGE=THISANDFUTURE): they are
  // cancelled, or moved by as much as the changed instance was and take the changing
  // event's length and summary.
  struct Onwards {
    LocalTime from;
    bool cancelled = false;
    std::int64_t shift = 0;  // seconds of the series' clock
    long span = 1;
    bool wholeDays = false;
    std::string remark;
  };

  // The changes from an instance on of the series, by the instance they begin at.
  std::vector<Onwards> OnwardsOf(const std::vector<Replacement>& replacements,
                                 const icaltimetype& start) const {
    std::vector<Onwards> found;
    for (const Replacement& r : replacements) {
      if (!r.onwards) continue;
      Onwards change;
      if (r.id.is_date || start.is_date) {
        change.from = {DayOf(r.id), 0};
      } else {
        const std::vector<LocalTime> locals = SeriesLocalsOf(r.id, start);
        if (!locals.empty()) {
          change.from = locals.front();
        } else {
          // An instant of an overlap's second pass: the instance at that local time
          // came an hour before it, and is not changed.
          const std::int64_t instant = InstantOf(LocalOf(r.id), ZoneOf(r.id));
          change.from = LocalFromSeconds(instant + OffsetAt(ZoneOf(start), instant) + 1);
        }
      }
      change.cancelled = icalcomponent_get_status(r.event) == ICAL_STATUS_CANCELLED;
      const icaltimetype moved = icalcomponent_get_dtstart(r.event);
      // A change without a start that can be read is skipped as such (NoDate), and
      // tells nothing of where the later instances go: they stay as the series has them.
      if (!change.cancelled && !IsDate(moved)) continue;
      if (!change.cancelled) {
        const LocalTime to = moved.is_date || start.is_date ? LocalTime{DayOf(moved), 0}
                                                            : LocalOf(InSeriesZone(moved, start));
        change.shift = SecondsOf(to) - SecondsOf(change.from);
        change.span = SpanDays(r.event, moved);
        change.wholeDays = moved.is_date || MarkedAllDay(r.event);
        change.remark = SummaryOf(r.event);
      }
      found.push_back(std::move(change));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Onwards& a, const Onwards& b) { return a.from < b.from; });
    return found;
  }

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

  std::string BudgetSpentText(icalcomponent* event, const icaltimetype& start) const {
    std::string rule = "?";
    if (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
      icalrecurrencetype copy = icalproperty_get_rrule(p);
      const std::unique_ptr<char, CharsDeleter> text(icalrecurrencetype_as_string_r(&copy));
      if (text) rule = text.get();
    }
    std::string summary = SummaryOf(event).substr(0, 60);
    for (char& c : summary) {
      if (static_cast<unsigned char>(c) < 0x20 || c == '"') c = '?';
    }
    return "its repeat rules take more than " + std::to_string(kMaxIdleRepeatSteps) +
           " steps that give no date in " + std::to_string(kFirstDialogYear) + " to " +
           std::to_string(kLastDialogYear) + "; the last was event \"" + summary + "\" from " +
           FormatDateKey(YmdOf(start)) + ", RRULE:" + rule;
  }

  // Takes the days of the series' instances that lie in the repeat years.
  RuleResult Expand(icalcomponent* event, const icaltimetype& start, long span,
                    const std::string& remark) {
    // Extra instances first: a PERIOD may reach into the years from further back.
    std::vector<RepeatExpansion::Instance> extras;
    long longest = span;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
      const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
      if (IsDate(rdate.time)) {
        extras.push_back({LocalOf(InSeriesZone(WithZone(rdate.time, p, event), start)), {}});
        continue;
      }
      if (!IsDate(rdate.period.start)) continue;
      const icaltimetype begins = WithZone(rdate.period.start, p, event);
      const icaltimetype ends = IsDate(rdate.period.end) ? WithZone(rdate.period.end, p, event)
                                : icaldurationtype_is_null_duration(rdate.period.duration)
                                    ? begins
                                    : icaltime_add(begins, rdate.period.duration);
      const RepeatExpansion::Instance extra{LocalOf(InSeriesZone(begins, start)),
                                            LocalOf(InSeriesZone(ends, start))};
      longest = std::max(longest, PeriodDays(extra.start, *extra.end));
      extras.push_back(extra);
    }

    std::vector<Onwards> onwards;
    const auto replaced = replaced_.find(UidOf(event));
    if (replaced != replaced_.end()) onwards = OnwardsOf(replaced->second, start);

    const LocalTime from{FirstDayOf(kFirstDialogYear) - days(longest - 1), 0};
    LocalTime to{LastDayOf(kLastDialogYear), 86399};
    // A series cancelled from an instance on ends before it, at no cost of the walk.
    if (!onwards.empty() && onwards.back().cancelled)
      to = std::min(to, LocalFromSeconds(SecondsOf(onwards.back().from) - 1));
    RepeatExpansion expansion(LocalOf(start), from, to, budget_);
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
      RepeatRule rule;
      const RuleResult read = ToRepeatRule(icalproperty_get_rrule(p), start, rule);
      if (read == RuleResult::TooFrequent || read == RuleResult::Unread) return read;
      if (read == RuleResult::Read) expansion.AddRule(rule);
    }
    for (const RepeatExpansion::Instance& extra : extras) expansion.AddDate(extra.start, extra.end);
    // An exclusion rule that is not read would leave in days it takes out: the event is
    // not read rather than read wrong.
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXRULE_PROPERTY)) {
      RepeatRule rule;
      if (ToRepeatRule(icalproperty_get_exrule(p), start, rule) != RuleResult::Read)
        return RuleResult::UnreadExclusion;
      expansion.AddExclusionRule(rule);
    }

    // An exclusion names the instance by its start: a date names every instance of
    // that day, and in a series of whole days every exclusion names a day.
    auto exclude = [&](const icaltimetype& time) {
      if (time.is_date || start.is_date) {
        expansion.ExcludeDay(DayOf(time));
      } else {
        for (const LocalTime& local : SeriesLocalsOf(time, start)) expansion.Exclude(local);
      }
    };
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
      const icaltimetype time = icalproperty_get_datetime_with_component(p, event);
      if (IsDate(time)) exclude(time);
    }
    if (replaced != replaced_.end()) {
      for (const Replacement& r : replaced->second) exclude(r.id);
    }

    // An instance of a series from midnight to midnight that a rule or RDATE starts at
    // another time is a timed instance.
    const bool wholeDays = start.is_date || MarkedAllDay(event);
    std::set<sys_days> given;
    while (std::optional<RepeatExpansion::Instance> instance = expansion.Next()) {
      bool instanceWholeDays = wholeDays;
      long instanceSpan = span;
      const std::string* instanceRemark = &remark;
      // The last change from an instance on that reaches this one applies.
      const auto after = std::upper_bound(
          onwards.begin(), onwards.end(), instance->start,
          [](const LocalTime& t, const Onwards& change) { return t < change.from; });
      if (after != onwards.begin()) {
        const Onwards& change = *std::prev(after);
        if (change.cancelled) {
          budget_.Spend(RepeatBudget::kInstanceSteps);
          continue;
        }
        instance->start = LocalFromSeconds(SecondsOf(instance->start) + change.shift);
        if (instance->end)
          instance->end = LocalFromSeconds(SecondsOf(*instance->end) + change.shift);
        instanceWholeDays = change.wholeDays;
        instanceSpan = change.span;
        instanceRemark = &change.remark;
      }
      const long covers = instance->end ? PeriodDays(instance->start, *instance->end)
                          : instanceWholeDays || instance->start.second == 0 ? instanceSpan
                                                                             : 1;
      bool gave = false;
      for (long i = 0; i < covers; ++i) {
        const sys_days day = instance->start.day + days(i);
        if (!Within(day, kFirstDialogYear, kLastDialogYear) || !given.insert(day).second) continue;
        Add(day, *instanceRemark);
        gave = true;
      }
      if (!gave) budget_.Spend(RepeatBudget::kInstanceSteps);
    }
    if (given.empty()) Skip(SkipReason::NoRepeatInYears);
    return RuleResult::Read;
  }

  HolidayFileContent& file_;
  std::map<std::string, std::vector<Replacement>> replaced_;
  RepeatBudget budget_{kMaxIdleRepeatSteps * RepeatBudget::kInstanceSteps};
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
  const std::string text = UnfoldedFileTextAsUtf8(bytes);
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
