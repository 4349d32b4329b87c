#!/usr/bin/env python3
"""Writes valid, reproducible talik input decks.

    gen_decks.py --seed S --count N --out DIR [--max-steps M] [--min-steps L]
                 [--iout 6|8|7|mixed]

Deck i (1-based) is DIR/deck-0000i.deck and depends only on the seed and i,
so a larger --count extends a smaller one.  Every deck keeps all its steps
from 39 days before to 399 days after 1 January of its start year (the span
the Sun table covers), its perigee at 6600 km or more, and a decay too slow
to bring the perigee below 6500 km before the last step.

Layout: record 1 "(i2)" the output choice; record 2 "(16I5)" start year,
month, day, hour, minute, second, step (s), number of steps, station;
records 3-5 "(7I5/6F10.0/5F10.0)" epoch and revolution number, the six
elements (km, -, deg), then the semi-major-axis rate (km/day), node and
perigee rates (deg/day, 0 = derived), mean motion (rev/day), unused field.
"""

import argparse
import datetime as dt
import math
import os
import random
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import talikrun  # noqa: E402

DAY = 86400
FIRST_DAY = -39  # whole days from 1 January: first and last day a step may fall on
LAST_DAY = 399
MU = 398600.4418  # km^3/s^2, only to make the mean motion match the axis
MIN_PERIGEE = 6600.0
MIN_DECAYED_PERIGEE = 6500.0

# Steps every generator run should meet now and then.  The run line's I5
# field cannot hold -32767; -9999 is the longest backward step it can carry.
SPECIAL_STEPS = [150, -90, 1, 3600, -3600, 32767, -9999]
TYPICAL_STEPS = [10, 15, 20, 30, 45, 60, 60, 60, 90, 120, 180, 300, 600, 900, 1800]
MAX_BACK_STEP = 9999


def jan1(year):
    return dt.datetime(year, 1, 1)


def year_seconds(year):
    return (jan1(year + 1) - jan1(year)).days * DAY


def pick_step(rng):
    if rng.random() < 0.18:
        return rng.choice(SPECIAL_STEPS)
    if rng.random() < 0.3:
        mag = rng.randint(1, 1200)
    else:
        mag = rng.choice(TYPICAL_STEPS)
    return mag if rng.random() < 0.7 else -mag


def pick_ncalc(rng, min_steps, max_steps):
    r = rng.random()
    if r < 0.03 and min_steps == 0:
        return 0
    lo = max(1, min_steps)
    if r < 0.5:
        return rng.randint(lo, max_steps)
    # log-uniform: plenty of short runs too
    return min(max_steps, max(lo, int(math.exp(rng.uniform(math.log(lo), math.log(max_steps + 1))))))


def start_range(step, ncalc, ylen):
    """Offsets (s from 1 January) a run may start at, inclusive, or None."""
    span = max(ncalc - 1, 0) * abs(step)
    lo, hi = 0, ylen - 1
    if step > 0:
        hi = min(hi, (LAST_DAY + 1) * DAY - 1 - span)
    elif step < 0:
        lo = max(lo, span + FIRST_DAY * DAY)
    return (lo, hi) if lo <= hi else None


def max_ncalc(step, ylen):
    if step > 0:
        return ((LAST_DAY + 1) * DAY - 1) // step + 1
    if step < 0:
        return (ylen - 1 - FIRST_DAY * DAY) // -step + 1
    return 1 << 30


