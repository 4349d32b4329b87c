#!/usr/bin/env python3
"""Checks one talik run's outputs without using any of the program's code.

    check_report.py --deck D --stdout F [--dat K]

D is the input deck, F the bytes the run wrote to standard output, K the path
where KESTAD.DAT would be (it must exist exactly when the deck's output
choice is 8).  Every record is matched against its format: literals and
blanks at their columns, numbers in the writer's notation.  On top of the
layout the checker verifies what it can work out on its own: the preamble
(banner, element listing, run header) as the deck dictates it; page
numbers, page starts and line counts; the blank line that opens each pass;
step times; revolution numbers; value ranges and marks; and a geometric
cross-check of every data line (the position given by elevation, azimuth
and range must sit over the printed latitude, longitude and height; the
sunlight and antenna letters must agree with an independent Sun position
unless the case is too close to call).

Exits 0 when everything holds, 1 with one line naming the first violation.
"""

import argparse
import datetime as dt
import io
import math
import os
import re
import struct
import sys
from decimal import ROUND_HALF_UP, Decimal


class Violation(Exception):
    pass


# ---------------------------------------------------------------------------
# The report's formats, as the program writes them.

FMT = {
    "BAN": "('1',/,/,/,/,/,/,29X,'======== TALI-K (VORANE) =======',/,/)",
    "LST1": "(19X,'EPOCH (UT):',30X,I4,2('/',I2),5X,2(I2,':'),I2,/,19X,'REVOLUTION NUMBER:',23X,I5)",
    "LST2": "(19X,'SEMI-MAJOR-AXIS (KM):',20X,F10.3,/,19X,'ECCENTRICITY:',28X,F10.6,/,19X,"
            "'INCLINATION (DEG):',23X,F10.3,/,19X,'R.A. OF ASCENDING NODE (DEG):',12X,F10.3,/,19X,"
            "'ARGUMENT OF PERIGEE (DEG):',14X,F10.3,/,19X,'MEAN ANOMALY (DEG):',29X,F10.3,/)",
    "LST3": "(19X,'DOT SEMI-MAJOR-AXIS (KM/DAY):',19X,F10.3,/,19X,'DOT R.A. OF ASCENDING NODE (DEG/DAY):',"
            "11X,F10.6,/,19X,'DOT ARGUMENT OF PERIGEE (DEG/DAY):',14X,F10.6,/,/,19X,"
            "'MEAN MOTION (REV/DAY):',26X,F10.6,/,/)",
    "RUN": "(19X,'STARTING TIME: ',26X,I4,2('/',I2),5X,2(I2,':'),I2,/,19X,'INTERVAL (SEC):',26X,I5,/,19X,"
           "'NUMBER OF CALCULATIONS:',18X,I5,/,19X,'STATION NUMBER:',26X,I2,':',5A2,/,19X,"
           "'  (LAT.,LON.):',32X,'(',F7.3,',',F7.3,')')",
    "PAG": "('1',/,/,/,60X,59X,'PAGE:',I4,/,4X,'EPOCH (UT):',I4,2('/',I2),3X,2(I2,':'),I2,8X,'REV:',I6,16X,"
           "'GREENWICH SIDEREAL TIME:',12X,2(I2,':'),I2)",
    "EL1": "(4X,'SEMI-MAJOR-AXIS (KM): ',16X,F10.3,15X,'ECCENTRICITY: ',22X,F10.6,/,4X,'INCLINATION (DEG): ',"
           "22X,F10.3,15X,'ARGUMENT OF PERIGEE (DEG): ',10X,F10.3,/,4X,'R.A. OF ASCENDING NODE (DEG): ',11X,"
           "F10.3,15X,'MEAN ANOMALY (DEG): ',16X,F10.3)",
    "EL2": "(4X,'DOT ASC. NODE (DEG/DAY): ',16X,F10.6,15X,'DOT ARGUMENT OF PERIGEE (DEG/DAY): ',F10.6,/,4X,"
           "'MEAN MOTION (DEG/MIN): ',18X,F10.6,15X,'DOT SEMI-MAJOR-AXIS (KM/DAY): ',6X,F10.3,/,4X,"
           "'DOT MEAN MOTION (DEG/MIN/DAY): ',10X,F10.5,/,4X,'PERIGEE (KM): ',27X,F10.3,15X,'APOGEE (KM): ',"
           "23X,F10.3,/)",
    "CH1": "(13X,'TIME(UT)',20X,'SATELLITE  POSITION',10X,'ACQUISITION')",
    "CH2": "(2X,'REV   YR MN DY HR MN SC',13X,' ALT.    LAT.   LONG.',5X,'EL.    AZ.    RANGE',3X,'ANTENNA')",
    # The revolution number shows in five columns after a blank control; a
    # number too wide for them prints as asterisks.
    "CON": "(1X,I5,I5,2('/',I2),I3,2(':',I2),10X,2A1,2F7.2,4F8.2,5X,A1,1X,A1)",
    "FIL": "(2I5,2('/',I2),I3,2(':',I2),2A1,5F7.2,F7.1,1X,A1,1X,A1)",
}

