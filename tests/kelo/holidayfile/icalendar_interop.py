#!/usr/bin/env python3
"""The other side of the iCalendar interoperability tests, with the parsers Debian ships.

  icalendar_interop.py write OUT.ics   writes a calendar of holidays
  icalendar_interop.py read IN.ics     prints one "DATE<TAB>SUMMARY<TAB>CATEGORIES"
                                       line per event, in file order
  icalendar_interop.py categories IN.ics
                                       prints each event's categories as vobject
                                       reads them, one per line ("" around each),
                                       then a blank line (icalendar 4.0.3 splits an
                                       escaped comma, A\\,B, into two)
  icalendar_interop.py corpus DIR      writes calendars in the styles other programs
                                       write (by icalendar, vobject and holidays) and
                                       copies the .ics files Debian's packages ship;
                                       beside each NAME, NAME.expected: the days it
                                       covers, expanded by recurring_ical_events and
                                       dateutil, one "YYYY-MM-DD" a line
  icalendar_interop.py validate DIR    parses every .ics of DIR with vobject
                                       (validate=True) and every .csv with csv, and
                                       prints "NAME<TAB>DATE<TAB>SUMMARY" per event/row

The days an event covers, as the reader under test promises them: an all-day event
(or one from midnight to midnight, or marked X-MICROSOFT-CDO-ALLDAYEVENT) every day
from its start up to its end; a timed event its start date as written; a repeating
event the days of its instances inside 2010 to 2099; anything else inside 1970 to
3000. Cancelled events and rules more often than daily give none.
"""
import csv
import datetime
import glob
import io
import os
import shutil
import sys

import icalendar

d = datetime.date
FIRST_REPEAT, LAST_REPEAT = d(2010, 1, 1), d(2099, 12, 31)
FIRST_FILE, LAST_FILE = d(1970, 1, 1), d(3000, 12, 31)


def write(path):
    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//interop test//python icalendar//EN")
    calendar.add("version", "2.0")

    def event(uid, summary, start, end=None, **extra):
        e = icalendar.Event()
        e.add("uid", uid)
        e.add("dtstamp", datetime.datetime(2023, 1, 12, 9, 15, tzinfo=datetime.timezone.utc))
        e.add("summary", summary)
        e.add("dtstart", start)
        if end is not None:
            e.add("dtend", end)
        for name, value in extra.items():
            e.add(name.replace("_", "-"), value)
        calendar.add_component(e)

    event("jubilee@interop", "Platinum Jubilee bank holiday", d(2022, 6, 2), d(2022, 6, 4))
    event("funeral@interop", "State Funeral | Queen Elizabeth II", d(2022, 9, 19), d(2022, 9, 20))
    event("coronation@interop", "Coronation, King Charles III", d(2023, 5, 8))
    event("new-year@interop", "Nouvel An \u2013 Neujahr \u00e9t\u00e9 \u20ac", d(2024, 1, 1),
          d(2024, 1, 2), rrule={"freq": "yearly", "until": d(2026, 12, 31)})
    event("meeting@interop", "Board meeting", datetime.datetime(2023, 3, 14, 15, 30),
          datetime.datetime(2023, 3, 14, 17, 0))
    event("cancelled@interop", "Cancelled day", d(2023, 6, 5), d(2023, 6, 6), status="CANCELLED")
    with open(path, "wb") as out:
        out.write(calendar.to_ical())


def read(path):
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    for component in calendar.walk("VEVENT"):
        start = component.decoded("dtstart")
        categories = component.get("categories")
        names = ",".join(str(c) for c in categories.cats) if categories is not None else ""
        sys.stdout.write("%s\t%s\t%s\n" % (start.isoformat(), str(component.get("summary")), names))


def categories(path):
    import vobject
    with open(path, "rb") as f:
        calendar = vobject.readOne(f.read().decode("utf-8"))
    for event in calendar.vevent_list:
        for line in event.contents.get("categories", []):
            for name in line.value:
                sys.stdout.write('"%s"\n' % name)
        sys.stdout.write("\n")


# --- The independent expansion ---------------------------------------------------

def is_midnight(value):
    return isinstance(value, datetime.datetime) and value.time() == datetime.time(0, 0)


def covered(start, end, marked):
    """The days one instance covers, from its start and end as written."""
    if not isinstance(start, datetime.datetime) or (is_midnight(start) and is_midnight(end)) \
            or marked:
        first = start.date() if isinstance(start, datetime.datetime) else start
        last = end.date() if isinstance(end, datetime.datetime) else end
        count = max(1, (last - first).days)
        return [first + datetime.timedelta(days=i) for i in range(count)]
    return [start.date()]


