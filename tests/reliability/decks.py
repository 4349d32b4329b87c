"""Shared helpers of the reliability checks: building decks field by field
and running talik on one in a fresh directory."""

import os
import shutil
import subprocess
import tempfile

# The plain deck every case starts from: a low orbit seen from MADRID, the
# report going to KESTAD.DAT.
IOUT = " 8"
RUN = ["1995", "6", "15", "0", "0", "0", "60", "1440", "6"]
EPOCH = ["1995", "6", "14", "12", "0", "0", "12345"]
ELEMENTS = ["6878.0", "0.0010", "51.60", "100.00", "30.00", "45.00"]
RATES = ["-0.0500", "0.0", "0.0", "15.2200", "0.0"]

# Records of the deck and the width of their fields.
WIDTH = {2: 5, 3: 5, 4: 10, 5: 10}
NAMES = ("IOUT", "RUN", "EPOCH", "ELEMENTS", "RATES")

DECK_NAME = "case.deck"
REPORT = "KESTAD.DAT"
TIMEOUT = 30


def fields(values, width):
    """Fields right-justified in their columns; a value as wide as its
    field or wider is taken as it stands."""
    return "".join(v.rjust(width) for v in values)


def deck(iout=IOUT, run=None, epoch=None, elements=None, rates=None, change=None, end="\n"):
    """The plain deck as text, with whole records or single fields changed.

    change maps (record, field) to the field's text, fields counted from 1,
    e.g. {(2, 9): "0"} puts station 0 in the run line."""
    records = [list(run or RUN), list(epoch or EPOCH), list(elements or ELEMENTS), list(rates or RATES)]
    for (rec, fld), text in (change or {}).items():
        records[rec - 2][fld - 1] = text
    lines = [iout] + [fields(r, WIDTH[i + 2]) for i, r in enumerate(records)]
    return end.join(lines) + end


class Result:
    def __init__(self, status, stdout, stderr, report, left, timed_out):
        self.status = status
        self.stdout = stdout
        self.stderr = stderr
        self.report = report  # bytes of KESTAD.DAT afterwards, or None
        self.left = left  # names in the work directory afterwards
        self.timed_out = timed_out


def run(talik, text, before=None, setup=None, workdir=None, deck_path=None, prefix=()):
    """Runs talik on a deck in a fresh directory.

    text: the deck's bytes (str or bytes), written as case.deck; None writes
    no deck.  before: bytes of a KESTAD.DAT present before the run.  setup:
    a function called with the work directory before the run.  deck_path:
    the argument to give instead of case.deck.  workdir: run there instead
    of in the fresh directory (the deck stays in the fresh one).  prefix: a
    command that runs talik (given as its arguments)."""
    home = tempfile.mkdtemp(prefix="talik-rel-")
    try:
        arg = DECK_NAME
        if text is not None:
            data = text.encode("latin-1") if isinstance(text, str) else text
            with open(os.path.join(home, DECK_NAME), "wb") as f:
                f.write(data)
        if before is not None:
            with open(os.path.join(home, REPORT), "wb") as f:
                f.write(before)
        if setup is not None:
            setup(home)
        if deck_path is not None:
            arg = deck_path
        cwd = workdir or home
        if workdir is not None and arg == DECK_NAME:
            arg = os.path.join(home, DECK_NAME)
        timed_out = False
        try:
            p = subprocess.run([*prefix, talik, arg], cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True,
                               timeout=TIMEOUT)
            status, out, err = p.returncode, p.stdout, p.stderr
        except subprocess.TimeoutExpired as e:
            timed_out = True
            status, out, err = None, e.stdout or b"", e.stderr or b""
        report = None
        path = os.path.join(home, REPORT)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                report = f.read()
        left = sorted(os.listdir(home))
        return Result(status, out, err, report, left, timed_out)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def nonfinite(data):
    """True when a report shows a value that is not a number."""
    return b"NaN" in data or b"Inf" in data


def tally(results):
    """Prints each failing or skipped result and the closing count line;
    returns the exit status (77, "skipped", when nothing ran at all).
    Each result is (label, problems) or (label, problems, why_skipped)."""
    passed = failed = skipped = 0
    for label, problems, *skip in results:
        if skip and skip[0]:
            print(f"SKIP {label}: {skip[0]}")
            skipped += 1
        elif problems:
            print(f"FAIL {label}")
            for p in problems:
                print("   " + p)
            failed += 1
        else:
            passed += 1
    print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
    if failed:
        return 1
    return 77 if skipped and not passed else 0