STATIONS = {
    1: ("SUGADAIRA", 36.517, 138.317, "*", "S"),
    2: ("UCHINOURA", 31.25, 131.079, "+", "U"),
    3: ("ESRANGE", 67.878, 21.064, ":", "E"),
    4: ("SYOWA", -69.0008, 39.585, "=", "S"),
    5: ("FAIRBANKS", 64.873, 213.165, "#", "F"),
    6: ("MADRID", 40.4, 356.32, "/", "M"),
    7: ("OSAKA", 34.6, 135.517, "!", "O"),
    8: ("UCLA", 34.03, 241.717, "$", "L"),
}

RE = 6378.16  # sphere of the look angles
SHADOW_RADIUS = 6378.142
ELL_A = 6378.16  # reference ellipsoid
ELL_E2 = 0.0066934214
LINES_PER_PAGE = 47  # counted lines that fill a page (48 when a pass opens on its last step)
HEADER_RECORDS = 15


def single(x):
    """x rounded to the nearest 32-bit float."""
    return struct.unpack("f", struct.pack("f", x))[0]


# ---------------------------------------------------------------------------
# Format notation: parsing, writing and reading back records.

def parse_format(text):
    """Elements of a format: ('lit', s), ('x', n), ('/',), ('i', w), ('f', w, d), ('a', w)."""
    s = text.strip()

    def parse_list(i):
        out = []
        assert s[i] == "("
        i += 1
        while True:
            while s[i] == " ":
                i += 1
            if s[i] == "'":
                j = s.index("'", i + 1)
                out.append(("lit", s[i + 1:j]))
                i = j + 1
            elif s[i] == "/":
                out.append(("/",))
                i += 1
            else:
                m = re.match(r"(\d*)", s[i:])
                n = int(m.group(1)) if m.group(1) else None
                i += len(m.group(1))
                c = s[i].upper()
                if c == "(":
                    sub, i = parse_list(i)
                    out.extend(sub * (n or 1))
                elif c == "X":
                    out.append(("x", n or 1))
                    i += 1
                elif c in "IFA":
                    m = re.match(r"[IFAifa](\d*)(?:\.(\d+))?", s[i:])
                    w = int(m.group(1)) if m.group(1) else None
                    i += len(m.group(0))
                    if c == "I":
                        el = ("i", w)
                    elif c == "F":
                        el = ("f", w, int(m.group(2)))
                    else:
                        el = ("a", w)
                    out.extend([el] * (n or 1))
                else:
                    raise ValueError("bad format %s at %d" % (text, i))
            while s[i] == " ":
                i += 1
            if s[i] == ",":
                i += 1
                continue
            if s[i] == ")":
                return out, i + 1
            raise ValueError("bad format %s at %d" % (text, i))

    elems, _ = parse_list(0)
    return elems


def format_records(text):
    """The format split into records (lists of elements)."""
    recs = [[]]
    for el in parse_format(text):
        if el[0] == "/":
            recs.append([])
        else:
            recs[-1].append(el)
    return recs


def fmt_i(v, w):
    s = "%d" % v
    return "*" * w if len(s) > w else s.rjust(w)


def fmt_f(v, w, d, digits=7):
    """Fw.d of a value carrying `digits` significant digits."""
    x = Decimal(v)
    q = Decimal(1).scaleb(-d)
    r = x.quantize(q, rounding=ROUND_HALF_UP)
    if x != 0 and x.adjusted() + 1 + d > digits:
        keep = Decimal(1).scaleb(x.adjusted() - digits + 1)
        r = x.quantize(keep, rounding=ROUND_HALF_UP).quantize(q)
    neg = r < 0
    r = abs(r)
    ip = int(r)
    frac = (r - ip).quantize(q)
    fs = str(frac)[2:] if d > 0 else ""
    if d > 0 and len(fs) < d:
        fs = fs.ljust(d, "0")
    ips = str(ip) if ip != 0 or d == 0 else ""
    if r == 0:
        neg = False
    s = ("-" if neg else "") + ips + "." + fs
    return "*" * w if len(s) > w else s.rjust(w)


def render(fmt, values):
    """Records written by fmt for the given values (control column included)."""
    vals = list(values)
    out = []
    for rec in format_records(fmt):
        s = ""
        for el in rec:
            if el[0] == "lit":
                s += el[1]
            elif el[0] == "x":
                s += " " * el[1]
            elif el[0] == "i":
                s += fmt_i(vals.pop(0), el[1])
            elif el[0] == "f":
                s += fmt_f(vals.pop(0), el[1], el[2])
            else:
                v = vals.pop(0)
                s += v if el[1] is None else v[:el[1]].ljust(el[1])
        out.append(s)
    assert not vals
    return out


I_RE = re.compile(r"^ *(-?[1-9][0-9]*|0)$")


def read_i(field):
    if set(field) == {"*"}:
        return None
    if not I_RE.match(field):
        raise ValueError("is not an integer in the writer's notation")
    return int(field)


def read_f(field, d, digits=7):
    if set(field) == {"*"}:
        return None
    m = re.match(r"^ *(-?)([0-9]*)\.([0-9]{%d})$" % d, field)
    if not m:
        raise ValueError("is not an F%d.%d number" % (len(field), d))
    sign, ip, fp = m.groups()
    if ip.startswith("0"):
        raise ValueError("has a zero before the decimal point")
    if sign and not (ip + fp).strip("0"):
        raise ValueError("is a negative zero")
    sig = (ip + fp).lstrip("0")
    if len(sig) > digits and sig[digits:].strip("0"):
        raise ValueError("carries more than %d significant digits" % digits)
    return float(field)


