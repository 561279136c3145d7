#!/usr/bin/env python3
"""Random calendars of repeating events, and the days they cover by two expansions
that share no code with the reader under test.

  repeat_rules.py generate DIR SEED FILES   writes FILES calendars DIR/NAME.ics, each
                                            with DIR/NAME.expected: the days it covers,
                                            one "YYYY-MM-DD" a line; the fixed cases
                                            first, then FILES random ones from SEED,
                                            then FILES/2 in zones of the system's
                                            database from a seed of their own.
                                            Prints one summary line; exits 1 when the
                                            two references disagree other than in the
                                            known ways below.

The generator draws valid events of RFC 5545 over every part of a repeat rule
(FREQ, INTERVAL, COUNT, UNTIL as a date, a local time or UTC, BYMONTH, BYWEEKNO
with any WKST, BYYEARDAY, BYMONTHDAY, BYDAY with and without a position, BYHOUR,
BYMINUTE, BYSECOND, BYSETPOS, WKST), all-day and timed, floating, UTC and in four
time zones with their VTIMEZONE, with RDATE (dates, times, PERIODs by end and by
duration), EXDATE (instances, near misses, in UTC) and RECURRENCE-ID (moved and
cancelled instances). Each start is an instance of its rule (RFC 5545 leaves a
set whose start is not one undefined). The zone calendars (random_zone_series)
put series in zones of the system's zone database, with the VTIMEZONE libical makes
of it, at times in the gaps and overlaps of their clocks, with EXDATE and
RECURRENCE-ID in UTC and local time (the second pass of an overlap too), changes
from an instance on (RANGE=THISANDFUTURE), moved and cancelled, and EXRULE.

The days the reader promises (docs/holiday-files.md): an instance of an all-day
series, or of one from midnight to midnight, covers the days of its length; a timed
instance its start date in the series' zone; an RDATE PERIOD from midnight to
midnight its own days; an EXDATE or a RECURRENCE-ID removes the instance that starts
at that moment (a date, or any exclusion of an all-day series: that day), a time in
UTC the instance that starts at that instant, a local time in a gap by the offset
before the gap and one in an overlap the first pass (RFC 5545 3.3.5, which Python's
fold=0 follows); EXRULE removes what its rule gives from the start (RFC 2445, as
dateutil's rruleset); a change from an instance on cancels the later instances or
moves them on the series' clock as it moved that one (RFC 5545 3.8.4.4); a moved
instance gives its own days. Repeats count in 2010 to 2099.

Reference A, the expected days: dateutil.rrule for the rules (a weekly rule with
BYSETPOS asked from its week's first day, see dateutil_instances), except
week-number rules (BYWEEKNO), which a week walker of this file expands; the set
(start, RDATE, EXDATE, RECURRENCE-ID) built here. Reference B: recurring_ical_events
over the series as written. Where B cannot read a series, or differs from A, the
reason must be one of its known faults, named and explained in known_fault and
known_difference below. B reads neither EXRULE nor RANGE: a series with either, and
every series of the zone calendars, is asked of reference C instead, libical's own
iterator through its C API (Libical), about the series without the events that
change it, which the iterator leaves to its callers; where C differs, every
differing day must be one of libical's known faults, named and explained in
libical_difference. Changes from an instance on are checked against A alone, which
reads them as RFC 5545 does; neither library reads them.
"""
import copy
import datetime as dt
import functools
import itertools
import os
import random
import sys
import types
import warnings
from zoneinfo import ZoneInfo

from dateutil import rrule as du

# dateutil looks for the instances of a rule that has none up to the year 9999, which
# takes seconds for a daily rule; no reference here looks past 2100.
_dateutil_datetime = types.ModuleType("datetime")
_dateutil_datetime.__dict__.update(dt.__dict__)
_dateutil_datetime.MAXYEAR = 2200
du.datetime = _dateutil_datetime

D = dt.date
T = dt.datetime
DAY = dt.timedelta(days=1)
FIRST_REPEAT, LAST_REPEAT = D(2010, 1, 1), D(2099, 12, 31)
FIRST_FILE, LAST_FILE = D(1970, 1, 1), D(3000, 12, 31)
WEEKDAYS = ["MO", "TU", "WE", "TH", "FR", "SA", "SU"]
UTC = dt.timezone.utc

# Today's rules of each zone since 1970, as the VTIMEZONE the file carries; they are
# the zones' rules over 2010 to 2099 too, which zoneinfo follows.
VTIMEZONES = {
    "America/New_York":
        "BEGIN:STANDARD\r\nDTSTART:19701101T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
        "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
        "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n",
    "Europe/London":
        "BEGIN:STANDARD\r\nDTSTART:19701025T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
        "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0000\r\nTZNAME:GMT\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19700329T010000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
        "TZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nTZNAME:BST\r\nEND:DAYLIGHT\r\n",
    "Asia/Tokyo":
        "BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\n"
        "TZNAME:JST\r\nEND:STANDARD\r\n",
    "Australia/Sydney":
        "BEGIN:STANDARD\r\nDTSTART:19700405T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\n"
        "TZOFFSETFROM:+1100\r\nTZOFFSETTO:+1000\r\nTZNAME:AEST\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19701004T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU\r\n"
        "TZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\nTZNAME:AEDT\r\nEND:DAYLIGHT\r\n",
}
KINDS = ["date", "floating", "utc"] + list(VTIMEZONES)


def zoned(kind):
    """Whether a series of the kind names its times in a time zone of its own."""
    return kind not in ("date", "floating", "utc")


# --- Times as a series sees them ----------------------------------------------------

def aware(value, kind):
    """A value of the series' kind as Python compares it: dates stay dates, zoned
    and UTC times carry their zone, floating times none."""
    if isinstance(value, D) and not isinstance(value, T):
        return value
    if kind == "utc":
        return value.replace(tzinfo=UTC)
    if zoned(kind):
        return value.replace(tzinfo=ZoneInfo(kind))
    return value


def local(value, kind):
    """The wall time of an aware value in the series' zone, without zone."""
    if isinstance(value, T) and value.tzinfo is not None:
        zone = UTC if kind == "utc" else ZoneInfo(kind)
        return value.astimezone(zone).replace(tzinfo=None)
    return value


def as_datetime(value):
    return value if isinstance(value, T) else T(value.year, value.month, value.day)


def text_of(value, utc=False):
    if isinstance(value, T):
        return value.strftime("%Y%m%dT%H%M%S") + ("Z" if utc else "")
    return value.strftime("%Y%m%d")


def to_utc(naive, kind):
    return aware(naive, kind).astimezone(UTC).replace(tzinfo=None)


# --- Rules: reference A -------------------------------------------------------------

def rule_text(rule):
    order = ["FREQ", "INTERVAL", "COUNT", "UNTIL", "BYMONTH", "BYWEEKNO", "BYYEARDAY",
             "BYMONTHDAY", "BYDAY", "BYHOUR", "BYMINUTE", "BYSECOND", "BYSETPOS", "WKST"]
    return ";".join("%s=%s" % (k, rule[k]) for k in order if k in rule)


