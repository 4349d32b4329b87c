#!/usr/bin/env python3
"""Regression corpus: 60 fixed decks and the exact outputs talik gave for them.

    corpus.py record  --talik PATH [--dir DIR] [--no-check]
    corpus.py compare --talik PATH [--dir DIR]

record   regenerates the decks (fixed seed; every station; output choices 6
         and 8 in turn; low to highly elliptic orbits; up to 5000 steps) in
         DIR (default tests/corpus/decks), runs talik on each and stores the
         console bytes as NAME.out and KESTAD.DAT as NAME.dat (choice 8).
         Each run must first pass check_report.py unless --no-check.
compare  runs talik on every stored deck and compares both outputs byte for
         byte with the stored ones, printing the first difference of each
         deck that differs.  Exits 1 when any deck differs.

Re-record only when an output has changed for a reason that is understood.
"""

import argparse
import glob
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, HERE)

import check_report  # noqa: E402
import gen_decks  # noqa: E402
import talikrun  # noqa: E402

SEED = "talik-corpus-1"
COUNT = 60
MAX_STEPS = 5000
TIMEOUT = 300  # s, for one run
DEFAULT_DIR = os.path.join(os.path.dirname(HERE), "corpus", "decks")


def run(talik, deck_text, name):
    """Runs talik on the deck; the run, which must end with status 0 and a
    silent stderr."""
    r = talikrun.run(talik, deck_text, name=name + ".deck", timeout=TIMEOUT)
    if r.timed_out:
        raise RuntimeError("%s: no end within %d s" % (name, TIMEOUT))
    if r.status != 0 or r.stderr:
        raise RuntimeError("%s: exit status %d, stderr %r" % (name, r.status, r.stderr[:300]))
    return r


def record(talik, where, check=True):
    os.makedirs(where, exist_ok=True)
    for old in glob.glob(os.path.join(where, "*.deck")) + glob.glob(os.path.join(where, "*.out")) + \
            glob.glob(os.path.join(where, "*.dat")):
        os.remove(old)
    total = 0
    for i in range(1, COUNT + 1):
        text, _ = gen_decks.make_deck(gen_decks.deck_rng(SEED, i), MAX_STEPS, 0, "6" if i % 2 else "8",
                                      station=gen_decks.station_for(SEED, i))
        name = "deck-%05d" % i
        r = run(talik, text, name)
        if check:
            try:
                check_report.check_output(text, r.stdout, r.report, name)
            except check_report.Violation as e:
                print("%s fails the report check, not recorded: %s" % (name, e), file=sys.stderr)
                return 1
        files = {".deck": text.encode("ascii"), ".out": r.stdout, ".dat": r.report}
        for ending, data in files.items():
            if data is not None:
                with open(os.path.join(where, name + ending), "wb") as f:
                    f.write(data)
                total += len(data)
    print("recorded %d decks in %s, %.2f MB" % (COUNT, where, total / 1e6))
    return 0


def compare(talik, where):
    decks = sorted(glob.glob(os.path.join(where, "*.deck")))
    if not decks:
        print("no decks in %s" % where, file=sys.stderr)
        return 1
    bad = 0
    for deck in decks:
        name = os.path.basename(deck)[:-5]
        base = deck[:-5]
        want_out = talikrun.read(base + ".out")
        want_dat = talikrun.read(base + ".dat") if os.path.exists(base + ".dat") else None
        try:
            r = run(talik, talikrun.read(deck), name)
        except RuntimeError as e:
            print("DIFF %s" % e)
            bad += 1
            continue
        problems = []
        if r.stdout != want_out:
            problems.append(talikrun.first_difference("console output", want_out, r.stdout))
        if want_dat is None and r.report is not None:
            problems.append("KESTAD.DAT written, none expected")
        elif want_dat is not None and r.report is None:
            problems.append("no KESTAD.DAT written")
        elif want_dat is not None and r.report != want_dat:
            problems.append(talikrun.first_difference("KESTAD.DAT", want_dat, r.report))
        if problems:
            bad += 1
            print("DIFF %s: %s" % (name, "\n    ".join(problems)))
    print("%d decks compared, %d differ" % (len(decks), bad))
    return 1 if bad else 0


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("mode", choices=["record", "compare"])
    p.add_argument("--talik", required=True)
    p.add_argument("--dir", default=DEFAULT_DIR)
    p.add_argument("--no-check", action="store_true")
    a = p.parse_args(argv)
    talik = os.path.abspath(a.talik)
    if not os.access(talik, os.X_OK):
        print("no talik program at %s" % talik, file=sys.stderr)
        return 2
    if a.mode == "record":
        return record(talik, a.dir, not a.no_check)
    return compare(talik, a.dir)


if __name__ == "__main__":
    sys.exit(main())
