#!/bin/sh
# talik-passes' engine against talik in the same sitting (not a test).
#   bench/compare_passes.sh BUILD_DIR       (a bench preset build: build/bench)
# Runs, three times in turn: one 99999-step talik run of a low orbit with
# no output (best of 5, as case (a) of run_bench.sh); talik-passes on a
# generated catalogue of 2000 low-orbit two-line sets seen from one site
# for 24 h at 20 s (8.6 million steps, CSV to /dev/null); and
# passes_bench's catalogue of the same size built in memory.  Prints the
# best step rate of each and their ratio to talik's (the target is 1.5).
set -eu
if [ $# -ne 1 ] || [ ! -x "$1/bin/talik" ] || [ ! -x "$1/bin/talik-passes" ] || [ ! -x "$1/bin/passes_bench" ]; then
    echo "usage: $0 BUILD_DIR (with bin/talik, bin/talik-passes and bin/passes_bench)" >&2
    exit 2
fi
bin=$(cd "$1/bin" && pwd)
exec python3 - "$bin" <<'EOF_PY'
import json, os, subprocess, sys, tempfile, time

bin_dir = sys.argv[1]
OBJECTS = 2000
STEPS = 86400 // 20 + 1
DECK = """ 7
 2024    1   10    0    0    0   6099999    6
 2024    1    9   12    0    0 1000
    6878.0    0.0010     51.60    100.00     30.00     45.00
   -0.0500       0.0       0.0   15.2200       0.0
"""


def talik_rate(work):
    deck = os.path.join(work, "big.deck")
    with open(deck, "w") as f:
        f.write(DECK)
    best = min(timed([os.path.join(bin_dir, "talik"), deck], work) for _ in range(5))
    return 99999 / best


def checksum(line):
    return sum(int(c) if c.isdigit() else (1 if c == "-" else 0) for c in line) % 10


def catalogue(path, count):
    """count low orbits, 14.2 to 16.2 revolutions a day, spread in
    inclination, node and anomaly by fixed strides."""
    with open(path, "w") as f:
        for i in range(count):
            n = 10000 + i
            l1 = "1 %05dU 24001A   24009.50000000  .00001000  00000-0  10000-3 0  999" % n
            l2 = "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f%5d" % (
                n, 20.0 + (i * 7.3) % 80.0, (i * 17.1) % 360.0, 50 + 10 * (i % 20), (i * 29.0) % 360.0,
                (i * 53.0) % 360.0, 14.2 + (i * 0.37) % 2.0, 1000)
            f.write("SAT %d\n%s%d\n%s%d\n" % (i, l1, checksum(l1), l2, checksum(l2)))


def program_rate(work):
    cat = os.path.join(work, "catalogue.tle")
    if not os.path.exists(cat):
        catalogue(cat, OBJECTS)
    cmd = [os.path.join(bin_dir, "talik-passes"), cat, "--site", "40.4,356.32", "--format", "csv"]
    return OBJECTS * STEPS / min(timed(cmd, work) for _ in range(2))


def timed(cmd, work):
    t0 = time.perf_counter()
    subprocess.run(cmd, cwd=work, stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL, check=True)
    return time.perf_counter() - t0


def passes_rates():
    out = subprocess.run([os.path.join(bin_dir, "passes_bench"), "--benchmark_format=json"], capture_output=True,
                         check=True, text=True).stdout
    return {b["name"].split("/")[1]: b["steps_per_second"] for b in json.loads(out)["benchmarks"]}


talik, program, sphere, ellipsoid = [], [], [], []
with tempfile.TemporaryDirectory(prefix="talik-bench-") as work:
    for _ in range(3):
        talik.append(talik_rate(work))
        program.append(program_rate(work))
        r = passes_rates()
        sphere.append(r["0"])
        ellipsoid.append(r["1"])
t = max(talik)
print("talik, one 99999-step run:            %10.0f steps/s" % t)
print("talik-passes on 2000 two-line sets:   %10.0f steps/s  (%.2f x)" % (max(program), max(program) / t))
print("passes_bench, sphere site, %d cores:  %10.0f steps/s  (%.2f x)" % (os.cpu_count(), max(sphere), max(sphere) / t))
print("passes_bench, WGS-84 site, %d cores:  %10.0f steps/s  (%.2f x)" % (os.cpu_count(), max(ellipsoid), max(ellipsoid) / t))
EOF_PY