def expected_days(text):
    import recurring_ical_events
    calendar = icalendar.Calendar.from_ical(text)
    days = set()
    repeating_uids = set()
    for event in calendar.walk("VEVENT"):
        if "RRULE" in event or "RDATE" in event:
            rules = event.get("RRULE")
            for rule in rules if isinstance(rules, list) else [rules] if rules else []:
                if str(rule.get("FREQ", [""])[0]).upper() in ("HOURLY", "MINUTELY", "SECONDLY"):
                    raise ValueError("a rule more often than daily")
            if "RECURRENCE-ID" not in event:
                repeating_uids.add(str(event.get("UID")))
    # Single events, and instances moved out of a series, by themselves.
    for event in calendar.walk("VEVENT"):
        if str(event.get("STATUS", "")).upper() == "CANCELLED":
            continue
        if ("RRULE" in event or "RDATE" in event) and "RECURRENCE-ID" not in event:
            continue
        start = event.decoded("DTSTART")
        end = event.decoded("DTEND") if "DTEND" in event else (
            start + event.decoded("DURATION") if "DURATION" in event else start)
        marked = str(event.get("X-MICROSOFT-CDO-ALLDAYEVENT", "")).upper() == "TRUE"
        days.update(x for x in covered(start, end, marked) if FIRST_FILE <= x <= LAST_FILE)
    # Series, expanded over the repeat years; moved instances were taken above.
    series = icalendar.Calendar()
    for event in calendar.walk("VEVENT"):
        if str(event.get("UID")) in repeating_uids and "RECURRENCE-ID" not in event:
            series.add_component(event)
    for tz in calendar.walk("VTIMEZONE"):
        series.add_component(tz)
    moved = {}
    for event in calendar.walk("VEVENT"):
        if "RECURRENCE-ID" in event and str(event.get("UID")) in repeating_uids:
            rid = event.decoded("RECURRENCE-ID")
            moved.setdefault(str(event.get("UID")), []).append(rid)
    for occurrence in recurring_ical_events.of(series).between(
            FIRST_REPEAT - datetime.timedelta(days=366), d(2100, 1, 1)):
        if str(occurrence.get("STATUS", "")).upper() == "CANCELLED":
            continue
        start = occurrence.decoded("DTSTART")
        uid = str(occurrence.get("UID"))
        if any(same_instance(start, rid) for rid in moved.get(uid, [])):
            continue
        end = occurrence.decoded("DTEND") if "DTEND" in occurrence else start
        marked = str(occurrence.get("X-MICROSOFT-CDO-ALLDAYEVENT", "")).upper() == "TRUE"
        days.update(x for x in covered(start, end, marked) if FIRST_REPEAT <= x <= LAST_REPEAT)
    return days


def same_instance(start, rid):
    if isinstance(start, datetime.datetime) and isinstance(rid, datetime.datetime):
        if start.tzinfo and rid.tzinfo:
            return start.astimezone(start.tzinfo).date() == rid.astimezone(start.tzinfo).date()
        return start.date() == rid.date()
    first = start.date() if isinstance(start, datetime.datetime) else start
    second = rid.date() if isinstance(rid, datetime.datetime) else rid
    return first == second


# --- The corpus ----------------------------------------------------------------

def stamp():
    return datetime.datetime(2024, 1, 1, tzinfo=datetime.timezone.utc)


def national_calendars():
    """Public holidays of twelve countries, 2010 to 2060, as python-holidays has them."""
    import holidays
    countries = ["GB", "US", "DE", "FRA", "JP", "AU", "CA", "IT", "ES", "NL", "SE", "NZ"]
    made = {}
    for country in countries:
        days = holidays.CountryHoliday(country, years=range(2010, 2061))
        made[country] = sorted(days.items())
    return made


def all_day_calendar(name, items):
    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//interop corpus//holidays//EN")
    calendar.add("version", "2.0")
    for i, (day, summary) in enumerate(items):
        e = icalendar.Event()
        e.add("uid", "%s-%d@corpus" % (name, i))
        e.add("dtstamp", stamp())
        e.add("dtstart", day)
        e.add("dtend", day + datetime.timedelta(days=1))
        e.add("summary", summary)
        calendar.add_component(e)
    return calendar.to_ical()


