#!/usr/bin/env python3
"""Decks that read well but describe orbits or runs that make little
physical sense.  Each is run with the report on the console and in
KESTAD.DAT: it must either run (status 0) or be refused with one line on
stderr (status 1, a good KESTAD.DAT kept), as the table says, and no value
that is not a number may appear anywhere in what it writes.

usage: sane.py TALIK [CASE...]    run all cases, or the ones named
       sane.py --list             the names of the cases
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402
from talikrun import deck  # noqa: E402

RUNS, REFUSED = 0, 1
KEPLER = b"DID NOT CONVERGE (SUB. KEPLER)  ERROR ="


class Case:
    def __init__(self, name, outcome, **change):
        self.name = name
        self.outcome = outcome
        self.change = change  # deck() arguments besides iout

    def text(self, iout):
        return deck(iout=iout, **self.change)


AT_EPOCH = ["1995", "6", "14", "12", "0", "0", "60", "1", "6"]  # one step, at the epoch

CASES = [
    Case("perigee-a-little-under-the-surface", RUNS, change={(4, 1): "6400.0", (4, 2): "0.01"}),
    Case("perigee-deep-inside-the-earth", RUNS, change={(4, 1): "7000.0", (4, 2): "0.97"}),
    Case("perigee-at-the-limit", RUNS, change={(4, 1): "400.0", (4, 2): "0.75", (5, 1): "0.0"}),
    Case("whole-orbit-inside-the-earth", RUNS, change={(4, 1): "3000.0", (5, 4): "50.0"}),
    Case("semi-major-axis-just-below-the-limit", RUNS, change={(4, 1): "999999.0", (4, 2): "0.9"}),
    Case("geostationary", RUNS, change={(4, 1): "42164.0", (4, 2): "0.0", (4, 3): "0.0", (5, 1): "0.0",
                                        (5, 4): "1.0027"}, run=["1995", "6", "15", "0", "0", "0", "600", "144", "8"]),
    Case("eccentricity-just-below-1", RUNS, change={(4, 1): "999999.0", (4, 2): "0.9999"}),
    Case("eccentricity-high-kepler-struggles", RUNS, change={(4, 1): "40000.0", (4, 2): "0.99", (4, 6): "0.5"}),
    Case("rates-at-their-limits", RUNS, run=AT_EPOCH, change={(5, 1): "-1E6", (5, 2): "1E6", (5, 3): "-1E6"}),
    Case("rates-large-over-a-day", RUNS, change={(5, 2): "9999.0", (5, 3): "-9999.0", (5, 1): "1000.0"}),
    Case("decay-fast-but-above-the-limit", RUNS, change={(5, 1): "-4400.0"}),
    Case("growth-fast", RUNS, change={(5, 1): "50000.0"}),
    Case("mean-motion-huge", RUNS, change={(5, 4): "1E6"}),
    Case("mean-motion-negative", RUNS, change={(5, 4): "-1E6"}),
    Case("mean-motion-zero", RUNS, change={(5, 4): "0.0"}),
    Case("revolution-number-just-below-the-limit", RUNS, change={(5, 4): "4.29e9"}),
    Case("angles-huge", RUNS, change={(4, 3): "1E30", (4, 4): "-3E38", (4, 5): "3E38", (4, 6): "3E38"}),
    Case("angles-negative", RUNS, change={(4, 3): "-51.6", (4, 4): "-100.0", (4, 5): "-30.0", (4, 6): "-45.0"}),
    Case("inclination-polar", RUNS, change={(4, 3): "90.0"}),
    Case("inclination-retrograde", RUNS, change={(4, 3): "180.0"}),
    Case("tiny-values", RUNS, change={(4, 2): "1E-40", (4, 3): "1E-40", (5, 1): "-1E-40", (5, 2): "1E-40"}),
    Case("step-zero", RUNS, change={(2, 7): "0"}),
    Case("steps-none", RUNS, change={(2, 8): "0"}),
    Case("steps-negative", RUNS, change={(2, 8): "-99"}),
    Case("step-longest", RUNS, run=["1995", "1", "1", "0", "0", "0", "32767", "1000", "5"]),
    Case("step-longest-backward", RUNS, run=["1995", "12", "31", "0", "0", "0", "-9999", "3000", "5"]),
    Case("steps-most", RUNS, run=["1995", "6", "15", "0", "0", "0", "1", "99999", "5"]),
    Case("window-last-step-on-the-edge", RUNS, run=["1995", "12", "31", "23", "0", "0", "3600", "841", "6"]),
    Case("window-first-day-backward", RUNS, run=["1995", "1", "1", "0", "0", "0", "-3600", "937", "6"]),
    Case("epoch-32767-days-before", RUNS, epoch=["1905", "9", "28", "0", "0", "0", "1"],
         change={(5, 1): "0.0", (5, 4): "0.01"}),
    Case("start-in-the-last-year", RUNS, run=["9999", "12", "30", "0", "0", "0", "3600", "48", "5"],
         epoch=["9999", "12", "30", "0", "0", "0", "1"], change={(5, 1): "0.0"}),
    Case("start-in-the-first-year-backward", RUNS, run=["1901", "1", "2", "0", "0", "0", "-3600", "900", "5"],
         epoch=["1901", "1", "1", "0", "0", "0", "1"], change={(5, 1): "0.0"}),
    Case("nothing-but-blanks-after-the-output-choice", REFUSED, run=[""] * 9),
    Case("decay-to-nothing", REFUSED, change={(5, 1): "-6000.0"}),
    Case("perigee-inside-the-limit", REFUSED, change={(4, 1): "399.9", (4, 2): "0.75"}),
]

OUTPUTS = {"console": " 6", "file": " 8", "nowhere": " 7"}


def names():
    return [f"{c.name}.{o}" for c in CASES for o in OUTPUTS]


def check(talik, name, good):
    case_name, output = name.rsplit(".", 1)
    case = next(c for c in CASES if c.name == case_name)
    iout = OUTPUTS[output]
    r = talikrun.run(talik, case.text(iout), before=good)
    problems = []
    if r.timed_out:
        return [f"no end within {talikrun.TIMEOUT} s"]
    if talikrun.nonfinite(r.stdout):
        problems.append("the console shows NaN or Inf")
    if r.report is not None and talikrun.nonfinite(r.report):
        problems.append("KESTAD.DAT shows NaN or Inf")
    if case.outcome == RUNS:
        if r.status != 0 or r.stderr:
            problems.append(f"refused: status {r.status}, {r.stderr!r}")
        if iout == " 8" and r.report == good and good is not None and r.report is not None and not r.report:
            problems.append("KESTAD.DAT kept its old contents")
        if iout != " 8" and r.report != good:
            problems.append("KESTAD.DAT changed by a run that does not write it")
        if iout != " 6" and r.stdout.replace(b"\r\n", b"\n").strip(b"\n"):
            # only the propagator's own message may appear
            stray = [x for x in r.stdout.replace(b"\r\n", b"\n").split(b"\n")
                     if x and not x.startswith(KEPLER)]
            if stray:
                problems.append(f"console output from a run that does not write there: {stray[0][:200]!r}")
    else:
        lines = r.stderr.decode("latin-1").splitlines()
        if r.status != 1 or len(lines) != 1 or not lines[0].startswith(f"talik: {talikrun.DECK_NAME}: record "):
            problems.append(f"not refused with one line: status {r.status}, {r.stderr!r}")
        if r.report != good:
            problems.append("KESTAD.DAT changed by a refused run")
    if r.left != ["KESTAD.DAT", talikrun.DECK_NAME]:
        problems.append(f"the directory holds {r.left}")
    return problems


def main(argv):
    if argv[1:] == ["--list"]:
        print("\n".join(names()))
        return 0
    talik = os.path.abspath(argv[1])
    wanted = argv[2:] or names()
    unknown = [w for w in wanted if w not in names()]
    if unknown:
        print("no such case:", *unknown)
        return 2
    good = talikrun.plain_report(talik)
    return talikrun.tally((name, check(talik, name, good)) for name in wanted)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