def parse_record(rec, elems, where):
    """Values of one record matched against its format elements."""
    width = sum(el[1] if el[0] == "x" else len(el[1]) if el[0] == "lit" else el[1] for el in elems)
    if width == 0:
        width, elems = 1, [("x", 1)]  # an empty record holds one blank
    if len(rec) != width:
        raise Violation("%s: %d columns, expected %d: %r" % (where, len(rec), width, rec))
    vals = []
    col = 0
    for el in elems:
        w = len(el[1]) if el[0] == "lit" else el[1]
        field = rec[col:col + w]
        cols = "columns %d-%d" % (col + 1, col + w)
        if el[0] == "lit" and field != el[1]:
            raise Violation("%s, %s: expected %r, found %r" % (where, cols, el[1], field))
        if el[0] == "x" and field.strip(" "):
            raise Violation("%s, %s: expected blanks, found %r" % (where, cols, field))
        try:
            if el[0] == "i":
                vals.append(read_i(field))
            elif el[0] == "f":
                vals.append(read_f(field, el[2]))
            elif el[0] == "a":
                vals.append(field)
        except ValueError as e:
            raise Violation("%s, %s: %r %s" % (where, cols, field, e))
        col += w
    return vals


# ---------------------------------------------------------------------------
# The input deck, read by columns.

def _field(line, a, b):
    return line[a - 1:b].replace(" ", "").replace("\t", "")


def _int(line, a, b):
    t = _field(line, a, b)
    return int(t) if t else 0


def _real(line, a, b):
    t = _field(line, a, b).upper().replace("D", "E")
    return float(t) if t else 0.0


def read_deck(path):
    with open(path, newline="") as f:
        return parse_deck(f.read(), os.path.basename(path))


def parse_deck(text, name):
    """The deck's values by their columns; text is the whole deck."""
    lines = [ln.rstrip("\r\n") for ln in io.StringIO(text, newline="")]
    if len(lines) < 5:
        raise Violation("%s: %d records, a deck has 5" % (name, len(lines)))
    r2, r3, r4, r5 = lines[1:5]
    d = {
        "name": name,
        "iout": _int(lines[0], 1, 2),
        "start": tuple(_int(r2, 5 * i + 1, 5 * i + 5) for i in range(6)),
        "step": _int(r2, 31, 35),
        "ncalc": _int(r2, 36, 40),
        "ista": _int(r2, 41, 45),
        "epoch": tuple(_int(r3, 5 * i + 1, 5 * i + 5) for i in range(6)),
        "rev": _int(r3, 31, 35),
        "R": [_real(r4, 10 * i + 1, 10 * i + 10) for i in range(6)] +
             [_real(r5, 10 * i + 1, 10 * i + 10) for i in range(4)],
    }
    if d["ista"] not in STATIONS:
        raise Violation("%s: station %d is not in the table" % (name, d["ista"]))
    return d


def to_dt(f):
    return dt.datetime(*f)


# ---------------------------------------------------------------------------
# Independent astronomy: sidereal angle, Sun, ellipsoid, look angles.

def gst_deg(t):
    """Greenwich mean sidereal angle (deg) at UT t."""
    jdn = 2415020 + (t.date() - dt.date(1899, 12, 31)).days
    T = ((jdn - 2415020.0) - 0.5) / 36525.0
    U = t.hour * 60.0 + t.second / 60.0 + t.minute
    return math.fmod((0.00038708 * T + 36000.7689) * T + 0.25068447 * U + 99.6909833, 360.0)


def sun_unit(t):
    """Unit vector to the Sun, equatorial frame (low-precision almanac series)."""
    n = (t - dt.datetime(2000, 1, 1, 12)).total_seconds() / 86400.0
    L = 280.460 + 0.9856474 * n
    g = math.radians(357.528 + 0.9856003 * n)
    lam = math.radians(L + 1.915 * math.sin(g) + 0.020 * math.sin(2 * g))
    eps = math.radians(23.439 - 0.0000004 * n)
    return (math.cos(lam), math.cos(eps) * math.sin(lam), math.sin(eps) * math.sin(lam))


def station_frame(lat, lon):
    p, l = math.radians(lat), math.radians(lon)
    up = (math.cos(p) * math.cos(l), math.cos(p) * math.sin(l), math.sin(p))
    east = (-math.sin(l), math.cos(l), 0.0)
    north = (-math.sin(p) * math.cos(l), -math.sin(p) * math.sin(l), math.cos(p))
    return up, east, north


def line_of_sight(st, el, az):
    up, east, north = st
    e, a = math.radians(el), math.radians(az)
    c = (math.cos(e) * math.sin(a), math.cos(e) * math.cos(a), math.sin(e))
    return tuple(c[0] * east[i] + c[1] * north[i] + c[2] * up[i] for i in range(3))


