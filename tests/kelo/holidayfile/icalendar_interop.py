#!/usr/bin/env python3
"""The other side of the iCalendar interoperability tests, with Python's icalendar.

  icalendar_interop.py write OUT.ics   writes a calendar of holidays
  icalendar_interop.py read IN.ics     prints one "DATE<TAB>SUMMARY<TAB>CATEGORIES"
                                       line per event, in file order
"""
import datetime
import sys

import icalendar


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

    d = datetime.date
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


if __name__ == "__main__":
    {"write": write, "read": read}[sys.argv[1]](sys.argv[2])