def ints(rule, key):
    return [int(x) for x in rule[key].split(",")] if key in rule else []


@functools.lru_cache(maxsize=None)
def week_number(day, wkst):
    """Week number and weeks of the week-numbering year of RFC 5545: weeks begin on
    wkst (0 Monday), week 1 is the first with four days in the year."""
    def week_start(d):
        return d - dt.timedelta(days=(d.weekday() - wkst) % 7)
    begins = week_start(day)
    year = (begins + dt.timedelta(days=3)).year
    first = week_start(D(year, 1, 4))
    following = week_start(D(year + 1, 1, 4))
    return (begins - first).days // 7 + 1, (following - first).days // 7


def week_number_walk(rule, start, kind, until, inclusive=False):
    """The instances of a yearly week-number rule after its start: the days of each
    calendar year whose week is listed (a negative number counts from the last week
    of its week-numbering year), by weekday and month, times the times of day, then
    BYSETPOS; COUNT counting the start."""
    wkst = WEEKDAYS.index(rule.get("WKST", "MO"))
    weeks = ints(rule, "BYWEEKNO")
    weekdays = [WEEKDAYS.index(x) for x in rule["BYDAY"].split(",")] if "BYDAY" in rule else None
    months = ints(rule, "BYMONTH")
    s = as_datetime(start)
    hours = ints(rule, "BYHOUR") or [s.hour]
    minutes = ints(rule, "BYMINUTE") or [s.minute]
    seconds = ints(rule, "BYSECOND") or [s.second]
    times = sorted(dt.time(h, m, x) for h in hours for m in minutes for x in seconds)
    positions = ints(rule, "BYSETPOS")
    count = int(rule["COUNT"]) if "COUNT" in rule else None
    interval = int(rule.get("INTERVAL", 1))
    given = 1
    first = aware(s, kind)
    year = s.year
    while year <= 2100:
        days = []
        day = D(year, 1, 1)
        while day.year == year:
            number, total = week_number(day, wkst)
            if ((number in weeks or number - total - 1 in weeks)
                    and (weekdays is None or day.weekday() in weekdays)
                    and (not months or day.month in months)):
                days.append(day)
            day += DAY
        found = [aware(T.combine(d, t), kind) for d in days for t in times]
        if positions:
            found = sorted({found[p - 1 if p > 0 else len(found) + p] for p in positions
                            if -len(found) <= p <= len(found) and p != 0})
        for x in found:
            if x < first or (x == first and not inclusive):
                continue
            if until is not None and x > until:
                return
            if count is not None and given >= count:
                return
            given += 1
            yield x
        year += interval


def bounded(rule, start, kind, bound):
    """dateutil's rule, ended at bound at the latest."""
    found = du.rrulestr(rule_text(rule), dtstart=aware(as_datetime(start), kind))
    bound = aware(bound, kind if kind != "date" else "floating")
    if found._until is None or found._until > bound:
        with warnings.catch_warnings():
            warnings.simplefilter("ignore")  # COUNT and UNTIL together
            found = found.replace(until=bound)
    return found


def dateutil_instances(rule, start, kind, bound, inclusive=False):
    """The instances of a rule without week numbers after its start (or from it), up
    to bound. dateutil builds the first week of a weekly rule from the start instead
    of from the week's first day, so that BYSETPOS picks from part of that week
    (FREQ=WEEKLY;BYDAY=SU,MO,FR;BYSETPOS=2;WKST=SA from a Monday skips that Monday): a
    weekly rule with BYSETPOS is asked from the first day of its week, and its COUNT
    counted here."""
    first = aware(as_datetime(start), kind)
    count = None
    if rule["FREQ"] == "WEEKLY" and "BYSETPOS" in rule:
        s = as_datetime(start)
        rule = dict(rule)
        rule.setdefault("BYDAY", WEEKDAYS[s.weekday()])
        count = rule.pop("COUNT", None)
        wkst = WEEKDAYS.index(rule.get("WKST", "MO"))
        start = s - dt.timedelta(days=(s.weekday() - wkst) % 7)
    given = 1
    for x in bounded(rule, start, kind, bound):
        if x < first or (x == first and not inclusive):
            continue
        if count is not None and given >= int(count):
            return
        given += 1
        yield x


def rule_instances(rule, start, kind):
    """Every instance of the rule after the start, up to 2100."""
    until = None
    if "UNTIL" in rule:
        text = rule["UNTIL"]
        if len(text) == 8:
            until = T.strptime(text, "%Y%m%d")
        elif text.endswith("Z"):
            until = T.strptime(text, "%Y%m%dT%H%M%SZ").replace(tzinfo=UTC)
        else:
            until = T.strptime(text, "%Y%m%dT%H%M%S")
    if "BYWEEKNO" in rule:
        found = week_number_walk(rule, start, kind, until)
    else:
        found = dateutil_instances(rule, start, kind, T(2100, 1, 1))
    first = aware(as_datetime(start), kind)
    for x in found:
        if x.replace(tzinfo=None) >= T(2100, 1, 1):
            break
        if x > first:
            yield x


# --- Events -------------------------------------------------------------------------

