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
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, HERE)

import check_report  # noqa: E402
import gen_decks  # noqa: E402

SEED = "talik-corpus-1"
COUNT = 60
MAX_STEPS = 5000
DEFAULT_DIR = os.path.join(os.path.dirname(HERE), "corpus", "decks")


def run(talik, deck, work):
    """Runs talik on deck inside work; returns (stdout bytes, KESTAD.DAT bytes or None)."""
    r = subprocess.run([talik, os.path.abspath(deck)], cwd=work, stdin=subprocess.DEVNULL,
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
    if r.returncode != 0 or r.stderr:
        raise RuntimeError("%s: exit status %d, stderr %r" % (os.path.basename(deck), r.returncode, r.stderr[:300]))
    dat = os.path.join(work, "KESTAD.DAT")
    data = None
    if os.path.exists(dat):
        with open(dat, "rb") as f:
            data = f.read()
    return r.stdout, data


def first_difference(what, want, got):
    """One paragraph naming the first byte, line and text where got differs from want."""
    n = min(len(want), len(got))
    i = next((k for k in range(n) if want[k] != got[k]), n)
    line = want.count(b"\n", 0, i) + 1

    def around(b):
        s = b.rfind(b"\n", 0, i) + 1
        e = b.find(b"\r", i)
        e = len(b) if e < 0 else e
        return b[s:e]

    return ("%s differs at byte %d (line %d; %d bytes expected, %d found)\n  expected: %r\n  found:    %r"
            % (what, i, line, len(want), len(got), around(want), around(got)))


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
        deck = os.path.join(where, name + ".deck")
        with open(deck, "w", newline="\n") as f:
            f.write(text)
        with tempfile.TemporaryDirectory(prefix="talik-corpus-") as work:
            out, dat = run(talik, deck, work)
            if check:
                try:
                    check_report.check(deck, _save(work, out), os.path.join(work, "KESTAD.DAT"))
                except check_report.Violation as e:
                    print("%s fails the report check, not recorded: %s" % (name, e), file=sys.stderr)
                    return 1
        with open(os.path.join(where, name + ".out"), "wb") as f:
            f.write(out)
        total += len(out) + len(text)
        if dat is not None:
            with open(os.path.join(where, name + ".dat"), "wb") as f:
                f.write(dat)
            total += len(dat)
    print("recorded %d decks in %s, %.2f MB" % (COUNT, where, total / 1e6))
    return 0


def _save(work, out):
    path = os.path.join(work, "stdout")
    with open(path, "wb") as f:
        f.write(out)
    return path


def compare(talik, where):
    decks = sorted(glob.glob(os.path.join(where, "*.deck")))
    if not decks:
        print("no decks in %s" % where, file=sys.stderr)
        return 1
    bad = 0
    for deck in decks:
        name = os.path.basename(deck)[:-5]
        base = deck[:-5]
        with open(base + ".out", "rb") as f:
            want_out = f.read()
        want_dat = None
        if os.path.exists(base + ".dat"):
            with open(base + ".dat", "rb") as f:
                want_dat = f.read()
        with tempfile.TemporaryDirectory(prefix="talik-corpus-") as work:
            try:
                out, dat = run(talik, deck, work)
            except (RuntimeError, subprocess.TimeoutExpired) as e:
                print("DIFF %s: %s" % (name, e))
                bad += 1
                continue
        problems = []
        if out != want_out:
            problems.append(first_difference("console output", want_out, out))
        if want_dat is None and dat is not None:
            problems.append("KESTAD.DAT written, none expected")
        elif want_dat is not None and dat is None:
            problems.append("no KESTAD.DAT written")
        elif want_dat is not None and dat != want_dat:
            problems.append(first_difference("KESTAD.DAT", want_dat, dat))
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
