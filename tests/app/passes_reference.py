#!/usr/bin/python3
"""talik-passes' Sun, visibility and pointing track against an independent reference.

usage: passes_reference.py TALIK_PASSES EXAMPLES_DIR [--markdown]

For each case (a shipped element set, a site on WGS-84, one day from the
set's epoch) talik-passes lists the passes, and their tracks every 10 s at
437 MHz.  The reference is SGP4 (Debian's python3-sgp4) for the satellite
and python3-ephem for the Sun, without refraction (pressure 0):

- the Sun's elevation at the site at each culmination;
- each pass's visible seconds: the whole seconds from AOS to LOS with SGP4's
  satellite outside a cylindrical shadow of the Earth's equatorial radius
  behind ephem's Sun and ephem's Sun at or below -6 degrees at the site;
- every track row's elevation (from the WGS-84 normal) and range rate
  (SGP4's TEME velocity turned into the Earth-fixed frame, where the site
  stands still);
- the track's own consistency: the Doppler column is -f * range rate / c,
  and the range's change between rows 10 s either side of a row matches
  the range rates of the three rows (Simpson's rule: a plain central
  difference is off by up to 0.03 km/s near an overhead culmination, where
  the range rate's curvature over 20 s is that large).
"""
import datetime
import json
import math
import os
import subprocess
import sys

import ephem
from sgp4.api import jday
from sgp4.propagation import gstime

sys.dont_write_bytecode = True
# The satellite read as the deck tool's SGP4 comparison reads it, on the same ellipsoid.
from sgp4_accuracy import WGS84_A, WGS84_E2, satellite  # noqa: E402
CASES = [("iss.tle", (48.85, 2.35, 35.0, "Paris")), ("iss.tle", (-33.45, -70.67, 570.0, "Santiago")),
         ("sun-synchronous.tle", (48.85, 2.35, 35.0, "Paris")),
         ("sun-synchronous.tle", (-33.45, -70.67, 570.0, "Santiago")),
         ("vanguard-1.xml", (48.85, 2.35, 35.0, "Paris")),
         # The Sun reaches -6 degrees 23 s before the satellite enters the shadow.
         ("iss.tle", (30.0, 45.0, 0.0, "30N 45E"))]
EARTH_SPIN = 7.292115e-5  # rad/s
C_KM_S = 299792.458
FREQUENCY_MHZ, TRACK_SPACING_S = 437.0, 10
DARK_SKY_DEG = -6.0

# Tolerances.  The Sun: the model's Sun table and ephem's both agree with the
# sky to about a hundredth of a degree, printed to 0.01 deg; a minute's error
# in the time (0.25 deg) or the geocentric vertical (0.19 deg at Paris) is
# far outside.
SUN_EL_DEG = 0.05
# Visible seconds (and the first and last of them): the two satellites
# differ by 1 to 2 s along the track (sgp4_accuracy.py), the shadows' radii
# by a few km, and 0.01 deg of Sun elevation is a few seconds of twilight.
# A pass one side calls visible and the other not is thereby allowed only
# when the other's count is itself within VISIBLE_S: a stretch of a few
# seconds at a threshold.
VISIBLE_S, VISIBLE_SHARE = 10, 0.03
# The track: the secular-only model against SGP4.  1 to 2 s along the track
# is up to 2 deg of elevation and, with a range acceleration of up to
# 0.13 km/s^2, 0.25 km/s of range rate near a culmination overhead; most rows
# are far closer, so the 95th percentiles are held tighter.
TRACK_EL_P95_DEG, TRACK_EL_MAX_DEG = 1.0, 2.0
RANGE_RATE_P95_KM_S, RANGE_RATE_MAX_KM_S = 0.1, 0.25
# The range rate against the change of the range printed to 0.1 km over
# 20 s (0.005 km/s), and the model's single-precision time since the epoch,
# which within a day of it moves the position by a few hundredths of a second.
RANGE_CHANGE_KM_S = 0.01
# Doppler printed to 0.1 Hz from a range rate printed to 0.1 m/s.
DOPPLER_HZ = 0.05 + FREQUENCY_MHZ * 1e6 * 0.5e-4 / C_KM_S + 1e-6


def unix(utc):
    return datetime.datetime.fromisoformat(utc.replace("Z", "+00:00")).timestamp()


