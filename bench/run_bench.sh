#!/bin/sh
# Timing benchmark of the talik program as a whole (not a test).
#   bench/run_bench.sh TALIK
# (a) the largest run: 99999 steps of 60 s of a low orbit seen from MADRID,
#     with output choice 7 (nothing written) and 8 (KESTAD.DAT): best of 5
# (b) 1000 typical generated decks (100-1500 steps, choices 6 and 8) run back
#     to back as separate processes: runs per second
# (c) a 100-step console run: best of 20
# (d) peak resident memory of (a) and (b)
# Use a Release build; the figures depend on the machine.
set -eu
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
    echo "usage: $0 TALIK" >&2
    exit 2
fi
talik=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
tools=$(cd "$(dirname "$0")/../tests/tools" && pwd)
exec python3 - "$talik" "$tools" <<'EOF'
import os, shutil, subprocess, sys, tempfile, time

talik, tools = sys.argv[1], sys.argv[2]
sys.dont_write_bytecode = True
sys.path.insert(0, tools)
import gen_decks

LEO = """{iout:2d}
 2024    1   10    0    0    0   60{n:5d}    6
 2024    1    9   12    0    0 1000
    6878.0    0.0010     51.60    100.00     30.00     45.00
   -0.0500       0.0       0.0   15.2200       0.0
"""
TIME = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None


def write(path, text):
    with open(path, "w") as f:
        f.write(text)
    return path


def run(deck, work, out):
    with open(out, "wb") as fo:
        subprocess.run([talik, deck], cwd=work, stdout=fo, stdin=subprocess.DEVNULL, check=True)


def best(deck, work, times):
    out = os.path.join(work, "stdout")
    t = []
    for _ in range(times):
        t0 = time.perf_counter()
        run(deck, work, out)
        t.append(time.perf_counter() - t0)
    return min(t)


def peak_kib(deck, work):
    """Peak resident set of one run, KiB."""
    with open(os.path.join(work, "stdout"), "wb") as fo:
        if TIME:
            rep = os.path.join(work, "time.txt")
            subprocess.run([TIME, "-f", "%M", "-o", rep, talik, deck], cwd=work, stdout=fo,
                           stdin=subprocess.DEVNULL, check=True)
            with open(rep) as f:
                return int(f.read().split()[-1])
        p = subprocess.Popen([talik, deck], cwd=work, stdout=fo, stdin=subprocess.DEVNULL)
        _, status, ru = os.wait4(p.pid, 0)
        p.returncode = os.waitstatus_to_exitcode(status)
        if p.returncode:
            raise SystemExit("talik failed on %s" % deck)
        return ru.ru_maxrss


rows = []
with tempfile.TemporaryDirectory(prefix="talik-bench-") as work:
    # (a)
    for iout in (7, 8):
        deck = write(os.path.join(work, "big%d.deck" % iout), LEO.format(iout=iout, n=99999))
        t = best(deck, work, 5)
        lines = 0
        if iout == 8:
            with open(os.path.join(work, "KESTAD.DAT"), "rb") as f:
                lines = f.read().count(b"\n")
        rows.append(("(a) 99999 steps, choice %d" % iout, "%.3f s" % t, "%.0f steps/s" % (99999 / t),
                     "%d KiB" % peak_kib(deck, work), "%d lines" % lines if iout == 8 else ""))
    # (b)
    decks = []
    ddir = os.path.join(work, "batch")
    os.makedirs(ddir)
    for i in range(1, 1001):
        text, _ = gen_decks.make_deck(gen_decks.deck_rng("bench", i), 1500, 100, "6" if i % 2 else "8",
                                      station=gen_decks.station_for("bench", i))
        decks.append(write(os.path.join(ddir, "d%04d.deck" % i), text))
    out = os.path.join(work, "stdout")
    t0 = time.perf_counter()
    for d in decks:
        run(d, work, out)
    t = time.perf_counter() - t0
    peak = max(peak_kib(d, work) for d in decks)
    rows.append(("(b) 1000 decks, 100-1500 steps", "%.2f s" % t, "%.0f runs/s" % (1000 / t), "%d KiB" % peak, ""))
    # (c)
    deck = write(os.path.join(work, "small.deck"), LEO.format(iout=6, n=100))
    t = best(deck, work, 20)
    rows.append(("(c) 100 steps, console", "%.2f ms" % (t * 1e3), "", "", ""))

head = ("case", "wall time (best)", "rate", "peak RSS", "")
w = [max(len(r[i]) for r in rows + [head]) for i in range(5)]
for r in [head] + rows:
    print("  ".join(c.ljust(w[i]) for i, c in enumerate(r)).rstrip())
print("peak RSS from %s" % ("/usr/bin/time -f %M" if TIME else "wait4 rusage"))
EOF
