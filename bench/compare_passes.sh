#!/bin/sh
# talik-passes' engine against talik in one sitting (not a test).
#   bench/compare_passes.sh BUILD_DIR       (a bench preset build: build/bench)
# Runs, three times in turn, and keeps the best of each:
#  - one 99999-step talik run of a low orbit with no output (best of 5, as
#    case (a) of run_bench.sh): the step rate everything is measured by;
#  - talik-passes on a generated catalogue of 2000 low-orbit two-line sets
#    seen from one site for 24 h at 20 s (8.6 million steps, CSV to
#    /dev/null), and passes_bench's catalogue of the same size in memory,
#    screened and exhaustive (ratio 1: the screened step rate over talik's);
#  - passes_bench's 200 objects over all eight stations and over MADRID
#    alone (ratio 2: the time of eight over the time of one);
#  - step_bench: the prediction step against a yardstick of sin, cos and
#    atan2 calls (ratio 3: transcendental-call equivalents per step).
# Then the memory: how much passes_bench's run added to the catalogue's,
# for 2000 and for 20000 objects, and the peak of talik-passes on 2000
# and on 20000 two-line sets.
set -eu
if [ $# -ne 1 ] || [ ! -x "$1/bin/talik" ] || [ ! -x "$1/bin/talik-passes" ] || [ ! -x "$1/bin/passes_bench" ] ||
    [ ! -x "$1/bin/step_bench" ]; then
    echo "usage: $0 BUILD_DIR (with bin/talik, bin/talik-passes, bin/passes_bench and bin/step_bench)" >&2
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


def timed(cmd, work):
    t0 = time.perf_counter()
    subprocess.run(cmd, cwd=work, stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL, check=True)
    return time.perf_counter() - t0


def talik_rate(work):
    """The best of 5 runs: steps a second of wall clock and of processor."""
    deck = os.path.join(work, "big.deck")
    with open(deck, "w") as f:
        f.write(DECK)
    wall, cpu = [], []
    for _ in range(5):
        t0 = time.perf_counter()
        p = subprocess.Popen([os.path.join(bin_dir, "talik"), deck], cwd=work, stdout=subprocess.DEVNULL,
                             stdin=subprocess.DEVNULL)
        _, status, ru = os.wait4(p.pid, 0)
        wall.append(time.perf_counter() - t0)
        if os.waitstatus_to_exitcode(status):
            raise SystemExit("talik failed")
        cpu.append(ru.ru_utime + ru.ru_stime)
    return 99999 / min(wall), 99999 / min(cpu)


def checksum(line):
    return sum(int(c) if c.isdigit() else (1 if c == "-" else 0) for c in line) % 10


def catalogue(path, count):
    """count low orbits, 14.2 to 16.2 revolutions a day, spread in
    inclination, node and anomaly by fixed strides."""
    with open(path, "w") as f:
        for i in range(count):
            n = 10000 + i
            l1 = "1 %05dU 24001A   24009.50000000  .00001000  00000-0  10000-3 0  999" % (n % 100000)
            l2 = "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f%5d" % (
                n % 100000, 20.0 + (i * 7.3) % 80.0, (i * 17.1) % 360.0, 50 + 10 * (i % 20), (i * 29.0) % 360.0,
                (i * 53.0) % 360.0, 14.2 + (i * 0.37) % 2.0, 1000)
            f.write("SAT %d\n%s%d\n%s%d\n" % (i, l1, checksum(l1), l2, checksum(l2)))
    return path


def passes_cmd(cat):
    return [os.path.join(bin_dir, "talik-passes"), cat, "--start", "2024-01-10T00:00:00", "--site", "40.4,356.32",
            "--format", "csv"]


def bench(name):
    out = subprocess.run([os.path.join(bin_dir, name), "--benchmark_format=json"], capture_output=True, check=True,
                         text=True).stdout
    return {b["name"].split("/", 1)[1] if "/" in b["name"] else b["name"]: b for b in json.loads(out)["benchmarks"]}


def peak_kib(cmd, work):
    """Peak resident set of one run, KiB (through /usr/bin/time: a child
    forked from Python would count Python's pages)."""
    rep = os.path.join(work, "time.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rep] + cmd, cwd=work, stdout=subprocess.DEVNULL,
                   stdin=subprocess.DEVNULL, check=True)
    with open(rep) as f:
        return int(f.read().split()[-1])


best = {}


def keep(key, value, larger=True):
    if key not in best or (value > best[key] if larger else value < best[key]):
        best[key] = value


with tempfile.TemporaryDirectory(prefix="talik-bench-") as work:
    cat = catalogue(os.path.join(work, "catalogue.tle"), OBJECTS)
    for _ in range(3):
        wall, cpu = talik_rate(work)
        keep("talik", wall)
        keep("talik cpu", cpu)
        keep("program", OBJECTS * STEPS / timed(passes_cmd(cat), work))
        p = bench("passes_bench")
        for kind, label in (("0", "sphere"), ("1", "WGS-84")):
            for how, hlabel in (("0", "screened"), ("1", "exhaustive")):
                b = p["%s/%s/%d/iterations:1/real_time" % (kind, how, OBJECTS)]
                keep("%s %s" % (label, hlabel), b["steps_per_second"])
                keep("%s %s cpu" % (label, hlabel), b["steps_per_cpu_second"])
        keep("run memory", p["0/0/%d/iterations:1/real_time" % OBJECTS]["run_memory_kib"], larger=False)
        keep("run memory x10", p["0/0/%d/iterations:1/real_time" % (10 * OBJECTS)]["run_memory_kib"], larger=False)
        for how, hlabel in (("0", "screened"), ("1", "exhaustive")):
            for n in ("1", "8"):
                b = p["%s/%s/min_time:1.000/real_time" % (n, how)]
                keep("stations %s %s" % (n, hlabel), b["real_time"], larger=False)
                keep("stations %s %s cpu" % (n, hlabel), b["cpu_ms"], larger=False)
        s = bench("step_bench")
        keep("step ns", s["BM_predict_step"]["cpu_time"], larger=False)
        keep("call ns", s["BM_yardstick"]["cpu_time"] / 3.0, larger=False)
    big = catalogue(os.path.join(work, "big.tle"), 10 * OBJECTS)
    rss_small = peak_kib(passes_cmd(cat), work)
    rss_big = peak_kib(passes_cmd(big), work)

t = best["talik"]
tc = best["talik cpu"]
cores = os.cpu_count()
print("talik, one 99999-step run: %.0f steps/s of wall clock, %.0f of processor" % (t, tc))
print("1. catalogue of 2000 over one site, 24 h at 20 s, %d cores: steps/s and x talik, by the wall clock;" % cores)
print("   by the processor, steps per processor-second x %d cores (x talik's per processor-second)" % cores)
print("   talik-passes, two-line sets, screened:      %10.0f  %6.2f" % (best["program"], best["program"] / t))
for key in ("sphere screened", "WGS-84 screened", "sphere exhaustive", "WGS-84 exhaustive"):
    c = best[key + " cpu"] * cores
    print("   passes_bench, %-28s  %10.0f  %6.2f   %10.0f  %6.2f" % (key + ":", best[key], best[key] / t, c, c / tc))
print("2. 200 objects over eight stations against one (ms, ratio), wall clock; processor:")
for how in ("screened", "exhaustive"):
    one, eight = best["stations 1 " + how], best["stations 8 " + how]
    onec, eightc = best["stations 1 %s cpu" % how], best["stations 8 %s cpu" % how]
    print("   %-11s one %8.1f  eight %8.1f  %6.2f;   one %8.1f  eight %8.1f  %6.2f" %
          (how + ":", one, eight, eight / one, onec, eightc, eightc / onec))
print("3. prediction step: %.1f ns, a sin/cos/atan2 call %.2f ns (processor): %.1f call equivalents" %
      (best["step ns"], best["call ns"], best["step ns"] / best["call ns"]))
print("memory: the run past the catalogue %d KiB for 2000 objects, %d KiB for 20000;" %
      (best["run memory"], best["run memory x10"]))
print("        talik-passes peak RSS %d KiB for 2000 sets, %d KiB for 20000" % (rss_small, rss_big))
EOF_PY