def site_frame(lat, lon, height_m):
    """The site's Earth-fixed position (km) and its vertical (unit vector) on WGS-84."""
    la, lo = math.radians(lat), math.radians(lon)
    n = WGS84_A / math.sqrt(1 - WGS84_E2 * math.sin(la) ** 2)
    h = height_m / 1000.0
    pos = ((n + h) * math.cos(la) * math.cos(lo), (n + h) * math.cos(la) * math.sin(lo),
           (n * (1 - WGS84_E2) + h) * math.sin(la))
    up = (math.cos(la) * math.cos(lo), math.cos(la) * math.sin(lo), math.sin(la))
    return pos, up


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


class Reference:
    """SGP4's satellite and ephem's Sun seen from one site."""

    def __init__(self, sat, site):
        self.sat = sat
        self.pos, self.up = site_frame(*site[:3])
        self.observer = ephem.Observer()
        self.observer.lat, self.observer.lon = str(site[0]), str(site[1])
        self.observer.elevation, self.observer.pressure = site[2], 0
        self.sun = ephem.Sun()

    def teme(self, t):
        jd, fr = jday(1970, 1, 1, 0, 0, 0)
        fr += t / 86400.0
        err, r, v = self.sat.sgp4(jd, fr)
        if err:
            raise RuntimeError(f"SGP4 error {err} at {t}")
        return r, v, gstime(jd + fr)

    def look(self, t):
        """SGP4's elevation (deg) and range rate (km/s) from the site at unix time t."""
        r, v, g = self.teme(t)
        c, s = math.cos(g), math.sin(g)
        p = (c * r[0] + s * r[1], -s * r[0] + c * r[1], r[2])
        w = (c * v[0] + s * v[1] + EARTH_SPIN * p[1], -s * v[0] + c * v[1] - EARTH_SPIN * p[0], v[2])
        d = [p[i] - self.pos[i] for i in range(3)]
        rng = math.sqrt(dot(d, d))
        return math.degrees(math.asin(dot(d, self.up) / rng)), dot(w, d) / rng

    def sun_at(self, t):
        """ephem's Sun: elevation at the site (deg) and geocentric unit vector of date."""
        self.observer.date = ephem.Date(datetime.datetime.fromtimestamp(t, datetime.timezone.utc).replace(tzinfo=None))
        self.sun.compute(self.observer)
        ra, dec = float(self.sun.g_ra), float(self.sun.g_dec)
        return math.degrees(float(self.sun.alt)), (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra),
                                                   math.sin(dec))

    def visible(self, t):
        el, s = self.sun_at(t)
        if el > DARK_SKY_DEG:
            return False
        r = self.teme(t)[0]
        along = dot(r, s)
        return along > 0 or dot(r, r) - along * along > WGS84_A ** 2


def talik_passes(program, examples, name, site, *extra):
    """talik-passes' JSON for the case, one day from the set's epoch."""
    sat = satellite(os.path.join(examples, name))
    start = datetime.datetime(1949, 12, 31, tzinfo=datetime.timezone.utc) + datetime.timedelta(
        days=sat.jdsatepoch + sat.jdsatepochF - 2433281.5)
    start = start.replace(microsecond=0) + datetime.timedelta(seconds=1)
    args = [program, name, "--site", ",".join(str(x) for x in site), "--start", start.strftime("%Y-%m-%dT%H:%M:%S"),
            "--hours", "24", "--format", "json", *extra]
    return sat, json.loads(subprocess.run(args, cwd=examples, capture_output=True, text=True, check=True).stdout)


def p95(values):
    v = sorted(abs(x) for x in values)
    return v[int(0.95 * (len(v) - 1))] if v else 0.0


def biggest(values):
    return max(map(abs, values), default=0.0)


