#!/usr/bin/env python3
"""Property test: generated decks must give reports that pass check_report.

    run_property.py --talik PATH [--seed S] [--count N] [--max-steps M]
                    [--jobs J] [--keep DIR]

Generates the decks into a temporary directory, runs talik on each in a
directory of its own (KESTAD.DAT lands in the working directory), and checks
the exit status, standard error and outputs.  Prints every failing deck with
its first violation; --keep copies the failing decks and outputs to DIR.
"""

import argparse
import concurrent.futures as cf
import os
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import check_report  # noqa: E402
import gen_decks  # noqa: E402
import talikrun  # noqa: E402

# Decks known to fail for a reason already reported, name -> reason.  Keep
# this empty unless a fault is waiting for its fix.
SKIP = {}
TIMEOUT = 120  # s, for one run


def run_one(talik, deck):
    """(None, None) when the run passes, else (a one-line reason, the run)."""
    r = talikrun.run_file(talik, deck, timeout=TIMEOUT)
    if r.timed_out:
        return "talik did not finish within %d s" % TIMEOUT, r
    if r.status != 0 or r.stderr:
        return "exit status %d, stderr %r" % (r.status, r.stderr[:300]), r
    try:
        check_report.check_output(r.deck.decode("latin-1"), r.stdout, r.report, r.name)
    except check_report.Violation as e:
        return str(e), r
    return None, None


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--talik", required=True)
    p.add_argument("--seed", default="20240611")
    p.add_argument("--count", type=int, default=300)
    p.add_argument("--max-steps", type=int, default=3000)
    p.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    p.add_argument("--keep")
    a = p.parse_args(argv)
    talik = os.path.abspath(a.talik)
    if not os.access(talik, os.X_OK):
        print("no talik program at %s" % talik, file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory(prefix="talik-property-") as tmp:
        decks = gen_decks.generate(a.seed, a.count, os.path.join(tmp, "decks"), a.max_steps)
        todo = [d for d in decks if os.path.basename(d)[:-5] not in SKIP]
        with cf.ProcessPoolExecutor(max_workers=a.jobs) as ex:
            futs = {ex.submit(run_one, talik, d): d for d in todo}
            results = {futs[f]: f.result() for f in cf.as_completed(futs)}
        failed = sorted(d for d, (why, _) in results.items() if why is not None)
        for d in failed:
            name = os.path.basename(d)[:-5]
            why, run = results[d]
            print("FAIL %s: %s" % (name, why))
            with open(d) as f:
                print("".join("    | " + ln for ln in f))
            if a.keep:
                dst = os.path.join(a.keep, name)
                shutil.rmtree(dst, ignore_errors=True)
                run.save(dst)
        for name, why in sorted(SKIP.items()):
            print("skipped %s: %s" % (name, why))
        print("%d decks (seed %s, up to %d steps): %d passed, %d failed, %d skipped"
              % (len(decks), a.seed, a.max_steps, len(todo) - len(failed), len(failed), len(decks) - len(todo)))
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
