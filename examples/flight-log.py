#!/usr/bin/env python3
"""Writes examples/flight-log.csv: five minutes of a made-up flight as
avionics log it, one row a second: taxi, run-up with a magneto check,
take-off and climb. The layout is that of flight-data logs (three header
lines, 75 columns named and padded as such logs have them); the flight, its
airfield and aircraft are invented. On purpose it has what real logs have:
no GPS fix for the first seconds (empty cells and "NoSoln"), a second
written twice, a missed pressure and a missed speed reading, text columns
and trailing blanks.

    examples/flight-log.py > examples/flight-log.csv
"""
import math
import random

random.seed(27)

# (name, unit) of every column, in order.
COLUMNS = [
    ("Lcl Date", "yyy-mm-dd"), ("Lcl Time", "hh:mm:ss"), ("UTCOfst", "hh:mm"), ("AtvWpt", "ident"),
    ("Latitude", "degrees"), ("Longitude", "degrees"), ("AltB", "ft Baro"), ("BaroA", "inch"),
    ("AltMSL", "ft msl"), ("OAT", "deg C"), ("IAS", "kt"), ("GndSpd", "kt"), ("VSpd", "fpm"),
    ("Pitch", "deg"), ("Roll", "deg"), ("LatAc", "G"), ("NormAc", "G"), ("HDG", "deg"), ("TRK", "deg"),
    ("volt1", "volts"), ("volt2", "volts"), ("amp1", "amps"), ("FQtyL", "gals"), ("FQtyR", "gals"),
    ("E1 FFlow", "gph"), ("E1 OilT", "deg F"), ("E1 OilP", "psi"), ("E1 MAP", "Hg"), ("E1 RPM", "rpm"),
    ("E1 %Pwr", "%"),
] + [(f"E1 CHT{i}", "deg F") for i in range(1, 7)] + [(f"E1 EGT{i}", "deg F") for i in range(1, 7)] + [
    ("AltGPS", "ft wgs"), ("TAS", "kt"), ("HSIS", "enum"), ("CRS", "deg"), ("NAV1", "MHz"), ("NAV2", "MHz"),
    ("COM1", "MHz"), ("COM2", "MHz"), ("HCDI", "fsd"), ("VCDI", "fsd"), ("WndSpd", "kt"), ("WndDr", "deg"),
    ("WptDst", "nm"), ("WptBrg", "deg"), ("MagVar", "deg"), ("AfcsOn", "bool"), ("RollM", "enum"),
    ("PitchM", "enum"), ("RollC", "deg"), ("PichC", "deg"), ("VSpdG", "fpm"), ("GPSfix", "enum"),
    ("HAL", "mt"), ("VAL", "mt"), ("HPLwas", "mt"), ("HPLfd", "mt"), ("VPLwas", "mt"), ("E1 Hrs", "hours"),
    ("Trans", "enum"), ("Fuel Used", "gals"), ("Fuel Rem", "gals"),
]
START = 15 * 3600 + 58 * 60 + 9  # 15:58:09 local
SECONDS = 300
FIELD_FT = 1480


def phase(t):
    """The engine's manifold pressure ("Hg) and speed (rpm) at t seconds:
    steady within each phase, so that a replay shows round values."""
    if t < 90:  # taxi
        return 12.40, 1000
    if t < 150:  # run-up at 1800 rpm; the magneto check drops 100 rpm for a while
        return 18.60, 1700 if 110 <= t < 120 else 1800
    if t < 160:  # lined up, throttle opening
        return 12.40 + (28.80 - 12.40) * (t - 150) / 10, 1000 + 1700 * (t - 150) / 10
    if t < 200:  # take-off at full throttle
        return 28.80, 2700
    if t < 210:  # throttle and propeller back to climb power
        return 28.80 + (25.00 - 28.80) * (t - 200) / 10, 2700 - 200 * (t - 200) / 10
    return 25.00, 2500  # climb


def fmt(value, places):
    return f"{value:.{places}f}"