class Series:
    """One repeating event and the events that move or cancel its instances."""

    def __init__(self, uid, kind, start, length, end_form, rule):
        self.uid = uid
        self.kind = kind
        self.start = start          # a date, or a naive time of the series' zone
        self.length = length        # days (all-day) or a timedelta
        self.end_form = end_form    # "DTEND", "DURATION" or None
        self.rule = rule            # parts, or None
        self.rdates = []            # (start, end or None, "end"/"duration"/None)
        self.exdates = []           # (value, in_utc)
        self.overrides = []         # (instance, in_utc, moved start, cancelled, onwards)
        self.exrules = []           # rules (EXRULE) whose instances are left out
        self.system_zone = False    # the VTIMEZONE is the system's zone database's
        self.known = set()          # names of KNOWN faults of reference B that apply

    def all_day(self):
        return self.kind == "date"

    def whole_days(self):
        return self.all_day() or (
            self.end_form is not None and as_datetime(self.start).time() == dt.time(0)
            and self.length.seconds == 0 and self.length.days >= 1)

    def span(self):
        if self.all_day():
            return self.length if self.end_form else 1
        return self.length.days if self.whole_days() else 1

    def rule_instances(self, rule=None):
        return list(rule_instances(rule or self.rule, self.start, self.kind)) if (
            rule or self.rule) else []

    def instances(self):
        """The recurrence set as (aware start, own end or None), before exclusions."""
        found = {aware(as_datetime(self.start), self.kind): None}
        for x in self.rule_instances():
            found.setdefault(x, None)
        for start, end, _ in self.rdates:
            found[aware(as_datetime(start), self.kind)] = (
                aware(end, self.kind) if end is not None else None)
        return sorted(found.items())

    def excluded(self, instance, overrides=True):
        """Whether EXDATE, EXRULE or (with overrides) a RECURRENCE-ID names the instance.
        A local time names the instance at that time of the series' clock; one written in
        UTC names the instance that starts at that instant, a local time in a gap meaning
        the offset before the gap and in an overlap the first pass, as Python's fold=0
        does (a value with fold=1 is the second pass, and names no instance)."""
        names = self.exdates + ([(rid, in_utc) for rid, in_utc, *_ in self.overrides]
                                if overrides else [])
        for value, in_utc in names:  # local times, written in UTC or not
            if self.all_day():
                if as_datetime(value) == instance:
                    return True
            elif in_utc and zoned(self.kind):
                if instance.astimezone(UTC).replace(tzinfo=None) == to_utc(value, self.kind):
                    return True
            elif aware(value, self.kind) == instance:
                return True
        return instance in self.exrule_instances()

    def exrule_instances(self):
        """The instances of the exclusion rules, by dateutil from the start: the start
        only when a rule's pattern gives it, COUNT counting only what it gives."""
        if not hasattr(self, "_exrule_instances"):
            found = set()
            for rule in self.exrules:
                found.update(x for x in bounded(rule, self.start, self.kind, T(2100, 1, 1))
                             if x.replace(tzinfo=None) < T(2100, 1, 1))
            self._exrule_instances = found
        return self._exrule_instances

    def onwards_change(self, start):
        """The last change "this and future" (RANGE=THISANDFUTURE) from an instance at or
        before this one, by the series' clock: (its instance, moved start, cancelled)."""
        key = local(start, self.kind)
        found = None
        for rid, _, moved, cancelled, onwards in self.overrides:
            rid_key = as_datetime(rid) if self.all_day() else rid.replace(fold=0)
            if onwards and rid_key <= key and (found is None or rid_key >= found[0]):
                found = (rid_key, moved, cancelled)
        return found

    def expected_days(self):
        days = set()
        for start, end in self.instances():
            if self.excluded(start):
                continue
            first = local(start, self.kind)
            last = local(end, self.kind) if end is not None else None
            change = self.onwards_change(start)
            if change is not None:
                # Cancelled from an instance on, or moved as that instance was.
                rid_key, moved, cancelled = change
                if cancelled:
                    continue
                shift = as_datetime(moved) - rid_key
                first = as_datetime(first) + shift
                last = last + shift if last is not None else None
            if last is not None:
                covers = (last.date() - first.date()).days if (
                    first.time() == dt.time(0) and last.time() == dt.time(0)
                    and last.date() > first.date()) else 1
            elif self.all_day() or first.time() == dt.time(0):
                covers = self.span()
            else:
                covers = 1
            days.update(d for d in (first.date() + i * DAY for i in range(covers))
                        if FIRST_REPEAT <= d <= LAST_REPEAT)
        for _, _, moved, cancelled, _ in self.overrides:
            if cancelled:
                continue
            covers = self.span() if self.all_day() or as_datetime(moved).time() == dt.time(0) else 1
            base = moved if isinstance(moved, D) and not isinstance(moved, T) else moved.date()
            days.update(d for d in (base + i * DAY for i in range(covers))
                        if FIRST_FILE <= d <= LAST_FILE)
        return days

    def lines(self):
        def stamp(name, value, in_utc=False, params=""):
            if isinstance(value, T):
                if in_utc or self.kind == "utc":
                    return "%s%s:%s" % (name, params, text_of(value, True))
                if zoned(self.kind):
                    return "%s;TZID=%s%s:%s" % (name, self.kind, params, text_of(value))
                return "%s%s:%s" % (name, params, text_of(value))
            return "%s;VALUE=DATE%s:%s" % (name, params, text_of(value))

        def end_lines(start):
            if self.end_form == "DTEND":
                end = start + (self.length * DAY if self.all_day() else self.length)
                return [stamp("DTEND", end)]
            if self.end_form == "DURATION":
                if self.all_day():
                    return ["DURATION:P%dD" % self.length]
                return ["DURATION:P%dDT%dS" % (self.length.days, self.length.seconds)]
            return []

        out = ["BEGIN:VEVENT", "UID:" + self.uid, "DTSTAMP:20240101T000000Z",
               stamp("DTSTART", self.start)] + end_lines(self.start)
        if self.rule:
            out.append("RRULE:" + rule_text(self.rule))
        for start, end, form in self.rdates:
            if end is None:
                out.append(stamp("RDATE", start))
            else:
                value = stamp("RDATE", start, params=";VALUE=PERIOD")
                if form == "end":
                    value += "/" + text_of(end, self.kind == "utc")
                else:
                    delta = end - start
                    value += "/P%dDT%dS" % (delta.days, delta.seconds)
                out.append(value)
        for value, in_utc in self.exdates:
            out.append(stamp("EXDATE", to_utc(value, self.kind) if in_utc else value, in_utc))
        for rule in self.exrules:
            out.append("EXRULE:" + rule_text(rule))
        out += ["SUMMARY:Series " + self.uid, "END:VEVENT"]
        return out + self.override_lines(stamp, end_lines)

    def series_lines(self):
        """The series alone, without the events that move or cancel its instances."""
        saved, self.overrides = self.overrides, []
        try:
            return self.lines()
        finally:
            self.overrides = saved

    def override_lines(self, stamp, end_lines):
        out = []
        for rid, in_utc, moved, cancelled, onwards in self.overrides:
            out += ["BEGIN:VEVENT", "UID:" + self.uid, "DTSTAMP:20240101T000000Z",
                    stamp("RECURRENCE-ID", to_utc(rid, self.kind) if in_utc else rid, in_utc,
                          ";RANGE=THISANDFUTURE" if onwards else ""),
                    stamp("DTSTART", moved)] + end_lines(moved)
            if cancelled:
                out.append("STATUS:CANCELLED")
            out += ["SUMMARY:Moved " + self.uid, "END:VEVENT"]
        return out


def calendar_text(series, only_series=False):
    out = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//generated//repeat rules//EN"]
    for zone in sorted({s.kind for s in series if zoned(s.kind) and not s.system_zone}):
        out.append("BEGIN:VTIMEZONE\r\nTZID:%s\r\n%sEND:VTIMEZONE" % (zone, VTIMEZONES[zone]))
    for zone in sorted({s.kind for s in series if s.system_zone}):
        out.append(LIBICAL.vtimezone(zone))
    for s in series:
        out += s.series_lines() if only_series else s.lines()
    out.append("END:VCALENDAR")
    return ("\r\n".join(out) + "\r\n").encode("utf-8")


# --- The generator ------------------------------------------------------------------

def first_instance(rule, start, kind):
    """The first instance of the rule (without its end) at or after start, or None."""
    open_rule = {k: v for k, v in rule.items() if k not in ("COUNT", "UNTIL")}
    if "BYWEEKNO" in open_rule:
        found = week_number_walk(open_rule, start, kind, None, inclusive=True)
    else:
        found = dateutil_instances(open_rule, start, kind,
                                   as_datetime(start) + dt.timedelta(days=3660), True)
    for x in found:
        if x.replace(tzinfo=None) >= as_datetime(start) + dt.timedelta(days=3660):
            return None
        return x
    return None


