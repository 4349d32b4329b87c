"""Writing decks and running talik on one in a fresh directory: the one way
the Python tests do both.

deck() writes a deck from named fields, starting from a plain deck (a low
orbit seen from MADRID, the report going to KESTAD.DAT); run() runs talik
on a deck's text, built so or raw, and run_file() on a copy of a deck
file, each in a directory of its own, and give back what the run left (a
Result).
"""

import dataclasses
import functools
import os
import shutil
import subprocess
import tempfile

REPORT = "KESTAD.DAT"
DECK_NAME = "case.deck"
TIMEOUT = 30  # s, for one run unless the caller says otherwise

# The plain deck, field by field.
IOUT = " 8"
RUN = ["1995", "6", "15", "0", "0", "0", "60", "1440", "6"]
EPOCH = ["1995", "6", "14", "12", "0", "0", "12345"]
ELEMENTS = ["6878.0", "0.0010", "51.60", "100.00", "30.00", "45.00"]
RATES = ["-0.0500", "0.0", "0.0", "15.2200", "0.0"]

# Width of the fields of records 2 to 5.
WIDTH = {2: 5, 3: 5, 4: 10, 5: 10}


def deck(iout=IOUT, run=None, epoch=None, elements=None, rates=None, change=None, end="\n", layout=str.rjust):
    """The plain deck as text, with whole records or single fields changed.

    iout is record 1 as it stands; run, epoch, elements and rates replace
    the field values of records 2 to 5; change maps (record, field) to the
    field's text, fields counted from 1, e.g. {(2, 9): "0"} puts station 0
    in the run line.  layout(text, width) lays a value out in its field
    (right-justified: a value as wide as its field or wider stands as it
    is).  end ends every record."""
    records = [list(run or RUN), list(epoch or EPOCH), list(elements or ELEMENTS), list(rates or RATES)]
    for (rec, fld), text in (change or {}).items():
        records[rec - 2][fld - 1] = text
    lines = [iout] + ["".join(layout(v, WIDTH[rec]) for v in values) for rec, values in enumerate(records, 2)]
    return end.join(lines) + end


@dataclasses.dataclass
class Result:
    """What one run of talik gave and left behind."""
    status: int | None  # exit status; None when the run was stopped at its time limit
    stdout: bytes
    stderr: bytes
    report: bytes | None  # KESTAD.DAT afterwards, None when there is no such file
    left: list[str]  # names in the work directory afterwards, sorted
    timed_out: bool
    deck: bytes | None  # the deck as written, None when none was
    name: str  # the deck's file name
    home: str | None = None  # the work directory, when the run was asked to keep it

    def discard(self):
        """Removes the work directory of a run that kept it."""
        if self.home is not None:
            shutil.rmtree(self.home, ignore_errors=True)

    def save(self, where):
        """Writes the deck, the console, stderr and KESTAD.DAT into where,
        to look at a failing run afterwards."""
        os.makedirs(where, exist_ok=True)
        files = {self.name: self.deck, "stdout": self.stdout, "stderr": self.stderr, REPORT: self.report}
        for name, data in files.items():
            if data is not None:
                _write(os.path.join(where, name), data)


def run(talik, text, name=DECK_NAME, before=None, setup=None, workdir=None, arg=None, prefix=(), timeout=TIMEOUT,
        keep=False):
    """Runs talik on a deck in a fresh directory, removed afterwards, with
    an empty standard input.

    text: the deck (str, written as Latin-1, or bytes), written as name;
    None writes no deck.  before: bytes of a KESTAD.DAT present before the
    run.  setup: a function called with the work directory before the run.
    arg: the argument to give instead of the deck's name.  workdir: run
    there instead of in the fresh directory (the deck stays in the fresh
    one and is named by its full path).  prefix: a command that runs talik
    (given as its arguments).  keep: leave the work directory for the caller
    to look at (Result.home), to be removed with Result.discard()."""
    data = text.encode("latin-1") if isinstance(text, str) else text
    home = tempfile.mkdtemp(prefix="talik-run-")
    try:
        if data is not None:
            _write(os.path.join(home, name), data)
        if before is not None:
            _write(os.path.join(home, REPORT), before)
        if setup is not None:
            setup(home)
        if arg is None:
            arg = name if workdir is None else os.path.join(home, name)
        try:
            p = subprocess.run([*prefix, talik, arg], cwd=workdir or home, stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=timeout)
            status, out, err, timed_out = p.returncode, p.stdout, p.stderr, False
        except subprocess.TimeoutExpired as e:
            status, out, err, timed_out = None, e.stdout or b"", e.stderr or b"", True
        path = os.path.join(home, REPORT)
        report = read(path) if os.path.isfile(path) else None
        return Result(status, out, err, report, sorted(os.listdir(home)), timed_out, data, name,
                      home if keep else None)
    finally:
        if not keep:
            shutil.rmtree(home, ignore_errors=True)


@functools.cache
def plain_report(talik):
    """KESTAD.DAT of the plain deck, run once per process; stops the script
    when that deck does not run."""
    r = run(talik, deck())
    if r.status != 0 or not r.report:
        raise SystemExit(f"the plain deck does not run: status {r.status}, {r.stderr!r}")
    return r.report


def run_file(talik, path, **options):
    """run() on a copy of the deck file at path, under the same name."""
    return run(talik, read(path), name=os.path.basename(path), **options)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def _write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def nonfinite(data):
    """True when output shows a value that is not a number."""
    return b"NaN" in data or b"Inf" in data


def first_difference(what, want, got):
    """One paragraph naming the first byte and line where got differs from
    want, with that line as expected and as found."""
    n = min(len(want), len(got))
    i = next((k for k in range(n) if want[k] != got[k]), n)
    line = want.count(b"\n", 0, i) + 1

    def around(data):
        start = data.rfind(b"\n", 0, i) + 1
        ends = [k for k in (data.find(b"\r", i), data.find(b"\n", i)) if k >= 0]
        return data[start:min(ends, default=len(data))][:200]

    return (f"{what} differs at byte {i + 1} (line {line}; {len(want)} bytes expected, {len(got)} found)\n"
            f"  expected: {around(want)!r}\n  found:    {around(got)!r}")


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
