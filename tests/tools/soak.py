#!/usr/bin/env python3
"""Soak: runs talik on many generated valid decks back to back.

    soak.py --talik PATH [--count N] [--seed S] [--max-steps M] [--jobs J]
            [--timeout T] [--keep DIR]

The decks come from gen_decks.py (every station, both output choices and
the one that writes nothing, steps of both signs, runs reaching the edges
of the Sun table's window, low to highly elliptic orbits).  Each runs in a
fresh directory with a time limit.  A run passes when it ends with status
0 and nothing on stderr, leaves no file but KESTAD.DAT, shows no NaN or
Inf, and check_report.py accepts what it wrote.  Failing decks are copied
to DIR with the reason.  Prints counts and times, and "N passed, M failed".
"""

import argparse
import multiprocessing
import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import check_report  # noqa: E402
import gen_decks  # noqa: E402
import talikrun  # noqa: E402


def run_one(job):
    """(deck path, talik, timeout) -> (deck path, problem or None, seconds)."""
    deck, talik, timeout = job
    started = time.monotonic()
    r = talikrun.run_file(talik, deck, timeout=timeout)
    seconds = time.monotonic() - started
    if r.timed_out:
        return deck, f"no end within {timeout} s", seconds
    if r.status != 0:
        return deck, f"exit status {r.status}: {r.stderr[:300]!r}", seconds
    if r.stderr:
        return deck, f"stderr: {r.stderr[:300]!r}", seconds
    left = sorted(set(r.left) - {r.name, talikrun.REPORT})
    if left:
        return deck, f"files left behind: {left}", seconds
    for what, data in (("stdout", r.stdout), (talikrun.REPORT, r.report or b"")):
        if talikrun.nonfinite(data):
            return deck, f"{what} shows NaN or Inf", seconds
    try:
        check_report.check_output(r.deck.decode("latin-1"), r.stdout, r.report, r.name)
    except check_report.Violation as e:
        return deck, f"check_report: {e}", seconds
    except Exception as e:  # the checker itself broke: worth a look too
        return deck, f"check_report raised {type(e).__name__}: {e}", seconds
    return deck, None, seconds


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--talik", required=True)
    p.add_argument("--count", type=int, default=10000)
    p.add_argument("--seed", default="soak")
    p.add_argument("--max-steps", type=int, default=2000)
    p.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    p.add_argument("--timeout", type=float, default=60.0)
    p.add_argument("--keep", help="copy failing decks here, each with a .why file")
    a = p.parse_args(argv)
    talik = os.path.abspath(a.talik)

    began = time.monotonic()
    decks_dir = tempfile.mkdtemp(prefix="talik-soak-decks-")
    try:
        paths = gen_decks.generate(a.seed, a.count, decks_dir, a.max_steps, 0, "mixed")
        generated = time.monotonic() - began
        jobs = [(path, talik, a.timeout) for path in paths]
        failures = []
        slowest = (0.0, None)
        run_time = 0.0
        with multiprocessing.Pool(a.jobs) as pool:
            for deck, problem, seconds in pool.imap_unordered(run_one, jobs, chunksize=4):
                run_time += seconds
                if seconds > slowest[0]:
                    slowest = (seconds, os.path.basename(deck))
                if problem:
                    failures.append((deck, problem))
                    print(f"FAIL {os.path.basename(deck)}: {problem}", flush=True)
                    if a.keep:
                        os.makedirs(a.keep, exist_ok=True)
                        shutil.copy(deck, a.keep)
                        with open(os.path.join(a.keep, os.path.basename(deck) + ".why"), "w") as f:
                            f.write(problem + "\n")
        total = time.monotonic() - began
    finally:
        shutil.rmtree(decks_dir, ignore_errors=True)
    print(f"{len(paths)} decks (seed {a.seed!r}, at most {a.max_steps} steps): generated in {generated:.1f} s, "
          f"run and checked in {total - generated:.1f} s with {a.jobs} jobs; talik alone "
          f"{run_time / max(len(paths), 1) * 1000:.1f} ms a deck, slowest {slowest[0]:.2f} s ({slowest[1]})")
    print(f"{len(paths) - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
