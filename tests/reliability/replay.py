#!/usr/bin/env python3
"""Replays saved inputs (the fuzzers' findings and edge decks) through the
program.  Whatever the bytes, a run must end in time with status 0 and a
silent stderr, or with status 1 and one line on stderr; must keep a good
KESTAD.DAT when it fails; may leave no other file; and may show no NaN or
Inf anywhere.

usage: replay.py TALIK DIR...
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402


def check(talik, data, good):
    r = talikrun.run(talik, data, before=good)
    if r.timed_out:
        return [f"no end within {talikrun.TIMEOUT} s"]
    problems = []
    if r.status == 0:
        if r.stderr:
            problems.append(f"status 0 with stderr {r.stderr[:200]!r}")
    elif r.status == 1:
        text = r.stderr.decode("latin-1")
        if not (text.startswith("talik: ") and text.endswith("\n") and text.count("\n") == 1):
            problems.append(f"stderr is not one line: {r.stderr[:300]!r}")
        if r.report != good:
            problems.append("a failed run changed KESTAD.DAT")
    else:
        problems.append(f"exit status {r.status}: {r.stderr[:300]!r}")
    if talikrun.nonfinite(r.stdout) or (r.report is not None and talikrun.nonfinite(r.report)):
        problems.append("NaN or Inf in the output")
    if r.left != ["KESTAD.DAT", talikrun.DECK_NAME]:
        problems.append(f"the directory holds {r.left}")
    return problems


def main(argv):
    talik = os.path.abspath(argv[1])
    files = []
    for d in argv[2:]:
        if os.path.isdir(d):
            files += sorted(os.path.join(d, n) for n in os.listdir(d)
                            if not n.startswith(".") and os.path.isfile(os.path.join(d, n)))
    good = talikrun.plain_report(talik)
    return talikrun.tally((path, check(talik, talikrun.read(path), good)) for path in files)

if __name__ == "__main__":
    sys.exit(main(sys.argv))
