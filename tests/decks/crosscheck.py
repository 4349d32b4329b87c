#!/usr/bin/env python3
"""Independent cross-check of the console reports stored beside the decks.

For every data line it recomputes, with plain 3-D vectors and a textbook
low-precision Sun, what the line claims: elevation, azimuth and slant range
from the printed sub-satellite point and height (station on a sphere of
radius 6378.16 km), the shadow letter (cylindrical shadow) and the antenna
letter (A when the line of sight points within 90 degrees of the Sun).  The
satellite's radius is rebuilt from the printed height over the ellipsoid,
so small differences are expected; the marks must agree except within a
hair of their boundaries.

usage: crosscheck.py DIR    (checks every DIR/NAME.out that has data lines)
"""
import datetime
import glob
import math
import os
import re
import sys

STATIONS = {1: (36.517, 138.317), 2: (31.25, 131.079), 3: (67.878, 21.064), 4: (-69.0008, 39.585),
            5: (64.873, 213.165), 6: (40.4, 356.32), 7: (34.6, 135.517), 8: (34.03, 241.717)}
A, E2 = 6378.16, 0.0066934214
LINE = re.compile(r"^ *[0-9*]+ +\d{4}/")
J2000 = datetime.datetime(2000, 1, 1, 12)


def vec(lat, lon, radius):
    la, lo = math.radians(lat), math.radians(lon)
    return [radius * math.cos(la) * math.cos(lo), radius * math.cos(la) * math.sin(lo), radius * math.sin(la)]


def dot(u, v):
    return sum(a * b for a, b in zip(u, v))


def sun_direction(t):
    d = (t - J2000).total_seconds() / 86400.0
    mean_lon = math.radians((280.460 + 0.9856474 * d) % 360)
    g = math.radians((357.528 + 0.9856003 * d) % 360)
    lam = mean_lon + math.radians(1.915) * math.sin(g) + math.radians(0.020) * math.sin(2 * g)
    eps = math.radians(23.439 - 4e-7 * d)
    return [math.cos(lam), math.cos(eps) * math.sin(lam), math.sin(eps) * math.sin(lam)]


def sidereal(t):
    d = (t - J2000).total_seconds() / 86400.0
    return (280.46061837 + 360.98564736629 * d) % 360


def check(deck_path, out_path):
    ista = int(open(deck_path).read().splitlines()[1][40:45])
    if ista not in STATIONS:
        return 0, []
    slat, slon = STATIONS[ista]
    text = open(out_path, "rb").read().decode("ascii").replace("\r", "").replace("\f", "\n")
    problems, lines = [], 0
    for line in text.split("\n"):
        if not LINE.match(line) or len(line) != 91:
            continue
        lines += 1
        t = datetime.datetime(int(line[5:10]), int(line[11:13]), int(line[14:16]), int(line[16:19]),
                              int(line[20:22]), int(line[23:25]))
        hgt, lat, lon = float(line[37:44]), float(line[44:51]), float(line[51:59])
        el, az, rng = float(line[59:67]), float(line[67:75]), float(line[75:83])
        psi = math.radians(lat)
        radius = A * math.sqrt((1 - E2) / (1 - E2 * math.cos(psi) ** 2)) + hgt
        # Earth-fixed look angles.
        sat, stn, up = vec(lat, lon, radius), vec(slat, slon, A), vec(slat, slon, 1.0)
        los = [s - g for s, g in zip(sat, stn)]
        rho = math.sqrt(dot(los, los))
        east = [-math.sin(math.radians(slon)), math.cos(math.radians(slon)), 0.0]
        north = [up[1] * east[2] - up[2] * east[1], up[2] * east[0] - up[0] * east[2], up[0] * east[1] - up[1] * east[0]]
        el2 = math.degrees(math.asin(dot(los, up) / rho))
        az2 = math.degrees(math.atan2(dot(los, east), dot(los, north))) % 360
        if abs(el2 - el) > 0.3 or abs(rho - rng) > 5.0 or (el < 80 and abs((az2 - az + 180) % 360 - 180) > 1.5):
            problems.append(f"look angles {el2:.2f} {az2:.2f} {rho:.1f}: {line}")
        # Sun-relative marks in the celestial frame.
        gst = sidereal(t)
        sun = sun_direction(t)
        sat_eci = vec(lat, lon + gst, radius)
        along = dot(sat_eci, sun)
        off_axis = math.sqrt(max(0.0, radius * radius - along * along))
        if along > 0 or abs(off_axis - 6378.142) > 30:
            lit = along > 0 or off_axis >= 6378.142
            if lit != (line[-1] == "D"):
                problems.append(f"shadow letter: {line}")
        los_eci = [s - g for s, g in zip(sat_eci, vec(slat, slon + gst, A))]
        cosine = dot(los_eci, sun) / math.sqrt(dot(los_eci, los_eci))
        if abs(cosine) > 0.01 and (cosine > 0) != (line[-3] == "A"):
            problems.append(f"antenna letter: {line}")
    return lines, problems


def main():
    folder = sys.argv[1]
    failed = False
    for out in sorted(glob.glob(os.path.join(folder, "*.out"))):
        deck = out[:-4] + ".deck"
        if not os.path.exists(deck):
            continue
        lines, problems = check(deck, out)
        if lines:
            print(f"{os.path.basename(out)}: {lines} lines, {len(problems)} disagreements")
        for p in problems[:5]:
            print("   ", p)
        failed |= bool(problems)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