def midnight_calendar(name, items):
    """Midnight to midnight in a time zone, marked all-day, as a desktop program writes."""
    vtimezone = (
        "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\n"
        "DTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
        "RRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
        "RRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n")
    lines = ["BEGIN:VCALENDAR", "PRODID:-//Desktop Calendar 16.0//EN", "VERSION:2.0",
             "METHOD:PUBLISH", "X-WR-CALNAME:%s" % name]
    text = "\r\n".join(lines) + "\r\n" + vtimezone
    for i, (day, summary, length) in enumerate(items):
        end = day + datetime.timedelta(days=length)
        summary = summary.replace("\\", "\\\\").replace(",", "\\,").replace(";", "\\;")
        event = ("BEGIN:VEVENT\r\nCLASS:PUBLIC\r\nDTEND;TZID=\"W. Europe Standard Time\":%s"
                 "T000000\r\nDTSTAMP:20240101T000000Z\r\nDTSTART;TZID=\"W. Europe Standard "
                 "Time\":%sT000000\r\nPRIORITY:5\r\nSEQUENCE:0\r\nSUMMARY;LANGUAGE=de-de:%s\r\n"
                 "TRANSP:TRANSPARENT\r\nUID:%s-%d@corpus\r\nX-MICROSOFT-CDO-ALLDAYEVENT:TRUE\r\n"
                 "X-MICROSOFT-CDO-BUSYSTATUS:FREE\r\nEND:VEVENT\r\n") % (
                     end.strftime("%Y%m%d"), day.strftime("%Y%m%d"), summary, name, i)
        text += fold(event)
    return (text + "END:VCALENDAR\r\n").encode("utf-8")


def fold(text):
    out = []
    for line in text.split("\r\n"):
        data = line.encode("utf-8")
        while len(data) > 75:
            cut = 75
            while cut > 0 and (data[cut] & 0xC0) == 0x80:
                cut -= 1
            out.append(data[:cut].decode("utf-8"))
            data = b" " + data[cut:]
        out.append(data.decode("utf-8"))
    return "\r\n".join(out)


def rules_calendar():
    """Repeat rules, exceptions, moved instances and spans, written by vobject."""
    import vobject
    from dateutil import tz
    york = tz.gettz("America/New_York")
    utc = tz.tzutc()
    calendar = vobject.iCalendar()

    def add(uid, summary, start, end=None, rule=None, exdates=(), rdates=(), rid=None,
            extra=None):
        e = calendar.add("vevent")
        e.add("uid").value = uid
        e.add("dtstamp").value = datetime.datetime(2024, 1, 1, tzinfo=utc)
        e.add("summary").value = summary
        e.add("dtstart").value = start
        if end is not None:
            e.add("dtend").value = end
        if rule:
            e.add("rrule").value = rule
        if exdates:
            e.add("exdate").value = list(exdates)
        if rdates:
            e.add("rdate").value = list(rdates)
        if rid is not None:
            e.add("recurrence-id").value = rid
        for name, value in (extra or {}).items():
            e.add(name).value = value

    add("spring@c", "Spring bank holiday", d(2012, 5, 28), d(2012, 5, 29),
        "FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO", exdates=[d(2022, 5, 30)], rdates=[d(2022, 6, 2)])
    add("spring@c", "Spring bank holiday (moved)", d(2022, 6, 2), d(2022, 6, 3), rid=d(2022, 5, 30))
    add("thanks@c", "Thanksgiving", d(2010, 11, 25), d(2010, 11, 27),
        "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH")
    add("ny@c", "New Year's Eve to New Year", d(2009, 12, 31), d(2010, 1, 2), "FREQ=YEARLY")
    add("lastsun@c", "Last ISO week Sunday", d(2012, 1, 1), None,
        "FREQ=YEARLY;BYWEEKNO=-1;BYDAY=SU")
    add("wk53@c", "Week 53 Monday", d(2015, 12, 28), None, "FREQ=YEARLY;BYWEEKNO=53;BYDAY=MO")
    add("wk1@c", "Week 1 Monday and Friday", d(2024, 1, 1), None,
        "FREQ=YEARLY;BYWEEKNO=1;BYDAY=MO,FR;COUNT=40")
    add("wk20@c", "Week 20", d(2011, 5, 18), None, "FREQ=YEARLY;INTERVAL=3;BYWEEKNO=20")
    add("weekly@c", "Team meeting", datetime.datetime(2015, 1, 5, 9, 30, tzinfo=york),
        datetime.datetime(2015, 1, 5, 10, 0, tzinfo=york), "FREQ=WEEKLY;BYDAY=MO;UNTIL=20301231T000000Z",
        exdates=[datetime.datetime(2020, 12, 28, 9, 30, tzinfo=york)])
    add("daily@c", "Evening call", datetime.datetime(2020, 12, 31, 20, 0, tzinfo=york),
        datetime.datetime(2020, 12, 31, 21, 0, tzinfo=york), "FREQ=DAILY;COUNT=10")
    add("daily@c", "Evening call (moved)", datetime.datetime(2021, 1, 5, 15, 0, tzinfo=utc),
        datetime.datetime(2021, 1, 5, 16, 0, tzinfo=utc),
        rid=datetime.datetime(2021, 1, 2, 1, 0, tzinfo=utc))
    add("counted@c", "Counted from 1800", d(1800, 1, 1), None, "FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=4000")
    add("span@c", "Three-day festival", d(2016, 7, 29), d(2016, 8, 1),
        "FREQ=YEARLY;INTERVAL=2;UNTIL=20400101")
    add("edge@c", "Over the first day", d(1969, 12, 30), d(1970, 1, 3))
    add("single@c", "Coronation", d(2023, 5, 8))
    add("cancel@c", "Cancelled", d(2023, 6, 5), d(2023, 6, 6), extra={"status": "CANCELLED"})
    add("monthly@c", "Month end", d(2019, 1, 31), None, "FREQ=MONTHLY;BYMONTHDAY=31;UNTIL=20250101")
    return calendar.serialize().encode("utf-8")


