#!/usr/bin/env python3
"""Run one deck and compare what talik wrote with the stored copies.

usage: check_deck.py TALIK DECK EXPECTED_DIR [--update]

The deck is copied into a fresh directory and run there as `talik NAME.deck`
with an empty standard input.  Beside the deck, when present:
  NAME.before  a KESTAD.DAT present before the run (a refused run must keep it)
  NAME.setup   shell commands run in the work directory before the run
Expected, in EXPECTED_DIR:
  NAME.out     the console bytes (standard output), exactly
  NAME.dat     KESTAD.DAT, exactly; when absent, the run must leave no
               KESTAD.DAT behind
  NAME.err     standard error, exactly (when absent: nothing)
  NAME.status  the exit status (when absent: 0)
The run may leave no file but the deck and KESTAD.DAT.

With --update the expected copies are rewritten from this run instead
(review the difference before keeping it).
"""
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import talikrun  # noqa: E402

TIMEOUT = 300  # s, for the run


def optional(path, default=None):
    return talikrun.read(path) if os.path.exists(path) else default


def run(talik, deck):
    base = os.path.splitext(deck)[0]
    before = optional(base + ".before")
    setup = None
    if os.path.exists(base + ".setup"):
        script = os.path.abspath(base + ".setup")
        setup = lambda work: subprocess.run(["sh", script], cwd=work, check=True)  # noqa: E731
    return talikrun.run_file(talik, deck, before=before, setup=setup, timeout=TIMEOUT)


def update(r, expected):
    """Rewrites the expected copies from the run r."""
    copies = {".out": r.stdout, ".dat": r.report, ".err": r.stderr or None,
              ".status": b"%d\n" % r.status if r.status else None}
    for ending, data in copies.items():
        path = expected + ending
        if data is not None:
            with open(path, "wb") as f:
                f.write(data)
        elif os.path.exists(path):
            os.remove(path)


def problems(r, expected):
    """What differs between the run r and the expected copies."""
    if r.timed_out:
        return [f"no end within {TIMEOUT} s"]
    found = []
    want_status = int(optional(expected + ".status", b"0"))
    if r.status != want_status:
        found.append(f"exit status {r.status}, expected {want_status}")
    want_err = optional(expected + ".err", b"")
    if r.stderr != want_err:
        found.append(f"standard error {r.stderr[:300]!r}, expected {want_err[:300]!r}")
    want_out = talikrun.read(expected + ".out")
    if r.stdout != want_out:
        found.append(talikrun.first_difference(f"console output ({expected}.out)", want_out, r.stdout))
    want_dat = optional(expected + ".dat")
    if want_dat is not None and r.report is None:
        found.append("no KESTAD.DAT was written")
    elif want_dat is None and r.report is not None:
        found.append("a KESTAD.DAT was written, none expected")
    elif r.report != want_dat:
        found.append(talikrun.first_difference(f"KESTAD.DAT ({expected}.dat)", want_dat, r.report))
    stray = sorted(set(r.left) - {r.name, talikrun.REPORT})
    if stray:
        found.append(f"files left behind: {stray}")
    return found


def main(argv: list[str]) -> int:
    if len(argv) not in (4, 5) or (len(argv) == 5 and argv[4] != "--update"):
        print(__doc__, file=sys.stderr)
        return 2
    talik, deck, expected_dir = os.path.abspath(argv[1]), argv[2], argv[3]
    name = os.path.splitext(os.path.basename(deck))[0]
    expected = os.path.join(expected_dir, name)
    r = run(talik, deck)
    if len(argv) == 5:
        update(r, expected)
        print(f"{name}: expected copies rewritten")
        return 0
    found = problems(r, expected)
    for p in found:
        print(f"{name}: {p}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