def pick(rng, values, most=3):
    return sorted(set(rng.choice(values) for _ in range(rng.randint(1, most))))


def joined(values):
    return ",".join(str(v) for v in values)


def weekdays(rng, most=3, positions=None):
    days = []
    for _ in range(rng.randint(1, most)):
        day = rng.choice(WEEKDAYS)
        if positions:
            day = "%d%s" % (rng.choice(positions), day)
        days.append(day)
    return ",".join(sorted(set(days)))


def random_rule(rng, timed):
    freq = rng.choice(["DAILY", "WEEKLY", "WEEKLY", "MONTHLY", "MONTHLY", "YEARLY", "YEARLY",
                       "YEARLY"])
    rule = {"FREQ": freq}
    if rng.random() < 0.35:
        rule["INTERVAL"] = str(rng.choice([2, 2, 3, 4]))
    month_days = list(range(1, 32)) + [28, 29, 30, 31, 31, -1, -1, -2, -3, -30, -31]
    if freq == "YEARLY":
        shape = rng.choice(["plain", "bymonth", "weekno", "weekno", "yearday", "monthday", "nth"])
        if shape == "bymonth":
            rule["BYMONTH"] = joined(pick(rng, range(1, 13)))
        elif shape == "weekno":
            rule["BYWEEKNO"] = joined(pick(rng, [1, 1, 2, 20, 26, 51, 52, 52, 53, 53, -1, -1, -2,
                                                 -53], 2))
            if rng.random() < 0.7:
                rule["BYDAY"] = weekdays(rng)
            if rng.random() < 0.2:
                rule["BYMONTH"] = joined(pick(rng, [1, 1, 6, 12, 12], 2))
        elif shape == "yearday":
            rule["BYYEARDAY"] = joined(pick(rng, [1, 2, 59, 60, 100, 200, 365, 366, -1, -2, -365,
                                                  -366, -100], 3))
            if rng.random() < 0.2:
                rule["BYMONTH"] = joined(pick(rng, range(1, 13), 4))
            if rng.random() < 0.2:
                rule["BYDAY"] = weekdays(rng, 4)
        elif shape == "monthday":
            rule["BYMONTHDAY"] = joined(pick(rng, month_days))
            if rng.random() < 0.5:
                rule["BYMONTH"] = joined(pick(rng, range(1, 13)))
            if rng.random() < 0.2:
                rule["BYDAY"] = weekdays(rng, 3)
        else:
            if rng.random() < 0.5:
                rule["BYMONTH"] = joined(pick(rng, range(1, 13)))
                rule["BYDAY"] = weekdays(rng, 2, [1, 2, 3, 4, -1, -1, -2, 5, -5])
            else:
                rule["BYDAY"] = weekdays(rng, 2, [1, 2, 10, 20, 52, 53, -1, -1, -2, -53])
    elif freq == "MONTHLY":
        shape = rng.choice(["plain", "monthday", "nth", "setpos"])
        if shape == "monthday":
            rule["BYMONTHDAY"] = joined(pick(rng, month_days))
        elif shape == "nth":
            rule["BYDAY"] = weekdays(rng, 2, [1, 2, 3, 4, -1, -1, -2, 5, -5])
        elif shape == "setpos":
            rule["BYDAY"] = weekdays(rng, 5)
            rule["BYSETPOS"] = joined(pick(rng, [1, 2, -1, -1, -2, 3], 2))
        if rng.random() < 0.2:
            rule["BYMONTH"] = joined(pick(rng, range(1, 13), 4))
        if shape == "monthday" and rng.random() < 0.15:
            rule["BYDAY"] = weekdays(rng, 3)
    elif freq == "WEEKLY":
        if rng.random() < 0.8:
            rule["BYDAY"] = weekdays(rng, 4)
        if rng.random() < 0.15:
            rule["BYMONTH"] = joined(pick(rng, range(1, 13), 4))
    else:
        shape = rng.choice(["plain", "byday", "monthday", "bymonth"])
        if shape == "byday":
            rule["BYDAY"] = weekdays(rng, 5)
        elif shape == "monthday":
            rule["BYMONTHDAY"] = joined(pick(rng, month_days))
        elif shape == "bymonth":
            rule["BYMONTH"] = joined(pick(rng, range(1, 13), 3))
    if rng.random() < 0.4:
        rule["WKST"] = rng.choice(WEEKDAYS)
    if timed and rng.random() < 0.2:
        rule["BYHOUR"] = joined(pick(rng, range(4, 24), 2))
        if rng.random() < 0.5:
            rule["BYMINUTE"] = joined(pick(rng, [0, 15, 30, 45, 59], 2))
        if rng.random() < 0.3:
            rule["BYSECOND"] = joined(pick(rng, [0, 30, 59], 2))
    if "BYSETPOS" not in rule and rng.random() < 0.15:
        rule["BYSETPOS"] = joined(pick(rng, [1, 2, 3, -1, -1, -2, 10, -10], 2))
    return rule


def random_time(rng, kind):
    if kind == "date":
        return None
    if rng.random() < 0.15:
        return dt.time(0, 0)
    return dt.time(rng.randint(4, 23), rng.choice([0, 0, 15, 30, 45]), rng.choice([0, 0, 0, 30]))