def corpus(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    files = {}
    for country, items in national_calendars().items():
        files["holidays-%s.ics" % country] = all_day_calendar(country, items)
        if country in ("DE", "FRA", "NL"):
            files["desktop-%s.ics" % country] = midnight_calendar(
                country, [(day, name, 1 + (i % 3 == 0)) for i, (day, name) in enumerate(items)])
        text = io.StringIO()
        writer = csv.writer(text, lineterminator="\r\n")
        writer.writerow(["date", "remark"])
        for day, name in items:
            writer.writerow([day.isoformat(), name])
        files["holidays-%s.csv" % country] = text.getvalue().encode("utf-8")
    files["rules.ics"] = rules_calendar()
    fr = files["holidays-FRA.ics"].decode("utf-8")
    files["utf16le-FR.ics"] = b"\xff\xfe" + fr.encode("utf-16-le")
    files["utf16be-FR.ics"] = b"\xfe\xff" + fr.encode("utf-16-be")
    files["latin1-FR.ics"] = fr.encode("latin-1", errors="replace")
    files["utf16le-FR.csv"] = b"\xff\xfe" + files["holidays-FRA.csv"].decode("utf-8").encode(
        "utf-16-le")
    files["latin1-DE.csv"] = files["holidays-DE.csv"].decode("utf-8").encode("latin-1", "replace")
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as out:
            out.write(data)

    shipped = sorted(set(glob.glob("/usr/lib/python3/dist-packages/*/tests/*.ics") +
                         glob.glob("/usr/lib/python3/dist-packages/*/tests/*/*.ics") +
                         glob.glob("/usr/share/doc/*/examples/*.ics")))
    for path in shipped:
        name = "debian-%s-%s" % (path.split("/")[-3], os.path.basename(path))
        shutil.copyfile(path, os.path.join(out_dir, name))

    for name in sorted(os.listdir(out_dir)):
        path = os.path.join(out_dir, name)
        if name.endswith(".expected") or name.endswith(".unread"):
            continue
        with open(path, "rb") as f:
            data = f.read()
        try:
            text = decode(data)
            if name.endswith(".csv"):
                days = set(d.fromisoformat(row[0]) for row in csv.reader(io.StringIO(text))
                           if row and row[0][:1].isdigit())
            else:
                days = expected_days(text.encode("utf-8"))
        except Exception as error:  # a file the references do not read: not compared
            with open(path + ".unread", "w") as f:
                f.write("%s\n" % error)
            continue
        with open(path + ".expected", "w") as f:
            f.write("".join("%s\n" % day.isoformat() for day in sorted(days)))


def decode(data):
    if data.startswith(b"\xff\xfe") or data.startswith(b"\xfe\xff"):
        return data.decode("utf-16")
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("latin-1")


def validate(in_dir):
    import vobject
    for name in sorted(os.listdir(in_dir)):
        path = os.path.join(in_dir, name)
        with open(path, "rb") as f:
            text = f.read().decode("utf-8")
        if name.endswith(".ics"):
            calendar = vobject.readOne(text, validate=True)
            for event in getattr(calendar, "vevent_list", []):
                event.validate(raiseException=True)
                start = event.dtstart.value
                if hasattr(event, "dtend"):
                    days = (event.dtend.value - start).days
                else:
                    days = event.duration.value.days
                if days != 1:
                    raise ValueError("%s: %s covers %d days" % (name, start, days))
                sys.stdout.write("%s\t%s\t%s\n" % (name, start.isoformat(), event.summary.value))
        else:
            rows = list(csv.reader(io.StringIO(text, newline="")))
            for row in rows[1:]:
                sys.stdout.write("%s\t%s\t%s\n" % (name, row[0], row[1]))


if __name__ == "__main__":
    {"write": write, "read": read, "categories": categories, "corpus": corpus,
     "validate": validate}[sys.argv[1]](
        sys.argv[2])
