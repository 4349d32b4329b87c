#!/usr/bin/python3
"""How close talik's predictions from real element sets come to SGP4's.

usage: sgp4_accuracy.py TALIK_DECK TALIK EXAMPLES_DIR [--markdown]

Each shipped element set is turned into a deck by talik-deck (MADRID, one
day from the epoch in 1 s steps, the report to KESTAD.DAT) and run by talik.
Every data line is compared with SGP4 (Debian's python3-sgp4) at the same
instant, for a site at MADRID's latitude and longitude on the WGS-84
ellipsoid: the along-track timing (talik's position, rebuilt from its
height, latitude and longitude, against SGP4's, along the velocity), the
elevation, azimuth and range, and each pass's first and last visible second
against SGP4's rise and set.  The elevation is also compared with SGP4 seen
from talik's own station on its sphere, to tell the model's share from the
station's.  Targets for the low orbits over one day: along-track p95 within
5 s, elevation p95 within 1 degree.
"""
import math
import os
import subprocess
import sys
import tempfile

from sgp4 import omm
from sgp4.api import Satrec, jday
from sgp4.propagation import gstime

sys.dont_write_bytecode = True
EXAMPLES = [("iss.tle", "low"), ("sun-synchronous.tle", "low"), ("vanguard-1.xml", "elliptic"),
            ("molniya.tle", "high")]
LAT, LON = 40.4, 356.32  # MADRID
WGS84_A, WGS84_E2 = 6378.137, 0.00669437999014
TALIK_A, TALIK_E2 = 6378.16, 0.0066934214  # talik's ellipsoid, for its printed height and latitude
TARGET_ALONG_S, TARGET_ELEV_DEG = 5.0, 1.0


def satellite(path):
    if path.endswith(".xml"):
        with open(path) as f:
            fields = next(omm.parse_xml(f))
        sat = Satrec()
        omm.initialize(sat, fields)
        return sat
    lines = [l for l in open(path).read().splitlines() if l[:2] in ("1 ", "2 ")]
    return Satrec.twoline2rv(lines[0], lines[1])


def earth_fixed(sat, t):
    """SGP4's position and velocity at unix time t, turned by the sidereal angle (km, km/s)."""
    jd, fr = jday(1970, 1, 1, 0, 0, 0)
    fr += t / 86400.0
    err, r, v = sat.sgp4(jd, fr)
    g = gstime(jd + fr)
    c, s = math.cos(g), math.sin(g)
    return (c * r[0] + s * r[1], -s * r[0] + c * r[1], r[2]), (c * v[0] + s * v[1], -s * v[0] + c * v[1], v[2])


def site_on_ellipsoid():
    lat, lon = math.radians(LAT), math.radians(LON)
    n = WGS84_A / math.sqrt(1 - WGS84_E2 * math.sin(lat) ** 2)
    return (n * math.cos(lat) * math.cos(lon), n * math.cos(lat) * math.sin(lon), n * (1 - WGS84_E2) * math.sin(lat)), lat


def site_on_sphere():
    lat, lon = math.radians(LAT), math.radians(LON)
    return (TALIK_A * math.cos(lat) * math.cos(lon), TALIK_A * math.cos(lat) * math.sin(lon), TALIK_A * math.sin(lat)), lat


def look(p, site):
    (x, lat), lon = site, math.radians(LON)
    d = [p[i] - x[i] for i in range(3)]
    sl, cl, so, co = math.sin(lat), math.cos(lat), math.sin(lon), math.cos(lon)
    east = -so * d[0] + co * d[1]
    north = -sl * co * d[0] - sl * so * d[1] + cl * d[2]
    up = cl * co * d[0] + cl * so * d[1] + sl * d[2]
    rng = math.sqrt(east * east + north * north + up * up)
    return math.degrees(math.asin(up / rng)), math.degrees(math.atan2(east, north)) % 360.0, rng


def talik_position(glat, glon, hgt):
    """The point talik describes: the foot of the normal at geocentric latitude glat, raised hgt along it."""
    psi, lam = math.radians(glat), math.radians(glon)
    rf = TALIK_A * math.sqrt((1 - TALIK_E2) / (1 - TALIK_E2 * math.cos(psi) ** 2))
    phi = math.atan(math.tan(psi) / (1 - TALIK_E2))
    foot = (math.cos(psi) * math.cos(lam), math.cos(psi) * math.sin(lam), math.sin(psi))
    up = (math.cos(phi) * math.cos(lam), math.cos(phi) * math.sin(lam), math.sin(phi))
    return tuple(rf * f + hgt * u for f, u in zip(foot, up))