def edge_run(rng, step, max_steps, ylen):
    """A step, step count and start offset whose last step lands on the
    window's first or last day, or None when the step count cannot reach."""
    if max_steps < 2:
        return None
    if step > 0:
        last = LAST_DAY * DAY + rng.randint(0, DAY - 1)
        need = last - (ylen - 1)  # shortest span that still starts in the year
        if need > (max_steps - 1) * step:
            step = min(32767, -(-need // (max_steps - 1)))
        lo_n = max(2, -(-need // step) + 1)
        hi_n = min(max_steps, last // step + 1)
    else:
        last = FIRST_DAY * DAY + rng.randint(0, DAY - 1)
        need = -last
        if need > (max_steps - 1) * -step:
            step = -min(MAX_BACK_STEP, -(-need // (max_steps - 1)))
        lo_n = max(2, -(-need // -step) + 1)
        hi_n = min(max_steps, (ylen - 1 - last) // -step + 1)
    if lo_n > hi_n:
        return None
    ncalc = rng.randint(lo_n, hi_n)
    start = last - (ncalc - 1) * step
    if not 0 <= start < ylen:
        return None
    return step, ncalc, start


def pick_orbit(rng):
    kind = rng.choices(["leo", "meo", "heo", "high"], weights=[50, 20, 20, 10])[0]
    if kind == "leo":
        a = rng.uniform(6650.0, 8000.0)
        emax = min(0.05, 1.0 - MIN_PERIGEE / a)
        e = 0.0 if rng.random() < 0.15 else rng.uniform(0.0, emax)
    elif kind == "meo":
        a = rng.uniform(8000.0, 30000.0)
        e = rng.uniform(0.0, min(0.3, 1.0 - MIN_PERIGEE / a))
    elif kind == "heo":
        a = rng.uniform(20000.0, 42000.0)
        e = rng.uniform(0.3, min(0.75, 1.0 - MIN_PERIGEE / a))
    else:
        a = rng.uniform(30000.0, 42000.0)
        e = rng.uniform(0.0, 0.01)
    # the deck holds a to 3 decimals and e to 7; keep the perigee rule on the written values
    a = round(a, 3)
    e = math.floor(e * 1e7) / 1e7
    return kind, a, e


def pick_inclination(rng):
    r = rng.random()
    if r < 0.08:
        return rng.choice([0.0, 90.0, 180.0, 63.4349, 28.5, 51.6, 98.2, 116.6])
    return rng.uniform(0.0, 180.0)


def pick_rate(rng):
    if rng.random() < 0.6:
        return 0.0  # derived by the propagator
    v = 0.0
    while abs(v) < 1e-4:
        v = rng.uniform(-5.0, 5.0)
    return round(v, 6)


def pick_smadt(rng, a, e, worst_days):
    """0, or a small decay that keeps the perigee above 6500 km for
    worst_days days after the epoch."""
    if rng.random() < 0.5:
        return 0.0
    room = a - MIN_DECAYED_PERIGEE / (1.0 - e)
    bound = min(1.0, 0.9 * room / max(worst_days, 1.0))
    if bound < 0.001:
        return 0.0
    return -round(math.exp(rng.uniform(math.log(0.001), math.log(bound))), 5)


def mean_motion(a):
    """Revolutions per day of an unperturbed orbit of axis a (km)."""
    return math.sqrt(MU / a**3) * DAY / (2.0 * math.pi)


def fit(text, width):
    """text, which must fit a field of width columns."""
    if len(text) > width:
        raise ValueError("%s does not fit a field of %d columns" % (text, width))
    return text


def i5(*vals):
    return [fit("%d" % v, 5) for v in vals]


def f10(v, d):
    return fit("%.*f" % (d, v), 10)


def make_deck(rng, max_steps=2000, min_steps=0, iout="mixed", station=None):
    """Returns (deck text, dict of the chosen values)."""
    if iout == "mixed":
        iout_v = rng.choices([6, 8, 7], weights=[45, 45, 10])[0]
    else:
        iout_v = int(iout)
    ista = station if station is not None else rng.randint(1, 8)
    year = rng.randint(1960, 2040)
    ylen = year_seconds(year)

    step = pick_step(rng)
    plan = None
    edge = rng.random() < 0.1
    if edge:
        plan = edge_run(rng, step, max_steps, ylen)
    if plan is None:
        edge = False
        ncalc = pick_ncalc(rng, min_steps, max_steps)
        ncalc = min(ncalc, max_ncalc(step, ylen))
        lo, hi = start_range(step, ncalc, ylen)
        plan = (step, ncalc, rng.randint(lo, hi))
    step, ncalc, start_off = plan
    start = jan1(year) + dt.timedelta(seconds=start_off)
    last = start + dt.timedelta(seconds=max(ncalc - 1, 0) * step)
    days = (last - jan1(year)).days  # floor, like whole days from 1 January
    assert FIRST_DAY <= days <= LAST_DAY, (start, last)

    epoch = start + dt.timedelta(seconds=rng.randint(-60 * DAY, 60 * DAY))
    kind, a, e = pick_orbit(rng)
    incl = pick_inclination(rng)
    raan, argp, manom = (round(rng.uniform(0.0, 360.0), 4) for _ in range(3))
    if raan >= 360.0:
        raan = 0.0
    raandt, argpdt = pick_rate(rng), pick_rate(rng)
    worst = max((start - epoch).total_seconds(), (last - epoch).total_seconds(), 0.0) / DAY
    smadt = pick_smadt(rng, a, e, worst)
    mm = mean_motion(a)
    rev = rng.choice([0, rng.randint(0, 999), rng.randint(0, 99999), rng.randint(0, 99999)])

    text = talikrun.deck(
        iout=fit("%2d" % iout_v, 2),
        run=i5(start.year, start.month, start.day, start.hour, start.minute, start.second, step, ncalc, ista),
        epoch=i5(epoch.year, epoch.month, epoch.day, epoch.hour, epoch.minute, epoch.second, rev),
        elements=[f10(a, 3), f10(e, 7), f10(incl, 4), f10(raan, 4), f10(argp, 4), f10(manom, 4)],
        rates=[f10(smadt, 5), f10(raandt, 6), f10(argpdt, 6), f10(mm, 6), f10(0.0, 1)])
    info = dict(iout=iout_v, station=ista, step=step, ncalc=ncalc, start=start, last=last,
                orbit=kind, sma=a, ecc=e, edge=edge)
    return text, info


def deck_rng(seed, index):
    return random.Random("talik-deck:%s:%d" % (seed, index))


def station_for(seed, index):
    """Station of deck `index`: every block of eight decks visits all eight."""
    block = random.Random("talik-stations:%s:%d" % (seed, (index - 1) // 8))
    order = list(range(1, 9))
    block.shuffle(order)
    return order[(index - 1) % 8]


def generate(seed, count, out, max_steps=2000, min_steps=0, iout="mixed", prefix="deck"):
    """Writes the decks; returns their paths."""
    os.makedirs(out, exist_ok=True)
    paths = []
    for i in range(1, count + 1):
        text, _ = make_deck(deck_rng(seed, i), max_steps, min_steps, iout, station=station_for(seed, i))
        path = os.path.join(out, "%s-%05d.deck" % (prefix, i))
        with open(path, "w", newline="\n") as f:
            f.write(text)
        paths.append(path)
    return paths


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--seed", required=True)
    p.add_argument("--count", type=int, required=True)
    p.add_argument("--out", required=True)
    p.add_argument("--max-steps", type=int, default=2000)
    p.add_argument("--min-steps", type=int, default=0)
    p.add_argument("--iout", choices=["6", "8", "7", "mixed"], default="mixed")
    a = p.parse_args(argv)
    if a.max_steps < 1 or a.max_steps > 99999 or a.min_steps > a.max_steps or a.min_steps < 0:
        p.error("need 0 <= --min-steps <= --max-steps <= 99999")
    generate(a.seed, a.count, a.out, a.max_steps, a.min_steps, a.iout)
    return 0


if __name__ == "__main__":
    sys.exit(main())