def random_series(rng, uid):
    kind = rng.choice(KINDS)
    timed = kind != "date"
    for _ in range(50):
        rule = random_rule(rng, timed)
        day = D(2010, 1, 5) + dt.timedelta(days=rng.randint(0, 9500))
        time = random_time(rng, kind)
        candidate = day if not timed else T.combine(day, time)
        x = first_instance(rule, candidate, kind)
        if x is not None:
            break
    else:
        raise RuntimeError("no rule with an instance found")
    start = local(x, kind) if timed else x.date()
    midnight = timed and start.time() == dt.time(0)
    if not timed:
        length, end_form = rng.choice([(1, None), (1, "DTEND"), (2, "DTEND"), (3, "DURATION"),
                                       (1, "DURATION")])
    elif midnight and rng.random() < 0.6:
        length, end_form = dt.timedelta(days=rng.randint(1, 3)), rng.choice(["DTEND", "DURATION"])
    else:
        length = rng.choice([dt.timedelta(hours=1), dt.timedelta(hours=5),
                             dt.timedelta(days=1, hours=2)])
        end_form = rng.choice(["DTEND", "DURATION", None])
    s = Series(uid, kind, start, length, end_form, rule)
    # The end of the rule: a count, an instance or a moment near one, or none.
    open_instances = list(itertools.islice(rule_instances(rule, start, kind), 16))
    end = rng.random()
    if end < 0.45 or (end >= 0.8 and rule["FREQ"] in ("DAILY", "WEEKLY")):
        rule["COUNT"] = str(rng.randint(1, 30))
    elif end < 0.8 and open_instances:
        last = open_instances[min(len(open_instances) - 1, rng.randint(0, 15))]
        last_local = local(last, kind)
        if not timed:
            rule["UNTIL"] = text_of(last_local.date() + rng.choice([0, 0, 1, 3]) * DAY)
        else:
            shift = rng.choice([dt.timedelta(0), dt.timedelta(0), dt.timedelta(seconds=-1),
                                dt.timedelta(hours=1), dt.timedelta(hours=-1),
                                dt.timedelta(days=2)])
            if kind == "floating":
                rule["UNTIL"] = text_of(last_local + shift)
            else:
                rule["UNTIL"] = text_of(to_utc(last_local, kind) + shift, True)
    instances = [local(x, kind) for x in [aware(as_datetime(start), kind)] + s.rule_instances()]
    instances = [x for x in instances if x.year < 2090]
    if rng.random() < 0.3:
        for _ in range(rng.randint(1, 3)):
            day = start if not timed else start.date()
            day = day + rng.randint(1, 1200) * DAY
            if not timed:
                s.rdates.append((day, None, None))
            elif rng.random() < 0.5:
                s.rdates.append((T.combine(day, random_time(rng, kind)), None, None))
            else:
                if rng.random() < 0.5:
                    begins = T.combine(day, dt.time(0))
                    ends = begins + rng.randint(1, 3) * DAY
                else:
                    begins = T.combine(day, dt.time(rng.randint(4, 15)))
                    ends = begins + dt.timedelta(hours=rng.randint(1, 8))
                s.rdates.append((begins, ends, rng.choice(["end", "duration"])))
    if instances and rng.random() < 0.35:
        for _ in range(rng.randint(1, 3)):
            x = rng.choice(instances)
            if timed and rng.random() < 0.25:
                s.exdates.append((x + dt.timedelta(hours=1), False))  # no instance then
            else:
                s.exdates.append((x if timed else x.date(),
                                  kind in VTIMEZONES and rng.random() < 0.4))
    if instances and rng.random() < 0.25:
        for x in rng.sample(instances, min(len(instances), rng.randint(1, 2))):
            moved = x + rng.randint(-3, 3) * DAY
            if timed and not s.whole_days():
                moved += dt.timedelta(hours=rng.randint(-5, 5))
            s.overrides.append((x if timed else x.date(), kind in VTIMEZONES and rng.random() < 0.4,
                                moved if timed else moved.date(), rng.random() < 0.25, False))
    return s


# --- Fixed cases --------------------------------------------------------------------

def fixed_cases():
    """Rules whose dates are known: each a calendar of one series and its days."""
    def series(uid, kind, start, rule, **extra):
        s = Series(uid, kind, start, 1 if kind == "date" else dt.timedelta(hours=1), None, rule)
        s.rdates = extra.get("rdates", [])
        s.exdates = extra.get("exdates", [])
        s.exrules = extra.get("exrules", [])
        s.overrides = extra.get("overrides", [])
        return s
    york = "America/New_York"
    cases = [
        (series("setpos", "date", D(2024, 1, 5),
                {"FREQ": "WEEKLY", "COUNT": "3", "BYDAY": "MO,WE,FR", "BYSETPOS": "-1"}),
         ["2024-01-05", "2024-01-12", "2024-01-19"]),
        (series("yearly-monthday", "date", D(2024, 1, 31),
                {"FREQ": "YEARLY", "COUNT": "4", "BYMONTHDAY": "31"}),
         ["2024-01-31", "2024-03-31", "2024-05-31", "2024-07-31"]),
        (series("period", "utc", T(2024, 1, 5, 9), None,
                rdates=[(T(2024, 3, 1), T(2024, 3, 4), "end")]),
         ["2024-01-05", "2024-03-01", "2024-03-02", "2024-03-03"]),
        (series("near-exdate", "floating", T(2024, 1, 1, 9), {"FREQ": "DAILY", "COUNT": "3"},
                exdates=[(T(2024, 1, 2, 10), False)]),
         ["2024-01-01", "2024-01-02", "2024-01-03"]),
        (series("daily-last-day", "date", D(2024, 1, 31),
                {"FREQ": "DAILY", "COUNT": "4", "BYMONTHDAY": "-1"}),
         ["2024-01-31", "2024-02-29", "2024-03-31", "2024-04-30"]),
        (series("weekno-utc-until", york, T(2024, 1, 8, 9),
                {"FREQ": "YEARLY", "BYWEEKNO": "2", "UNTIL": "20240110T100000Z"}),
         ["2024-01-08", "2024-01-09"]),
        (series("wkst", york, T(2025, 8, 5, 9),
                {"FREQ": "WEEKLY", "INTERVAL": "2", "COUNT": "4", "BYDAY": "TU,SU", "WKST": "WE"}),
         ["2025-08-05", "2025-08-17", "2025-08-19", "2025-08-31"]),
        # Week 52 of 2038 ends on Sunday 2039-01-02: its Saturday is in 2039.
        (series("weekno-year-end", "date", D(2038, 12, 25),
                {"FREQ": "YEARLY", "BYWEEKNO": "52", "BYDAY": "SA", "UNTIL": "20391231"}),
         ["2038-12-25", "2039-01-01", "2039-12-31"]),
        # 02:30 on 2025-03-09 is in New York's gap: 02:30 EST, 07:30 UTC.
        (series("gap-in-utc", york, T(2025, 2, 9, 2, 30), {"FREQ": "MONTHLY", "COUNT": "3"},
                exdates=[(T(2025, 3, 9, 2, 30), True)]),
         ["2025-02-09", "2025-04-09"]),
        # 01:30 on 2025-11-02 happens twice; 06:30 UTC is the second pass, no instance.
        (series("overlap-second-pass", york, T(2025, 10, 2, 1, 30),
                {"FREQ": "MONTHLY", "COUNT": "3"},
                exdates=[(T(2025, 11, 2, 1, 30, fold=1), True)]),
         ["2025-10-02", "2025-11-02", "2025-12-02"]),
        (series("exrule-weekends", "date", D(2024, 1, 1), {"FREQ": "DAILY", "COUNT": "8"},
                exrules=[{"FREQ": "WEEKLY", "BYDAY": "SA,SU"}]),
         ["2024-01-01", "2024-01-02", "2024-01-03", "2024-01-04", "2024-01-05",
          "2024-01-08"]),
        (series("cancelled-onwards", "date", D(2020, 1, 1), {"FREQ": "YEARLY", "COUNT": "6"},
                overrides=[(D(2023, 1, 1), False, D(2023, 1, 1), True, True)]),
         ["2020-01-01", "2021-01-01", "2022-01-01"]),
        (series("moved-onwards", york, T(2024, 1, 1, 22), {"FREQ": "WEEKLY", "COUNT": "4"},
                overrides=[(T(2024, 1, 8, 22), True, T(2024, 1, 9, 1), False, True)]),
         ["2024-01-01", "2024-01-09", "2024-01-16", "2024-01-23"]),
    ]
    return cases