def run(talik_deck, talik, path, work):
    deck = subprocess.run([talik_deck, path, "--output", "file", "--step", "1", "--hours", "24"],
                          capture_output=True, text=True, check=True).stdout
    with open(os.path.join(work, "x.deck"), "w") as f:
        f.write(deck)
    subprocess.run([talik, "x.deck"], cwd=work, check=True, capture_output=True)
    with open(os.path.join(work, "KESTAD.DAT")) as f:
        return f.read().splitlines()


def field(line, a, b):
    text = line[a:b]
    return None if "*" in text else float(text)


def line_time(line):
    import calendar
    y, mo, d, h, mi, s = (int(line[a:b]) for a, b in ((5, 10), (11, 13), (14, 16), (16, 19), (20, 22), (23, 25)))
    return calendar.timegm((y, mo, d, h, mi, s))


def rise_or_set(sat, t0, t1, site):
    """The time between t0 (not visible) and t1 (visible), or the reverse, where SGP4's elevation is 0."""
    e0 = look(earth_fixed(sat, t0)[0], site)[0]
    for _ in range(40):
        mid = 0.5 * (t0 + t1)
        if (look(earth_fixed(sat, mid)[0], site)[0] > 0) == (e0 > 0):
            t0 = mid
        else:
            t1 = mid
    return 0.5 * (t0 + t1)


def compare(sat, lines):
    ellipsoid, sphere = site_on_ellipsoid(), site_on_sphere()
    along, elev, elev_sphere, azim, rng, edges = [], [], [], [], [], []
    previous = None
    for line in lines:
        t = line_time(line)
        hgt, glat, glon, el, az, r = (field(line, a, a + 7) for a in (27, 34, 41, 48, 55, 62))
        p, v = earth_fixed(sat, t)
        if hgt is not None:
            speed2 = sum(x * x for x in v)
            along.append(sum((talik_position(glat, glon, hgt)[i] - p[i]) * v[i] for i in range(3)) / speed2)
        e, a, d = look(p, ellipsoid)
        elev.append(el - e)
        elev_sphere.append(el - look(p, sphere)[0])
        azim.append((az - a + 180.0) % 360.0 - 180.0)
        if r is not None:
            rng.append(r - d)
        if previous is None or t - previous > 1:  # a pass begins: talik's first second against SGP4's rise
            edges.append(t - rise_or_set(sat, t - 30, t + 30, ellipsoid))
            if previous is not None:
                edges.append(previous - rise_or_set(sat, previous - 30, previous + 30, ellipsoid))
        previous = t
    if previous is not None:
        edges.append(previous - rise_or_set(sat, previous - 30, previous + 30, ellipsoid))
    return along, elev, elev_sphere, azim, rng, edges


def p95(values):
    v = sorted(abs(x) for x in values)
    return v[int(0.95 * (len(v) - 1))] if v else float("nan")


def main(argv):
    talik_deck, talik, examples = (os.path.abspath(a) for a in argv[1:4])
    rows, failures = [], []
    with tempfile.TemporaryDirectory(prefix="talik-sgp4-") as work:
        for name, kind in EXAMPLES:
            path = os.path.join(examples, name)
            along, elev, elev_sphere, azim, rng, edges = compare(satellite(path), run(talik_deck, talik, path, work))
            row = (name, len(elev), p95(along), p95(elev), p95(elev_sphere), p95(azim), p95(rng), p95(edges))
            rows.append(row)
            if kind == "low" and not (row[2] <= TARGET_ALONG_S and row[3] <= TARGET_ELEV_DEG):
                failures.append(name)
    head = ("element set", "lines", "along-track s", "elevation deg", "elev. (sphere site) deg", "azimuth deg",
            "range km", "AOS/LOS s")
    if "--markdown" in argv:
        print("| " + " | ".join(head) + " |\n|" + "---|" * len(head))
        for r in rows:
            print(f"| `{r[0]}` | {r[1]} | " + " | ".join("-" if math.isnan(x) else f"{x:.2f}" for x in r[2:]) + " |")
    else:
        print("p95 of |talik - SGP4| over one day:")
        for r in rows:
            print(f"  {r[0]:22s} {r[1]:6d} lines: " +
                  ", ".join(f"{h} {x:.2f}" for h, x in zip(head[2:], r[2:])))
    if failures:
        print("beyond the targets (along-track 5 s, elevation 1 deg):", *failures)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