def row(t):
    mp, rpm = phase(t)
    moving = t >= 150
    climbing = t >= 175
    alt = FIELD_FT + (max(0, t - 175) * 11 if climbing else 0)
    ias = 0 if t < 20 else 12 if t < 150 else min(85, (t - 150) * 3.5)
    fix = t >= 25
    lat, lon = 47.0312 + t * 0.00004, -122.3105 + t * 0.00001
    power = min(100, rpm * mp / (2700 * 28.8) * 100)
    egt = 1250 + power * 2.5
    cells = {
        "Lcl Date": "2026-03-11", "Lcl Time": "%02d:%02d:%02d" % ((START + t) // 3600, (START + t) // 60 % 60,
                                                                  (START + t) % 60),
        "UTCOfst": "-07:00", "AtvWpt": "KXQP" if t < 200 else "QPX27",
        "Latitude": fmt(lat, 7) if fix else "", "Longitude": fmt(lon, 7) if fix else "",
        "AltB": fmt(alt + random.uniform(-3, 3), 1), "BaroA": "30.04", "AltMSL": fmt(alt + 12, 1) if fix else "",
        "OAT": fmt(11.5 - (alt - FIELD_FT) / 500, 1), "IAS": fmt(ias, 1), "GndSpd": fmt(ias * 1.02, 1) if fix else "",
        "VSpd": fmt(660 if climbing else 0, 1), "Pitch": fmt(7.5 if climbing else 0.2, 2),
        "Roll": fmt(random.uniform(-1.5, 1.5), 2), "LatAc": fmt(random.uniform(-0.02, 0.02), 2),
        "NormAc": fmt(1 + random.uniform(-0.03, 0.03), 2), "HDG": fmt(163 if moving else 88, 1),
        "TRK": fmt(163.5 if moving else 88, 1) if fix else "", "volt1": fmt(28.1, 1), "volt2": fmt(24.6, 1),
        "amp1": fmt(4.2 + random.uniform(-0.3, 0.3), 1), "FQtyL": fmt(23.4 - t / 900, 1),
        "FQtyR": fmt(23.1 - t / 900, 1), "E1 FFlow": fmt(2.4 + power * 0.12, 2),
        "E1 OilT": fmt(120 + t * 0.2, 1), "E1 OilP": fmt(58 + rpm / 200, 1), "E1 MAP": fmt(mp, 2),
        "E1 RPM": fmt(rpm, 1), "E1 %Pwr": fmt(power, 0), "AltGPS": fmt(alt + 40, 1) if fix else "",
        "TAS": fmt(ias * 1.03, 1), "HSIS": "GPS" if fix else "NoSoln", "CRS": "163.0", "NAV1": "113.40",
        "NAV2": "116.80", "COM1": "121.800", "COM2": "118.300", "HCDI": fmt(0.02, 2) if fix else "",
        "VCDI": "", "WndSpd": fmt(6.0, 1) if fix and moving else "", "WndDr": fmt(210, 1) if fix and moving else "",
        "WptDst": fmt(max(0.0, 14.2 - ias * t / 3600), 2) if fix else "", "WptBrg": fmt(163.2, 1) if fix else "",
        "MagVar": "15.3", "AfcsOn": "0", "RollM": "", "PitchM": "", "RollC": "", "PichC": "", "VSpdG": "",
        "GPSfix": "3D" if fix else "NoSoln", "HAL": fmt(1852, 1), "VAL": "", "HPLwas": fmt(21.4, 1) if fix else "",
        "HPLfd": fmt(19.8, 1) if fix else "", "VPLwas": fmt(30.2, 1) if fix else "",
        "E1 Hrs": fmt(1287.4 + t / 3600, 2), "Trans": "", "Fuel Used": fmt(t * 6 / 3600, 2),
        "Fuel Rem": fmt(46.5 - t * 6 / 3600, 2),
    }
    for i in range(1, 7):
        cells[f"E1 CHT{i}"] = fmt(220 + power * 1.6 + i * 4 + t * 0.05, 1)
        cells[f"E1 EGT{i}"] = fmt(egt + i * 9 + random.uniform(-4, 4), 1)
    # A missed pressure and a missed speed reading: the replay runs through them.
    if t in (45, 46):
        cells["E1 MAP"] = ""
    if t == 240:
        cells["E1 RPM"] = ""
    return cells


def line(cells):
    """The cells padded to the width of their column, with a trailing blank."""
    return ", ".join(f"{cells[name]:>{max(6, len(name))}}" for name, _ in COLUMNS) + " "


def main():
    print('#airframe_info, log_version="1.00", airframe_name="QPX Demo Tourer", unit_software_part_number="000-0000-00", '
          'system_id="QPX0027", mode=NORMAL, ')
    print("#" + ", ".join(unit for _, unit in COLUMNS) + ", ")
    print(", ".join(f"{name:>{max(6, len(name))}}" for name, _ in COLUMNS) + ", ")
    for t in range(SECONDS + 1):
        cells = row(t)
        print(line(cells))
        # The clock caught up: the second written twice, the later row standing.
        if t == 130:
            print(line(row(t)))


main()