# --- Zones of the system's database, and reference C: libical ---------------------------

class Libical:
    """libical (the C library Debian installs) through its C API: the VTIMEZONE it
    makes of a zone of the system's zone database, and the instances its own iterator
    (icalcomponent_foreach_recurrence) gives a series: RRULE, EXDATE and EXRULE, without
    the events that move or cancel instances, which it leaves to its callers."""

    def __init__(self):
        self._lib = None

    def _load(self):
        if self._lib is not None:
            return self._lib
        import ctypes
        lib = ctypes.CDLL("libical.so.3")

        class Span(ctypes.Structure):
            _fields_ = [("start", ctypes.c_int64), ("end", ctypes.c_int64),
                        ("is_busy", ctypes.c_int)]

        class Time(ctypes.Structure):
            _fields_ = [(name, ctypes.c_int) for name in (
                "year", "month", "day", "hour", "minute", "second", "is_date",
                "is_daylight")] + [("zone", ctypes.c_void_p)]

        p = ctypes.c_void_p
        for name, result, args in [
                ("icaltimezone_get_builtin_timezone", p, [ctypes.c_char_p]),
                ("icaltimezone_get_component", p, [p]),
                ("icalcomponent_as_ical_string", ctypes.c_char_p, [p]),
                ("icalparser_parse_string", p, [ctypes.c_char_p]),
                ("icalcomponent_get_first_component", p, [p, ctypes.c_int]),
                ("icalcomponent_string_to_kind", ctypes.c_int, [ctypes.c_char_p]),
                ("icaltime_from_string", Time, [ctypes.c_char_p]),
                ("icalcomponent_free", None, [p])]:
            getattr(lib, name).restype = result
            getattr(lib, name).argtypes = args
        self._callback = ctypes.CFUNCTYPE(None, p, ctypes.POINTER(Span), p)
        lib.icalcomponent_foreach_recurrence.restype = None
        lib.icalcomponent_foreach_recurrence.argtypes = [p, Time, Time, self._callback, p]
        self._lib = lib
        self._vtimezones = {}
        return lib

    def vtimezone(self, zone):
        """The zone's VTIMEZONE as libical makes it from the system's zone database,
        named by the zone's own name."""
        lib = self._load()
        if zone not in self._vtimezones:
            found = lib.icaltimezone_get_builtin_timezone(zone.encode())
            if not found:
                raise RuntimeError("libical does not know the zone " + zone)
            text = lib.icalcomponent_as_ical_string(lib.icaltimezone_get_component(found))
            lines = [line for line in text.decode().replace("\r\n", "\n").split("\n") if line]
            lines = ["TZID:" + zone if line.startswith("TZID:") else line for line in lines]
            self._vtimezones[zone] = "\r\n".join(lines)
        return self._vtimezones[zone]

    def start_days(self, s):
        """The dates (in the series' zone) on which libical's instances of the series
        start, in the repeat years."""
        lib = self._load()
        root = lib.icalparser_parse_string(calendar_text([s], only_series=True))
        event = lib.icalcomponent_get_first_component(
            root, lib.icalcomponent_string_to_kind(b"VEVENT"))
        starts = []
        callback = self._callback(lambda component, span, data: starts.append(span.contents.start))
        lib.icalcomponent_foreach_recurrence(event, lib.icaltime_from_string(b"20090101T000000Z"),
                                             lib.icaltime_from_string(b"21000101T000000Z"),
                                             callback, None)
        lib.icalcomponent_free(root)
        zone = ZoneInfo(s.kind) if zoned(s.kind) else UTC
        days = {dt.datetime.fromtimestamp(x, UTC).astimezone(zone).date() for x in starts}
        return {d for d in days if FIRST_REPEAT <= d <= LAST_REPEAT}


LIBICAL = Libical()

# Zones whose clocks change, with gaps and overlaps of an hour (New York, London,
# Berlin, St John's at half past), of half an hour (Lord Howe) and at a quarter to
# the hour (Chatham); their VTIMEZONE is libical's of the system's database. That is
# exact up to 2037, the transitions the database lists one by one; for later years
# libical 3.0.16 makes rules of its own that are wrong for zones half an hour off
# (St John's daylight time at -01:30), so the series start by 2037, and what names a
# moment in UTC names one before 2038; later instances are compared by their local
# times, which no offset changes.
LAST_ZONE_YEAR = 2037
SYSTEM_ZONES = ["America/New_York", "Europe/London", "Europe/Berlin", "America/St_Johns",
                "Australia/Lord_Howe", "Pacific/Chatham", "Australia/Sydney"]


@functools.lru_cache(maxsize=None)
def clock_changes(zone, year):
    """The changes of the zone's offset in the year: (local time the clocks leave,
    offset before, offset after), the local time as a wall clock shows it then."""
    tz = ZoneInfo(zone)
    changes = []
    u = T(year, 1, 1, tzinfo=UTC)
    offset = u.astimezone(tz).utcoffset()
    while u.year == year:
        nxt = u + DAY
        after = nxt.astimezone(tz).utcoffset()
        if after != offset:
            moment = u  # the change, to the quarter hour, within the day
            while moment.astimezone(tz).utcoffset() == offset:
                moment += dt.timedelta(minutes=15)
            wall = (moment + offset).replace(tzinfo=None)
            changes.append((wall, offset, after))
            offset = after
        u = nxt
    return changes


EXCLUSION_RULES = [
    {"FREQ": "WEEKLY", "BYDAY": "SA,SU"},
    {"FREQ": "WEEKLY", "INTERVAL": "2"},
    {"FREQ": "MONTHLY", "BYMONTHDAY": "1,15"},
    {"FREQ": "MONTHLY", "BYDAY": "1SU"},
    {"FREQ": "YEARLY", "BYMONTH": "3,11"},
    {"FREQ": "DAILY", "INTERVAL": "3", "COUNT": "4"},
    {"FREQ": "YEARLY", "COUNT": "2"},
]


