#!/usr/bin/env python3
"""Writes golden.tsv: real zones' offsets and local times from the IANA data.

Run with Debian's python3 and tzdata:  python3 make-golden.py > golden.tsv

Each row is one UTC instant in one zone: the offset the zone had then (daylight
saving included), the part of it that is daylight saving, and the local date,
time and weekday. The clock's tests take the offset as the machine's reading and
check that the clock arithmetic gives the same local time.
"""
from datetime import datetime, timedelta, timezone
from zoneinfo import ZoneInfo

ZONES = [
    "Asia/Kathmandu",      # +5:45
    "Asia/Kolkata",        # +5:30
    "Australia/Eucla",     # +8:45, no list entry
    "Pacific/Chatham",     # +12:45, +13:45 in summer
    "Pacific/Auckland",    # +12, +13 in summer
    "Pacific/Kiritimati",  # +14
    "Pacific/Marquesas",   # -9:30
    "America/St_Johns",    # -3:30, -2:30 in summer
    "Etc/GMT+12",          # -12
]

# Month and year ends, leap days in a leap year, a century leap year and a
# common year, and both halves of the year.
INSTANTS = [
    "2026-01-15 12:00:00",
    "2026-07-15 12:00:00",
    "2025-12-31 23:30:05",
    "2026-01-01 00:15:59",
    "2025-12-31 10:30:00",
    "2026-01-01 13:45:00",
    "2024-02-28 23:00:00",
    "2024-02-29 11:20:30",
    "2024-03-01 00:10:00",
    "2023-02-28 12:00:00",
    "2023-03-01 02:00:00",
    "2000-02-29 10:30:00",
    "2026-03-31 23:59:59",
    "2026-04-30 11:00:00",
]


def transitions(zone, year):
    """UTC minutes at which the zone's offset changes within the year."""
    found = []
    t = datetime(year, 1, 1, tzinfo=timezone.utc)
    end = datetime(year + 1, 1, 1, tzinfo=timezone.utc)
    step = timedelta(hours=1)
    while t < end:
        if t.astimezone(zone).utcoffset() != (t + step).astimezone(zone).utcoffset():
            lo, hi = t, t + step  # the change happens in (lo, hi]
            while hi - lo > timedelta(minutes=1):
                mid = lo + (hi - lo) / 2
                mid = mid.replace(second=0, microsecond=0)
                if mid <= lo:
                    mid = lo + timedelta(minutes=1)
                if mid.astimezone(zone).utcoffset() == lo.astimezone(zone).utcoffset():
                    lo = mid
                else:
                    hi = mid
            found.append(hi)
        t += step
    return found


def row(name, zone, utc):
    local = utc.astimezone(zone)
    offset = int(local.utcoffset().total_seconds()) // 60
    dst = int((local.dst() or timedelta(0)).total_seconds()) // 60
    weekday = (local.weekday() + 1) % 7  # Sunday = 0
    return "\t".join([name, utc.strftime("%Y-%m-%d %H:%M:%S"), local.strftime("%Y-%m-%d %H:%M:%S"),
                      str(offset), str(dst), str(weekday)])


def main():
    try:
        with open("/usr/share/zoneinfo/tzdata.zi") as f:
            version = f.readline().strip().lstrip("# ")
    except OSError:
        version = "unknown"
    print("# Made by make-golden.py from the IANA time zone data (" + version + ").")
    print("# zone\tutc\tlocal\toffset\tdaylight\tweekday")
    for name in ZONES:
        zone = ZoneInfo(name)
        instants = [datetime.strptime(s, "%Y-%m-%d %H:%M:%S").replace(tzinfo=timezone.utc) for s in INSTANTS]
        for change in transitions(zone, 2026):
            instants += [change - timedelta(seconds=1), change]
        for utc in instants:
            print(row(name, zone, utc))


if __name__ == "__main__":
    main()
