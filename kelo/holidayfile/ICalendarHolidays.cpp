#include "kelo/holidayfile/ICalendarHolidays.h"

#include <libical/ical.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace kelo {

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr long kMaxEventDays = 366;
// More steps than a daily rule takes from 1900 to the last year of the dialog: a
// rule that needs more is not a holiday calendar.
constexpr int kMaxRepeatSteps = 80000;
// What one file may make the reader do in all: far beyond any real calendar, and a
// bound on the time and memory an odd file can take.
constexpr std::size_t kMaxFileDates = 1000000;
constexpr long kMaxFileRepeatSteps = 100000;

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

sys_days DayOf(const icaltimetype& time) {
  return sys_days(year_month_day(std::chrono::year(time.year),
                                 std::chrono::month(static_cast<unsigned>(time.month)),
                                 std::chrono::day(static_cast<unsigned>(time.day))));
}

bool IsDate(const icaltimetype& time) {
  return !icaltime_is_null_time(time) &&
         year_month_day(std::chrono::year(time.year),
                        std::chrono::month(static_cast<unsigned>(time.month)),
                        std::chrono::day(static_cast<unsigned>(time.day)))
             .ok();
}

unsigned YearOf(sys_days day) { return static_cast<unsigned>(int(year_month_day(day).year())); }

// The days an instance of the event covers, from its start.
long SpanDays(icalcomponent* event, const icaltimetype& start) {
  if (!start.is_date) return 1;
  const icaltimetype end = icalcomponent_get_dtend(event);
  if (!IsDate(end)) return 1;
  const long days = (DayOf(end) - DayOf(start)).count();
  return days < 1 ? 1 : days;
}

std::string UidOf(icalcomponent* event) {
  const char* uid = icalcomponent_get_uid(event);
  return uid ? uid : "";
}

bool IsRepeating(icalcomponent* event) {
  return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) != nullptr ||
         icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
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

class EventReader {
 public:
  explicit EventReader(FileHolidays& file) : file_(file) {}

  // The instances that events with a RECURRENCE-ID take over from their series.
  void NoteReplacement(icalcomponent* event) {
    const icaltimetype id = icalcomponent_get_recurrenceid(event);
    if (IsDate(id)) replaced_[UidOf(event)].insert(DayOf(id));
  }

  void Read(icalcomponent* event) {
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
      return Skip(SkipReason::Cancelled);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (!IsDate(start)) return Skip(SkipReason::NoDate);
    const long span = SpanDays(event, start);
    if (span > kMaxEventDays) return Skip(SkipReason::TooLong);

    std::set<sys_days> starts;
    const bool repeating =
        IsRepeating(event) && icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
    if (repeating) {
      if (!RepeatStarts(event, start, starts)) return Skip(SkipReason::TooFrequent);
      if (starts.empty()) return Skip(SkipReason::NoRepeatInYears);
    } else {
      const unsigned year = static_cast<unsigned>(start.year);
      if (year < kFirstFileYear || year > kLastFileYear) return Skip(SkipReason::OutOfYears);
      starts.insert(DayOf(start));
    }

    const char* summary = icalcomponent_get_summary(event);
    const std::string remark = summary ? summary : "";
    for (const sys_days first : starts) {
      for (long i = 0; i < span; ++i) {
        const year_month_day date(first + std::chrono::days(i));
        const auto year = static_cast<unsigned>(int(date.year()));
        if (year > kLastFileYear) break;
        if (file_.holidays.size() >= kMaxFileDates) {
          throw HolidayFileError("it gives more than 1000000 dates");
        }
        file_.holidays.push_back({year, unsigned(date.month()), unsigned(date.day()), remark});
      }
    }
  }

 private:
  void Skip(SkipReason reason) { file_.skipped.push_back({reason, 0}); }

  bool InRepeatYears(sys_days day) const {
    const unsigned year = YearOf(day);
    return year >= kFirstRepeatYear && year <= kLastRepeatYear;
  }

  // The start days of the instances in the repeat years; false for a rule that
  // repeats more often than daily or takes too many steps to get there.
  bool RepeatStarts(icalcomponent* event, const icaltimetype& start, std::set<sys_days>& starts) {
    std::set<sys_days> excluded;
    const auto replaced = replaced_.find(UidOf(event));
    if (replaced != replaced_.end()) excluded = replaced->second;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
      const icaltimetype day = icalproperty_get_exdate(p);
      if (IsDate(day)) excluded.insert(DayOf(day));
    }