def random_zone_series(rng, uid):
    """A series in a zone of the system's database whose instances fall into a gap or
    an overlap of its clock, or an all-day series on the same days; with exclusions in
    UTC and local time (the second pass of an overlap too), moved and cancelled
    instances, changes from an instance on (RANGE=THISANDFUTURE) and EXRULE."""
    while True:
        zone = rng.choice(SYSTEM_ZONES)
        changes = clock_changes(zone, rng.randint(2011, LAST_ZONE_YEAR))
        if changes:
            break
    wall, before, after = rng.choice(changes)
    width = abs(after - before)
    # A time inside the gap (the clocks jump forward over it) or the overlap (they go
    # back over it), on a quarter hour.
    steps = max(1, int(width.total_seconds() // 900))
    at = (wall if after > before else wall - width) + \
        dt.timedelta(minutes=15 * rng.randrange(steps))
    day = at.date()
    all_day = rng.random() < 0.2
    kind = "date" if all_day else zone
    month_week = (day.day - 1) // 7 + 1
    last_week = (day + dt.timedelta(days=7)).month != day.month
    position = -1 if last_week and rng.random() < 0.5 else month_week
    shape = rng.choice(["DAILY", "WEEKLY", "MONTHLY", "YEARLY", "YEARLY"])
    if shape == "YEARLY":
        rule = {"FREQ": "YEARLY", "BYMONTH": str(day.month),
                "BYDAY": "%d%s" % (position, WEEKDAYS[day.weekday()])}
        back = 0
        if rng.random() < 0.5:
            rule["COUNT"] = str(rng.randint(2, 12))
        else:
            rule["UNTIL"] = "%d1231" % LAST_ZONE_YEAR if all_day else \
                "%d1231T000000Z" % LAST_ZONE_YEAR
    elif shape == "MONTHLY":
        rule = {"FREQ": "MONTHLY", "BYDAY": "%d%s" % (position, WEEKDAYS[day.weekday()]),
                "COUNT": str(rng.randint(3, 14))}
        back = 0
    else:
        step = 1 if shape == "DAILY" else 7
        back = step * rng.randint(0, 4)
        rule = {"FREQ": shape, "COUNT": str(rng.randint(back // step + 1, back // step + 8))}
    first = day - dt.timedelta(days=back)
    start = first if all_day else T.combine(first, at.time())
    length = 1 if all_day else rng.choice([dt.timedelta(hours=1), dt.timedelta(minutes=30)])
    s = Series(uid, kind, start, length, "DTEND" if rng.random() < 0.7 else None, rule)
    s.system_zone = zoned(kind)
    instances = [local(x, kind) for x in [aware(as_datetime(start), kind)] + s.rule_instances()]
    instances = [x if not all_day else x.date() for x in instances if x.year <= LAST_ZONE_YEAR]
    # Those on the day of a change first: they are the point.
    tz = ZoneInfo(zone)

    def change_day(x):
        d = x if all_day else x.date()
        return T.combine(d, dt.time(0), tz).utcoffset() != \
            T.combine(d, dt.time(23, 59), tz).utcoffset()

    marked = [x for x in instances if change_day(x)] or instances
    if rng.random() < 0.6:
        for _ in range(rng.randint(1, 2)):
            x = rng.choice(marked)
            if all_day:
                s.exdates.append((x, False))
            elif in_overlap(x, kind) and rng.random() < 0.5:
                s.exdates.append((x.replace(fold=1), True))  # the second pass: no instance
            else:
                s.exdates.append((x, rng.random() < 0.7))
    if rng.random() < 0.5:
        for x in rng.sample(instances, min(len(instances), rng.randint(1, 2))):
            moved = x + rng.randint(-2, 3) * DAY
            if not all_day and rng.random() < 0.5:
                moved += dt.timedelta(hours=rng.randint(-3, 3))
            s.overrides.append((x, not all_day and rng.random() < 0.6, moved,
                                rng.random() < 0.3, rng.random() < 0.6))
    if rng.random() < 0.35:
        s.exrules.append(dict(rng.choice(EXCLUSION_RULES)))
    return s


def libical_difference(s, a_days, c_days):
    """Why libical's instances of the series (reference C) differ from reference A's,
    when every differing day is one of its known faults, by the names the summary
    counts them under; reference A follows the RFCs there."""
    faults = set()
    ruled = {local(x, s.kind).date() for x in s.exrule_instances()}
    overlap_days = {value.date() for value, in_utc in s.exdates
                    if in_utc and in_overlap(value.replace(fold=0), s.kind)}
    change_days = {value.date() for value, _ in s.exdates
                   if in_gap(value, s.kind) or next_to_change(value, s.kind)}
    for day in a_days ^ c_days:
        if day in c_days and day in ruled:
            # libical 3.0.16 takes out only the first instance an EXRULE gives (of a
            # weekly BYDAY=SA,SU one Saturday), where RFC 2445 takes out every one.
            faults.add("libical takes out only the first instance of an EXRULE")
        elif day in overlap_days:
            # libical reads a local time in an overlap as its second pass (01:30 EST
            # the night New York falls back), where RFC 5545 means the first: an EXDATE
            # in UTC of the first pass removes nothing there, one of the second the
            # instance.
            faults.add("libical takes a time in an overlap as its second pass")
        elif day in c_days and in_gap(as_datetime(s.start), s.kind) and \
                day in {value.date() for value, _ in s.exdates}:
            # libical moves every instance of a series that starts in a gap by the
            # width of the gap (St John's 2011-03-13 00:15, in the gap of 00:01 that
            # year, gives 01:15 every year after), so an EXDATE of a later instance,
            # local or in UTC, matches none; RFC 5545 keeps the series' local time.
            faults.add("libical moves a series that starts in a gap")
        elif day in c_days and day in change_days:
            # libical does not match an instance in a gap, or within the hour after an
            # overlap, with the EXDATE that names it: in UTC, by the offset from before
            # the gap (RFC 5545 3.3.5) or the one after the overlap, or in its own local
            # time, where the gap is not a whole hour (Lord Howe) or the instance is the
            # series' start.
            faults.add("libical keeps an excluded instance at a change of the clock")
        else:
            return None
    return sorted(faults) or None


def in_overlap(value, kind):
    """Whether a local time of the zone happens twice."""
    if not zoned(kind) or not isinstance(value, T):
        return False
    return aware(value.replace(fold=0), kind).utcoffset() > \
        aware(value.replace(fold=1), kind).utcoffset()


def next_to_change(value, kind):
    """Whether the zone's offset changes within an hour of a local time."""
    if not zoned(kind) or not isinstance(value, T):
        return False
    hour = dt.timedelta(hours=1)
    return aware(value - hour, kind).utcoffset() != aware(value + hour, kind).utcoffset()


def in_gap(value, kind):
    """Whether a local time of the zone never happens: the clocks jump over it."""
    if not zoned(kind) or not isinstance(value, T):
        return False
    return aware(value.replace(fold=0), kind).utcoffset() < \
        aware(value.replace(fold=1), kind).utcoffset()


# --- Reference B ----------------------------------------------------------------------

def covered(start, end):
    if not isinstance(start, T):
        return [start + i * DAY for i in range(max(1, ((end or start) - start).days))]
    if end is not None and start.time() == dt.time(0) and end.time() == dt.time(0) \
            and end.date() > start.date():
        return [start.date() + i * DAY for i in range((end.date() - start.date()).days)]
    return [start.date()]


def reference_b(text):
    import icalendar
    import recurring_ical_events
    calendar = icalendar.Calendar.from_ical(text)
    days = {}
    for occurrence in recurring_ical_events.of(calendar).between(D(2009, 1, 1), D(2100, 1, 1)):
        if str(occurrence.get("STATUS", "")).upper() == "CANCELLED":
            continue
        start = occurrence.decoded("DTSTART")
        end = occurrence.decoded("DTEND") if "DTEND" in occurrence else (
            start + occurrence.decoded("DURATION") if "DURATION" in occurrence else None)
        days.setdefault(str(occurrence.get("UID")), set()).update(
            d for d in covered(start, end) if FIRST_REPEAT <= d <= LAST_REPEAT)
    return days


# Where recurring_ical_events (2.0.1, with dateutil 2.8.2 and pytz) cannot be asked, or
# differs from the expansion above, and why reference A is right there.
def known_fault(s):
    """A series recurring_ical_events cannot expand at all."""
    # icalendar 4.0.3 reads a BYDAY position of one digit only, and drops a rule with
    # 10MO, 52SU or -53FR.
    if any(len(day.lstrip("+-")) > 3 for day in (s.rule or {}).get("BYDAY", "").split(",")):
        return "BYDAY positions of two digits not read"
    return None


def known_difference(s, a_days, b_days):
    rule = s.rule or {}
    # dateutil's week numbers miss days of a week that runs over the end of a year
    # (BYWEEKNO=52;BYDAY=SA never gives 2039-01-01) and add others.
    if "BYWEEKNO" in rule:
        return "dateutil's week numbers at the ends of years"
    # dateutil's first week of a weekly rule begins at the start (see
    # dateutil_instances), so BYSETPOS picks from part of it.
    if rule.get("FREQ") == "WEEKLY" and "BYSETPOS" in rule:
        return "dateutil's first week of a weekly BYSETPOS"
    # It files the events of a UID by the date of their RECURRENCE-ID in the override's
    # own zone, or of DTSTART for the series, one event a date: an override in UTC
    # whose date is not the series' date of the instance removes nothing or another
    # instance, two overrides on one date keep one, and an override on the date of the
    # series' start takes the place of the whole series.
    dates = [rid.date() if isinstance(rid, T) else rid for rid, *_ in s.overrides]
    first = s.start.date() if isinstance(s.start, T) else s.start
    if any(in_utc for _, in_utc, *_ in s.overrides) or len(set(dates)) < len(dates) \
            or first in dates:
        return "moved instances filed by the date of RECURRENCE-ID"
    # Its pytz zones give every instance the offset of the series' start when dateutil
    # compares instances with EXDATE and UNTIL, so that after a change of daylight
    # saving time an EXDATE an hour away removes an instance, and a UTC end cuts off
    # the last instance or keeps one too many. The differing days all lie next to an
    # EXDATE or the end, or within the days of that instance.
    if s.kind in VTIMEZONES:
        edges = [value.date() for value, _ in s.exdates]
        until = (s.rule or {}).get("UNTIL", "")
        if until.endswith("Z"):
            edges.append(local(T.strptime(until, "%Y%m%dT%H%M%SZ").replace(tzinfo=UTC),
                               s.kind).date())
        if all(any(-1 <= (d - edge).days <= s.span() for edge in edges)
               for d in a_days ^ b_days):
            return "EXDATE and UTC UNTIL compared at the start's offset"
    return None


def generate(out_dir, seed, files):
    rng = random.Random(seed)
    os.makedirs(out_dir, exist_ok=True)
    calendars = []
    failures = []
    for s, want in fixed_cases():
        got = sorted(d.isoformat() for d in s.expected_days())
        if got != want:
            failures.append("fixed case %s: reference A gives %s, not %s" % (s.uid, got, want))
        calendars.append(("fixed-" + s.uid, [s]))
    for i in range(files):
        calendars.append(("random-%05d" % i, [random_series(rng, "r%d-%d@gen" % (i, j))
                                              for j in range(rng.choice([1, 1, 1, 2, 3]))]))
    # Half as many again in the zones of the system's database, from a seed of their own.
    zone_rng = random.Random(seed * 7919 + 1)
    for i in range(files // 2):
        calendars.append(("zone-%05d" % i, [random_zone_series(zone_rng, "z%d-%d@gen" % (i, j))
                                            for j in range(zone_rng.choice([1, 1, 2]))]))
    events = dates = 0
    known = {}
    for name, series in calendars:
        text = calendar_text(series)
        expected = set()
        for s in series:
            a_days = s.expected_days()
            expected |= a_days
            events += 1
            if s.system_zone or s.exrules or any(o[4] for o in s.overrides):
                # recurring_ical_events 2.0.1 reads neither EXRULE nor RANGE; libical
                # is asked instead, about the series without the events that change
                # it, which its iterator leaves to its callers.
                a_series = {local(x, s.kind).date() for x, _ in s.instances()
                            if not s.excluded(x, overrides=False)}
                a_series = {d for d in a_series if FIRST_REPEAT <= d <= LAST_REPEAT}
                c_days = LIBICAL.start_days(s)
                if a_series != c_days:
                    faults = libical_difference(s, a_series, c_days)
                    for fault in faults or []:
                        known[fault] = known.get(fault, 0) + 1
                    if not faults:
                        failures.append("%s %s: libical differs: only A %s, only libical %s" % (
                            name, s.uid, sorted(d.isoformat() for d in a_series - c_days)[:5],
                            sorted(d.isoformat() for d in c_days - a_series)[:5]))
                continue
            fault = known_fault(s)
            if fault:
                known[fault] = known.get(fault, 0) + 1
                continue
            # recurring_ical_events cannot read an RDATE PERIOD: it is asked about the
            # series with each period's start alone, and so is reference A again.
            plain = copy.copy(s)
            plain.rdates = [(start, None, None) for start, _, _ in s.rdates]
            if plain.rdates != s.rdates:
                a_days = plain.expected_days()
                known["RDATE periods asked as their starts"] = known.get(
                    "RDATE periods asked as their starts", 0) + 1
            b_days = reference_b(calendar_text([plain])).get(s.uid, set())
            if a_days != b_days:
                fault = known_difference(s, a_days, b_days)
                if fault:
                    known[fault] = known.get(fault, 0) + 1
                else:
                    failures.append("%s %s: references differ: only A %s, only B %s" % (
                        name, s.uid, sorted(d.isoformat() for d in a_days - b_days)[:5],
                        sorted(d.isoformat() for d in b_days - a_days)[:5]))
        dates += len(expected)
        with open(os.path.join(out_dir, name + ".ics"), "wb") as f:
            f.write(text)
        with open(os.path.join(out_dir, name + ".expected"), "w") as f:
            f.write("".join("%s\n" % d.isoformat() for d in sorted(expected)))
    # An event may differ in more than one known way (libical), and is counted in each.
    print("generated: %d files, %d events, %d dates; references differ in %d known ways "
          "over the events (%s)" % (len(calendars), events, dates, sum(known.values()),
                                   "; ".join("%s: %d" % kv for kv in sorted(known.items()))))
    for failure in failures:
        sys.stderr.write(failure + "\n")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 5 or sys.argv[1] != "generate":
        sys.stderr.write(__doc__)
        sys.exit(2)
    sys.exit(generate(sys.argv[2], int(sys.argv[3]), int(sys.argv[4])))