def check_passes(passes, ref, faults):
    """The Sun at each culmination and the visible seconds against the reference."""
    sun, vis, shown = [], [], [0, 0]
    for p in passes:
        sun.append(p["site_sun_el_deg"] - ref.sun_at(round(unix(p["tca_utc"])))[0])
        if abs(sun[-1]) > SUN_EL_DEG:
            faults.append(f"{p['tca_utc']}: the Sun at {p['site_sun_el_deg']} deg, {sun[-1]:+.3f} from ephem's")
        seen = [t for t in range(math.ceil(unix(p["aos_utc"])), math.floor(unix(p["los_utc"])) + 1) if ref.visible(t)]
        vis.append(p["visible_s"] - len(seen))
        shown[0] += p["visible_s"] > 0
        shown[1] += len(seen) > 0
        ends = [(unix(p["visible_first_utc"]) - seen[0], unix(p["visible_last_utc"]) - seen[-1])
                ] if seen and p["visible_s"] > 0 else []
        if abs(vis[-1]) > max(VISIBLE_S, VISIBLE_SHARE * len(seen)) or biggest(sum(ends, ())) > VISIBLE_S:
            faults.append(f"{p['aos_utc']}: visible {p['visible_s']} s from {p['visible_first_utc']} to "
                          f"{p['visible_last_utc']}; the reference {len(seen)} s, ends {ends} s off")
    return len(passes), f"{shown[0]}/{shown[1]}", biggest(sun), biggest(vis)


def check_track(rows, ref, faults):
    """Each row's elevation and range rate against the reference, and against its own range and Doppler."""
    el, rr, change = [], [], []
    for i, row in enumerate(rows):
        t = unix(row["utc"])
        e, rate = ref.look(t)
        el.append(row["el_deg"] - e)
        rr.append(row["range_rate_km_s"] - rate)
        if abs(row["doppler_hz"] + FREQUENCY_MHZ * 1e6 * row["range_rate_km_s"] / C_KM_S) > DOPPLER_HZ:
            faults.append(f"{row['utc']}: Doppler {row['doppler_hz']} Hz for {row['range_rate_km_s']} km/s")
        around = rows[i - 1:i + 2] if i > 0 else []
        if len(around) == 3 and len({r["pass"] for r in around}) == 1 and \
                [unix(r["utc"]) - t for r in around] == [-TRACK_SPACING_S, 0, TRACK_SPACING_S]:
            mean_rate = (around[0]["range_rate_km_s"] + 4 * row["range_rate_km_s"] + around[2]["range_rate_km_s"]) / 6
            change.append(mean_rate - (around[2]["range_km"] - around[0]["range_km"]) / (2 * TRACK_SPACING_S))
    for what, values, p95_limit, max_limit in (("elevation", el, TRACK_EL_P95_DEG, TRACK_EL_MAX_DEG),
                                               ("range rate", rr, RANGE_RATE_P95_KM_S, RANGE_RATE_MAX_KM_S),
                                               ("range change", change, RANGE_CHANGE_KM_S, RANGE_CHANGE_KM_S)):
        if p95(values) > p95_limit or biggest(values) > max_limit:
            faults.append(f"track {what}: p95 {p95(values):.3f}, max {biggest(values):.3f}")
    if not change:
        faults.append("no track rows 10 s apart to compare with the range's change")
    return len(rows), p95(el), biggest(el), p95(rr), biggest(rr), biggest(change)


def check_case(program, examples, name, site):
    """The figures of one case and what in it exceeds a tolerance."""
    sat, passes = talik_passes(program, examples, name, site)
    ref = Reference(sat, site)
    faults = []
    figures = check_passes(passes, ref, faults)
    rows = talik_passes(program, examples, name, site, "--track", str(TRACK_SPACING_S), "--frequency",
                        str(FREQUENCY_MHZ))[1]
    figures += check_track(rows, ref, faults)
    return (f"`{name}`", site[3]) + figures, [f"{name} {site[3]}: {f}" for f in faults]


def main(argv):
    program, examples = (os.path.abspath(a) for a in argv[1:3])
    rows, faults = [], []
    for name, site in CASES:
        figures, problems = check_case(program, examples, name, site)
        rows.append(figures)
        faults += problems
    head = ("element set", "site", "passes", "visible (talik/ref.)", "Sun max deg", "visible s max", "track rows",
            "elev. p95 deg", "elev. max deg", "range rate p95 km/s", "range rate max km/s", "vs. own range km/s")
    if "--markdown" in argv:
        print("| " + " | ".join(head) + " |\n|" + "---|" * len(head))
        for r in rows:
            print("| " + " | ".join(str(x) if not isinstance(x, float) else f"{x:.3f}" for x in r) + " |")
    else:
        for r in rows:
            print(", ".join(f"{h} {x if not isinstance(x, float) else f'{x:.3f}'}" for h, x in zip(head, r)))
    for f in faults:
        print("beyond the tolerance:", f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