    auto take = [&](sys_days day) {
      if (InRepeatYears(day) && !excluded.contains(day)) starts.insert(day);
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
        return false;
      }
      std::unique_ptr<icalrecur_iterator, IteratorDeleter> instances(
          icalrecur_iterator_new(rule, start));
      if (!instances) continue;  // a rule libical could not read: the start alone
      if (start.year < static_cast<int>(kFirstRepeatYear)) {
        // Straight to the first year wanted; a rule that counts its instances has to
        // be walked from its start, and libical refuses then.
        icaltimetype from = start;
        from.year = static_cast<int>(kFirstRepeatYear);
        from.month = 1;
        from.day = 1;
        icalrecur_iterator_set_start(instances.get(), from);
      }
      int steps = 0;
      for (icaltimetype next = icalrecur_iterator_next(instances.get());
           !icaltime_is_null_time(next); next = icalrecur_iterator_next(instances.get())) {
        if (next.year > static_cast<int>(kLastRepeatYear)) break;
        if (++steps > kMaxRepeatSteps) return false;
        if (++fileSteps_ > kMaxFileRepeatSteps) {
          throw HolidayFileError("its repeat rules take more than 100000 steps to expand");
        }
        if (IsDate(next)) take(DayOf(next));
      }
    }
    return true;
  }

  FileHolidays& file_;
  std::map<std::string, std::set<sys_days>> replaced_;
  long fileSteps_ = 0;
};

void AddText(icalcomponent* component, icalproperty* property) {
  icalcomponent_add_property(component, property);
}

icaltimetype DateValue(const FileHoliday& date) {
  icaltimetype value = icaltime_null_date();
  value.year = static_cast<int>(date.year);
  value.month = static_cast<int>(date.month);
  value.day = static_cast<int>(date.day);
  return value;
}

}  // namespace

FileHolidays ReadICalendarHolidays(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) {
    throw HolidayFileError("it is not an iCalendar file: it holds a zero byte");
  }
  icalerror_set_errors_are_fatal(0);
  const BuiltinZonesReleaser zones;
  const std::string terminated(text);
  Component root(icalparser_parse_string(terminated.c_str()));
  if (!root) throw HolidayFileError("it is not an iCalendar file (no complete VCALENDAR)");

  FileHolidays file;
  EventReader reader(file);
  const std::vector<icalcomponent*> events = EventsOf(root.get());
  for (icalcomponent* event : events) reader.NoteReplacement(event);
  for (icalcomponent* event : events) reader.Read(event);
  return file;
}

std::string WriteICalendarHolidays(std::string_view currency, const HolidayList& list,
                                   std::size_t& leftOut) {
  leftOut = 0;
  const BuiltinZonesReleaser zones;
  const std::string category = Latin1ToUtf8(currency);
  Component calendar(icalcomponent_new_vcalendar());
  AddText(calendar.get(), icalproperty_new_version("2.0"));
  AddText(calendar.get(), icalproperty_new_prodid("-//HCDKELO//Holiday calendar//EN"));
  AddText(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  for (const auto& [dateKey, remark] : list) {
    const std::optional<FileHoliday> date = ParseIsoDate(dateKey);
    if (!date) {
      ++leftOut;
      continue;
    }
    icalcomponent* event = icalcomponent_new_vevent();
    std::string compact = dateKey;
    std::erase(compact, '-');
    AddText(event, icalproperty_new_uid((compact + "-" + category + "@hcdkelo").c_str()));
    // The date itself: a time of the export would change the file at every export.
    icaltimetype stamp = DateValue(*date);
    stamp.is_date = 0;
    stamp.hour = stamp.minute = stamp.second = 0;
    stamp.zone = icaltimezone_get_utc_timezone();
    AddText(event, icalproperty_new_dtstamp(stamp));
    AddText(event, icalproperty_new_dtstart(DateValue(*date)));
    const year_month_day next(
        sys_days(year_month_day(std::chrono::year(int(date->year)), std::chrono::month(date->month),
                                std::chrono::day(date->day))) +
        std::chrono::days(1));
    AddText(event, icalproperty_new_dtend(DateValue({static_cast<unsigned>(int(next.year())),
                                                     unsigned(next.month()),
                                                     unsigned(next.day()),
                                                     {}})));
    AddText(event, icalproperty_new_summary(Latin1ToUtf8(remark).c_str()));
    AddText(event, icalproperty_new_categories(category.c_str()));
    AddText(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalcomponent_add_component(calendar.get(), event);
  }
  const std::unique_ptr<char, CharsDeleter> text(icalcomponent_as_ical_string_r(calendar.get()));
  return text ? std::string(text.get()) : std::string();
}

}  // namespace kelo
