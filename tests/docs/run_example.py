#!/usr/bin/env python3
"""Run one example deck and compare what talik wrote with the stored copies.

usage: run_example.py TALIK DECK EXPECTED_DIR [--update]

The deck is copied into a fresh directory and run there as `talik NAME.deck`
with an empty standard input.  Expected, in EXPECTED_DIR:
  NAME.out   the console bytes (standard output), exactly
  NAME.dat   KESTAD.DAT, exactly; when absent, the run must leave no
             KESTAD.DAT behind
The run must end with status 0 and write nothing to standard error.

With --update the copies are rewritten from this run instead (review the
difference before keeping it).
"""
import os
import shutil
import subprocess
import sys
import tempfile


def first_difference(got: bytes, want: bytes) -> str:
    n = min(len(got), len(want))
    i = next((k for k in range(n) if got[k] != want[k]), n)
    line = got[:i].count(b"\n") + 1
    return (f"{len(got)} bytes, expected {len(want)}; first difference at byte "
            f"{i + 1} (line {line}): got {got[i:i + 40]!r}, expected {want[i:i + 40]!r}")


def main(argv: list[str]) -> int:
    if len(argv) not in (4, 5) or (len(argv) == 5 and argv[4] != "--update"):
        print(__doc__, file=sys.stderr)
        return 2
    talik, deck, expected_dir = os.path.abspath(argv[1]), argv[2], argv[3]
    update = len(argv) == 5
    name = os.path.splitext(os.path.basename(deck))[0]

    with tempfile.TemporaryDirectory() as work:
        shutil.copy(deck, os.path.join(work, name + ".deck"))
        run = subprocess.run([talik, name + ".deck"], cwd=work, stdin=subprocess.DEVNULL,
                             capture_output=True, timeout=300)
        report = os.path.join(work, "KESTAD.DAT")
        dat = open(report, "rb").read() if os.path.exists(report) else None

    out_path = os.path.join(expected_dir, name + ".out")
    dat_path = os.path.join(expected_dir, name + ".dat")
    if update:
        with open(out_path, "wb") as f:
            f.write(run.stdout)
        if dat is not None:
            with open(dat_path, "wb") as f:
                f.write(dat)
        elif os.path.exists(dat_path):
            os.remove(dat_path)
        print(f"{name}: expected copies rewritten")
        return 0

    failures = []
    if run.returncode != 0:
        failures.append(f"exit status {run.returncode}, expected 0")
    if run.stderr:
        failures.append("unexpected standard error: " + run.stderr.decode(errors="replace").strip())
    want_out = open(out_path, "rb").read()
    if run.stdout != want_out:
        failures.append("console output differs from " + out_path + ": " +
                        first_difference(run.stdout, want_out))
    if os.path.exists(dat_path):
        want_dat = open(dat_path, "rb").read()
        if dat is None:
            failures.append("no KESTAD.DAT was written")
        elif dat != want_dat:
            failures.append("KESTAD.DAT differs from " + dat_path + ": " + first_difference(dat, want_dat))
    elif dat is not None:
        failures.append("a KESTAD.DAT was written, none expected")

    for failure in failures:
        print(f"{name}: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