def foot_point(x, y, z):
    """Height above the ellipsoid and geocentric latitude (deg) of the foot of
    the normal through (x, y, z), by iterating the geodetic latitude."""
    p = math.hypot(x, y)
    phi = math.atan2(z, p * (1.0 - ELL_E2))
    h = 0.0
    for _ in range(50):
        N = ELL_A / math.sqrt(1.0 - ELL_E2 * math.sin(phi) ** 2)
        if abs(math.cos(phi)) > 1e-6:
            h = p / math.cos(phi) - N
        else:
            h = abs(z) - N * (1.0 - ELL_E2)
        nxt = math.atan2(z, p * (1.0 - ELL_E2 * N / (N + h)))
        if abs(nxt - phi) < 1e-13:
            phi = nxt
            break
        phi = nxt
    psi = math.atan2((1.0 - ELL_E2) * math.sin(phi), math.cos(phi))
    return h, math.degrees(psi)


def rot_z(v, deg):
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return (c * v[0] - s * v[1], s * v[0] + c * v[1], v[2])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def lon_diff(a, b):
    return (a - b + 180.0) % 360.0 - 180.0


# ---------------------------------------------------------------------------
# Checks of one run.

class Run:
    def __init__(self, deck):
        self.d = deck
        self.name = deck["name"]
        self.start = to_dt(deck["start"])
        self.step = deck["step"]
        self.ncalc = deck["ncalc"]
        self.st = STATIONS[deck["ista"]]
        self.frame = station_frame(single(self.st[1]), single(self.st[2]))
        R = deck["R"]
        # fastest plausible revolution rate (rev/day): mean motion of the most
        # decayed axis, with room for the perturbations and given rates
        t_max = max(abs((self.start - to_dt(deck["epoch"])).total_seconds()),
                    abs((self.time_of(max(self.ncalc - 1, 0)) - to_dt(deck["epoch"])).total_seconds())) / 86400.0
        a_min = max(R[0] + min(R[6], 0.0) * t_max, 100.0)
        self.rev_rate = math.sqrt(398600.4418 / a_min ** 3) * 86400.0 / (2 * math.pi) * 1.03 + 0.05
        self.events = {}  # step -> (rev or None, printed latitude or None, where seen)

    def time_of(self, k):
        return self.start + dt.timedelta(seconds=k * self.step)

    # -- preamble -------------------------------------------------------

    def preamble(self):
        d, st = self.d, self.st
        R = [single(v) for v in d["R"]]
        name = st[0].ljust(10)
        recs = render(FMT["BAN"], [])
        recs += render(FMT["LST1"], list(d["epoch"]) + [d["rev"]])
        recs += render(FMT["LST2"], R[0:6])
        recs += render(FMT["LST3"], R[6:10])
        recs += render(FMT["RUN"], list(d["start"]) + [d["step"], d["ncalc"], d["ista"]] +
                       [name[i:i + 2] for i in range(0, 10, 2)] + [single(st[1]), single(st[2])])
        return recs

    def expected_start_rev(self):
        """Revolution number at the start, with the slack single precision
        leaves in it: (lowest, highest)."""
        d = self.d
        R = d["R"]
        days = (self.start - to_dt(d["epoch"])).total_seconds() / 86400.0
        w = (R[8] - R[7]) / 360.0
        frac = math.fmod(R[4] + R[5], 360.0) / 360.0
        fracs = [frac]
        # an angle sum a hair from a whole turn may land on either side of it
        if frac < 1e-5:
            fracs.append(frac + 1.0)
        if frac > 1.0 - 1e-5:
            fracs.append(frac - 1.0)
        lo = hi = None
        for f in fracs:
            x = (w + R[9]) * days + f + d["rev"]
            tol = 0.005 + 3e-7 * (abs(d["rev"]) + abs(x) + abs(days * R[9]))
            a, b = math.trunc(x - tol), math.trunc(x + tol)
            lo = a if lo is None else min(lo, a)
            hi = b if hi is None else max(hi, b)
        return lo, hi

    # -- one data line --------------------------------------------------

    def data_line(self, v, where):
        """v: rev, year, month, day, hour, minute, second, blank, mark, hgt,
        lat, lon, elev, azim, range, antenna, shadow.  Returns the step index."""
        rev, y, mo, da, h, mi, s, blank, mark, hgt, lat, lon, el, az, rng, ant, sh = v
        if None in (y, mo, da, h, mi, s):
            raise Violation("%s: date or time field overflows" % where)
        if not (0 <= h <= 23 and 0 <= mi <= 59 and 0 <= s <= 59):
            raise Violation("%s: time %d:%d:%d is not normalised" % (where, h, mi, s))
        try:
            t = dt.datetime(y, mo, da, h, mi, s)
        except ValueError:
            raise Violation("%s: date %d/%d/%d does not exist" % (where, y, mo, da))
        secs = (t - self.start).total_seconds()
        if self.step == 0:
            if secs != 0:
                raise Violation("%s: time %s differs from the start with a zero step" % (where, t))
            k = 0
        else:
            if secs % self.step != 0:
                raise Violation("%s: time %s is not a whole number of %d s steps from the start %s"
                                % (where, t, self.step, self.start))
            k = int(secs // self.step)
        if not 0 <= k < self.ncalc:
            raise Violation("%s: time %s is step %d, outside the run's %d steps" % (where, t, k + 1, self.ncalc))
        if blank != " ":
            raise Violation("%s: column before the mark holds %r, expected a blank" % (where, blank))
        for nm, val in (("latitude", lat), ("longitude", lon), ("elevation", el), ("azimuth", az),
                        ("range", rng)):
            if val is None:
                raise Violation("%s: %s overflows its field" % (where, nm))
        if not 0.0 <= el <= 90.0:
            raise Violation("%s: elevation %.2f outside [0, 90]" % (where, el))
        if not 0.0 <= az <= 360.0:
            raise Violation("%s: azimuth %.2f outside [0, 360]" % (where, az))
        if not rng > 0.0:
            raise Violation("%s: range %.2f is not positive" % (where, rng))
        if not -90.0 <= lat <= 90.0:
            raise Violation("%s: latitude %.2f outside [-90, 90]" % (where, lat))
        if not 0.0 <= lon <= 360.0:
            raise Violation("%s: longitude %.2f outside [0, 360]" % (where, lon))
        if hgt is not None and not hgt > 0.0:
            raise Violation("%s: height %.2f is not positive" % (where, hgt))
        _, _, stlon, lo, hi = self.st
        # the mark changes at 5 degrees; a printed 5.00 may fall on either side
        if mark not in (lo, hi):
            raise Violation("%s: visibility mark %r is not %r or %r" % (where, mark, lo, hi))
        if el < 5.0 and mark != lo:
            raise Violation("%s: elevation %.2f carries the high mark %r" % (where, el, mark))
        if el > 5.0 and mark != hi:
            raise Violation("%s: elevation %.2f carries the low mark %r" % (where, el, mark))
        if ant not in ("A", "B"):
            raise Violation("%s: antenna mark %r is not A or B" % (where, ant))
        if sh not in ("N", "D"):
            raise Violation("%s: shadow mark %r is not N or D" % (where, sh))
        ista = self.d["ista"]
        if ista in (1, 2) and abs(lon - stlon) > 30.005:
            raise Violation("%s: longitude %.2f is more than 30 degrees from station %d's %.3f"
                            % (where, lon, ista, stlon))
        if ista == 3 and lat < 19.995:
            raise Violation("%s: latitude %.2f is below 20 for station 3" % (where, lat))
        if ista == 4 and lat > -19.995:
            raise Violation("%s: latitude %.2f is above -20 for station 4" % (where, lat))
        self.geometry(t, hgt, lat, lon, el, az, rng, ant, sh, where)
        self.event(k, rev, lat, where)
        return k

    def geometry(self, t, hgt, lat, lon, el, az, rng, ant, sh, where):
        """The look angles must point at the printed sub-satellite point, and
        the two letters must match the Sun unless too close to call."""
        los = line_of_sight(self.frame, el, az)
        up = self.frame[0]
        sat = tuple(RE * up[i] + rng * los[i] for i in range(3))
        r = math.sqrt(dot(sat, sat))
        # what the printed rounding (and single precision) can move the point by
        slack = rng * 1.4e-4 + 0.06 + r * 3e-6
        h, psi = foot_point(*sat)
        glon = math.degrees(math.atan2(sat[1], sat[0])) % 360.0
        ang = math.degrees(slack / r) + 0.006
        if abs(lat - psi) > ang + 0.002:
            raise Violation("%s: latitude %.2f, but elevation, azimuth and range put the satellite over %.3f"
                            % (where, lat, psi))
        if abs(psi) < 89.0 and abs(lon_diff(lon, glon)) > ang / math.cos(math.radians(psi)) + 0.002:
            raise Violation("%s: longitude %.2f, but elevation, azimuth and range put the satellite over %.3f"
                            % (where, lon, glon))
        if hgt is not None and abs(hgt - h) > slack + 0.02:
            raise Violation("%s: height %.2f, but elevation, azimuth and range give %.2f" % (where, hgt, h))
        if hgt is None and h < 9999.995 - slack - 0.02:
            raise Violation("%s: height field overflows for a height of %.2f" % (where, h))
        # Sun and shadow, in the equatorial frame
        g = gst_deg(t)
        sat_i = rot_z(sat, g)
        sun = sun_unit(t)
        z2 = dot(sat_i, sun)
        perp = math.sqrt(max(dot(sat_i, sat_i) - z2 * z2, 0.0))
        margin = slack + r * 1e-3 + 1.0
        lit = None
        if z2 > margin or perp > SHADOW_RADIUS + margin:
            lit = True
        elif z2 < -margin and perp < SHADOW_RADIUS - margin:
            lit = False
        if lit is not None and (sh == "D") != lit:
            raise Violation("%s: shadow mark %s, but the satellite is %s (sunward %.1f km, %.1f km off the axis)"
                            % (where, sh, "sunlit" if lit else "in the Earth's shadow", z2, perp))
        c = dot(rot_z(los, g), sun)
        if abs(c) > 0.003 and (ant == "A") != (c > 0.0):
            raise Violation("%s: antenna mark %s, but the line of sight is %.2f degrees from the Sun"
                            % (where, ant, math.degrees(math.acos(max(-1.0, min(1.0, c))))))

    def event(self, k, rev, lat, where):
        old = self.events.get(k)
        if old is not None:
            if old[0] != rev and None not in (old[0], rev):
                raise Violation("%s: revolution %s at step %d, but %s earlier at the same step"
                                % (where, rev, k + 1, old[0]))
            lat = lat if lat is not None else old[1]
            rev = rev if rev is not None else old[0]
        self.events[k] = (rev, lat, where)

    def revolutions(self):
        """Revolution numbers never fall; each step adds at most one, when the
        latitude turns from negative to non-negative; time bounds the rest."""
        steps = sorted(self.events)
        known = [(k,) + self.events[k] for k in steps if self.events[k][0] is not None]
        for (k1, r1, l1, _), (k2, r2, l2, w2) in zip(known, known[1:]):
            dr = r2 - r1
            if dr < 0:
                raise Violation("%s: revolution number falls from %d to %d" % (w2, r1, r2))
            days = abs((k2 - k1) * self.step) / 86400.0
            limit = min(k2 - k1, int(days * self.rev_rate) + 1)
            if dr > limit:
                raise Violation("%s: revolution number jumps from %d to %d in %d steps" % (w2, r1, r2, k2 - k1))
            if k2 == k1 + 1 and l1 is not None and l2 is not None:
                if l1 <= -0.01 and l2 >= 0.01 and dr != 1:
                    raise Violation("%s: latitude %.2f -> %.2f crosses the equator northward but the "
                                    "revolution number goes %d -> %d" % (w2, l1, l2, r1, r2))
                if (l1 >= 0.01 or l2 <= -0.01) and dr != 0:
                    raise Violation("%s: latitude %.2f -> %.2f does not cross the equator northward but the "
                                    "revolution number goes %d -> %d" % (w2, l1, l2, r1, r2))

    # -- page header ----------------------------------------------------

    def page_header(self, vals, where):
        """vals: PAG, EL1 and EL2 values.  Returns (page, step)."""
        page, y, mo, da, h, mi, s, rev, gh, gm, gs = vals[:11]
        el = vals[11:]
        if None in (page, y, mo, da, h, mi, s, gh, gm, gs):
            raise Violation("%s: a field of the page header overflows" % where)
        try:
            t = dt.datetime(y, mo, da, h, mi, s)
        except ValueError:
            raise Violation("%s: epoch %d/%d/%d %d:%d:%d is not a date-time" % (where, y, mo, da, h, mi, s))
        secs = (t - self.start).total_seconds()
        k = 0 if self.step == 0 else secs / self.step
        if k != int(k) or not 0 <= k < self.ncalc:
            raise Violation("%s: page epoch %s is not a step of the run" % (where, t))
        k = int(k)
        if not (0 <= gh <= 23 and 0 <= gm <= 59 and 0 <= gs <= 59):
            raise Violation("%s: sidereal time %d:%d:%d out of range" % (where, gh, gm, gs))
        want = gst_deg(t) / 15.0 * 3600.0
        got = gh * 3600 + gm * 60 + gs
        if not -0.5 <= (want - got + 43200) % 86400 - 43200 <= 1.5:
            raise Violation("%s: sidereal time %02d:%02d:%02d, expected %s (truncated)"
                            % (where, gh, gm, gs, "%.1f s" % want))
        self.elements(t, el, where)
        self.event(k, rev, None, where)
        return page, k

    def elements(self, t, el, where):
        a, e, incl, argp, raan, manom, raandt, argpdt, mmot, smadt, mmotdt, hp, ha = el
        R = [single(v) for v in self.d["R"]]
        td = (t - to_dt(self.d["epoch"])).total_seconds() / 86400.0

        def near(name, got, want, tol):
            if want != 0.0:
                tol += 0.5 * 10.0 ** (math.floor(math.log10(abs(want))) - 6)  # seven digits shown at most
            if got is not None and abs(got - want) > tol:
                raise Violation("%s: %s %s, expected %.6f (within %.2g)" % (where, name, got, want, tol))

        # both are shown exactly as the deck's values
        if e != float(fmt_f(R[1], 10, 6)):
            raise Violation("%s: eccentricity %s, the deck gives %s" % (where, e, R[1]))
        if smadt != float(fmt_f(R[6], 10, 3)):
            raise Violation("%s: semi-major-axis rate %s, the deck gives %s" % (where, smadt, R[6]))
        near("inclination", incl, R[2], 0.0006)
        near("semi-major axis", a, R[0] + R[6] * td, 0.003 + 3e-7 * R[0] + abs(R[6]) * 1e-4)
        if a is not None:
            near("perigee height", hp, (1.0 - R[1]) * a - 6378.16, 0.003 + 4e-7 * a)
            near("apogee height", ha, (1.0 + R[1]) * a - 6378.16, 0.003 + 4e-7 * a)
        # first-order oblateness rates and mean motion
        J2 = 0.001082628
        p = (1.0 - R[1] ** 2) * R[0] / 6378.16
        beta = math.sqrt(1.0 - R[1] ** 2)
        si2 = math.sin(math.radians(R[2])) ** 2
        n0 = math.sqrt(398599.0 / R[0] ** 3)
        n1 = n0 * (1.0 + 1.5 * J2 / p ** 2 * beta * (1.0 - 1.5 * si2))
        near("mean motion", mmot, math.degrees(n1) * 60.0, 3e-5 * math.degrees(n1) * 60.0 + 1e-6)
        scale = math.degrees(1.5 * J2 / p ** 2 * n1 * 86400.0)
        if R[7] != 0.0:
            near("node rate", raandt, R[7], 2e-6 + 3e-7 * abs(R[7]))
        else:
            near("node rate", raandt, -scale * math.cos(math.radians(R[2])), 0.01 * scale + 1e-5)
        if R[8] != 0.0:
            near("perigee rate", argpdt, R[8], 2e-6 + 3e-7 * abs(R[8]))
        else:
            near("perigee rate", argpdt, scale * (2.0 - 2.5 * si2), 0.01 * scale + 1e-5)
        for nm, got, base, rate in (("argument of perigee", argp, R[4], argpdt),
                                    ("node", raan, R[3], raandt)):
            if got is not None and rate is not None:
                want = base + rate * td
                near(nm, got, want, 0.003 + 6e-7 * abs(td) + 3e-7 * abs(want) + abs(rate) * 5e-5)
        if manom is not None and not -360.0 < manom < 360.0:
            raise Violation("%s: mean anomaly %.3f is not reduced" % (where, manom))
        if R[6] == 0.0:
            near("mean-motion rate", mmotdt, 0.0, 0.0)
        else:
            x = R[0] / 6378.142
            want = math.degrees(-(0.0743666 * 1.5) / math.sqrt(x) / x / x * R[6] / 6378.142)
            near("mean-motion rate", mmotdt, want, 1e-5 + 0.01 * abs(want))


# ---------------------------------------------------------------------------
# The console stream.

NEW_PAGE = b"\r\n\f\r \r"
NEW_LINE = b"\r\n"


def split_console(data):
    """Records as (control, shown text, byte offset)."""
    recs = []
    i = 0
    ctl = " "
    if data.startswith(NEW_PAGE):
        ctl, i = "1", len(NEW_PAGE)
    while True:
        j = data.find(b"\r", i)
        text = data[i:] if j < 0 else data[i:j]
        bad = re.search(rb"[\n\f\x00-\x08\x0b-\x1f\x7f-\xff]", text)
        if bad:
            raise Violation("stdout byte %d: unexpected byte %r inside a record" % (i + bad.start(), bad.group()))
        recs.append((ctl, text.decode("ascii"), i))
        if j < 0:
            return recs
        if data.startswith(NEW_PAGE, j):
            ctl, i = "1", j + len(NEW_PAGE)
        elif data.startswith(NEW_LINE, j):
            ctl, i = " ", j + len(NEW_LINE)
        else:
            raise Violation("stdout byte %d: a CR that starts no known motion: %r" % (j, data[j:j + 6]))


def check_console(run, data):
    recs = split_console(data)
    pos = [0]

    def where(n):
        return "stdout line %d" % (n + 1)

    def take(what):
        n = pos[0]
        if n >= len(recs):
            raise Violation("stdout ends after record %d, expected %s" % (n, what))
        pos[0] += 1
        ctl, text, _ = recs[n]
        return n, ctl + text if ctl == "1" else " " + text

    # preamble, exactly as the deck dictates it
    for want in run.preamble():
        n, got = take("the preamble")
        want = want or " "
        if got != want:
            col = next((i for i in range(max(len(got), len(want)))
                        if i >= len(got) or i >= len(want) or got[i] != want[i]), 0)
            raise Violation("%s, column %d: expected %r, found %r" % (where(n), col + 1, want, got))
    if run.ncalc <= 0:
        if pos[0] != len(recs):
            raise Violation("%s: a run of no steps writes nothing after the run header" % where(pos[0]))
        return

    tmpl = {k: format_records(FMT[k]) for k in ("PAG", "EL1", "EL2", "CH1", "CH2", "CON")}
    header = tmpl["PAG"] + tmpl["EL1"] + tmpl["EL2"] + tmpl["CH1"] + tmpl["CH2"]
    assert len(header) == HEADER_RECORDS
    pages = []  # (page number, step that started it, counted lines, last two kinds)
    lines = []  # (step, blank before it)
    while pos[0] < len(recs):
        n0 = pos[0]
        if recs[n0][0] != "1":
            raise Violation("%s: expected a new page, found %r" % (where(n0), recs[n0][1]))
        vals = []
        for el in header:
            n, got = take("the page header")
            if n > n0 and recs[n][0] == "1":
                raise Violation("%s: a new page inside the page header" % where(n))
            vals += parse_record(got, el, where(n))
        page, k = run.page_header(vals, where(n0 + 4))
        counted, kinds, blank = 0, [], False
        while pos[0] < len(recs) and recs[pos[0]][0] != "1":
            n, got = take("")
            if got == " ":
                if blank:
                    raise Violation("%s: two blank lines in a row" % where(n))
                blank = True
                kinds.append("blank")
            else:
                v = parse_record(got, tmpl["CON"][0], where(n))
                step = run.data_line(v, where(n))
                if lines and step <= lines[-1][0]:
                    raise Violation("%s: step %d comes after step %d" % (where(n), step + 1, lines[-1][0] + 1))
                continuing = bool(lines) and lines[-1][0] == step - 1
                if continuing and blank:
                    raise Violation("%s: a blank line inside a pass (the step before was visible)" % where(n))
                if not continuing and not blank:
                    raise Violation("%s: no blank line before the first line of a pass" % where(n))
                lines.append((step, blank))
                blank = False
                kinds.append("data")
            counted += 1
        if blank:
            raise Violation("%s: a blank line that opens no pass" % where(pos[0] - 1))
        pages.append((page, k, counted, kinds, n0))

    # pages: numbered from 1; each starts at the step after its predecessor filled
    expect = expected_page_starts(lines, run.ncalc)
    for i, (page, k, counted, kinds, n0) in enumerate(pages):
        if page != i + 1:
            raise Violation("%s: page %s, expected %d" % (where(n0 + 3), page, i + 1))
        if counted > LINES_PER_PAGE + 1:
            raise Violation("%s: page %d holds %d counted lines, at most 48" % (where(n0), page, counted))
        if i + 1 < len(pages) and counted not in (LINES_PER_PAGE, LINES_PER_PAGE + 1):
            raise Violation("%s: page %d holds %d counted lines before the next page, expected 47 or 48"
                            % (where(n0), page, counted))
        if counted == LINES_PER_PAGE + 1 and kinds[-2:] != ["blank", "data"]:
            raise Violation("%s: page %d holds 48 lines without ending on a new pass" % (where(n0), page))
    if [p[1] for p in pages] != expect:
        got = [p[1] + 1 for p in pages]
        want = [k + 1 for k in expect]
        raise Violation("stdout: pages start at steps %s, expected %s" % (_short(got), _short(want)))
    lo, hi = run.expected_start_rev()
    rev1 = run.events[0][0]
    if rev1 is not None and not lo <= rev1 <= hi:
        raise Violation("%s: revolution number %d at the start, expected %s" %
                        (where(pages[0][4] + 4), rev1, lo if lo == hi else "%d to %d" % (lo, hi)))
    run.revolutions()


def _short(v):
    return str(v) if len(v) < 12 else str(v[:10])[:-1] + ", ...]"


def expected_page_starts(lines, ncalc):
    """Steps that start pages, replaying the line count from the data lines."""
    starts = [0]
    left = 46
    for step, blank in lines:
        left -= 2 if blank else 1
        if left < 0 and step + 1 < ncalc:
            starts.append(step + 1)
            left = 46
    return starts


# ---------------------------------------------------------------------------
# KESTAD.DAT.

def check_file(run, data):
    if not data:
        return
    if not data.endswith(b"\r\n"):
        raise Violation("KESTAD.DAT: the last line does not end with CR LF")
    tmpl = format_records(FMT["FIL"])[0]
    last = None
    for n, raw in enumerate(data[:-2].split(b"\r\n")):
        where = "KESTAD.DAT line %d" % (n + 1)
        if re.search(rb"[\r\n\x00-\x1f\x7f-\xff]", raw):
            raise Violation("%s: stray control or non-ASCII byte" % where)
        v = parse_record(raw.decode("ascii"), tmpl, where)
        k = run.data_line(v, where)
        if last is not None and k <= last:
            raise Violation("%s: step %d comes after step %d" % (where, k + 1, last + 1))
        last = k
    run.revolutions()


# ---------------------------------------------------------------------------

def check(deck_path, stdout_path, dat_path=None):
    """check_output() on the files of a run; dat_path names where KESTAD.DAT
    would be."""
    with open(deck_path, newline="") as f:
        text = f.read()
    with open(stdout_path, "rb") as f:
        out = f.read()
    dat = None
    if dat_path and os.path.exists(dat_path):
        with open(dat_path, "rb") as f:
            dat = f.read()
    check_output(text, out, dat, os.path.basename(deck_path))


def check_output(deck_text, out, dat, name="deck"):
    """Checks what one run wrote: out the console bytes, dat the bytes of
    KESTAD.DAT or None when the run left none."""
    run = Run(parse_deck(deck_text, name))
    for nm, blob in (("stdout", out), ("KESTAD.DAT", dat or b"")):
        m = re.search(rb"(?i)(?<![a-z])(nan|inf)", blob)
        if m:
            raise Violation("%s byte %d: %r" % (nm, m.start(), blob[max(0, m.start() - 20):m.end() + 20]))
    iout = run.d["iout"]
    if iout == 8:
        if dat is None:
            raise Violation("output choice 8 but no KESTAD.DAT")
        if out:
            raise Violation("output choice 8 but stdout holds %d bytes: %r" % (len(out), out[:60]))
        check_file(run, dat)
    else:
        if dat is not None:
            raise Violation("output choice %d but a KESTAD.DAT was written" % iout)
        if iout == 6:
            check_console(run, out)
        elif out:
            raise Violation("output choice %d but stdout holds %d bytes: %r" % (iout, len(out), out[:60]))


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--deck", required=True)
    p.add_argument("--stdout", required=True)
    p.add_argument("--dat")
    a = p.parse_args(argv)
    try:
        check(a.deck, a.stdout, a.dat)
    except Violation as e:
        print("%s: %s" % (os.path.basename(a.deck), e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
