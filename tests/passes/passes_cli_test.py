#!/usr/bin/env python3
"""talik-passes as a program.

usage: passes_cli_test.py TALIK_PASSES SOURCE_DIR

- corpus: for every deck of tests/corpus/decks and tests/decks with stored data lines,
  every data line lies inside one of the passes found for the deck, every
  pass holds at least one, the pass's revolution number is its earliest
  line's, and AOS and LOS lie within one step of its first and last lines;
  a refused deck is refused by talik-passes too;
- names with commas and quotes read back whole through Python's csv and json;
- a bad set in a catalogue is reported and skipped (fatal with --strict),
  a thousand in ten lines and a count;
- the README's excerpts come from real runs;
- refusals: one line naming the place, status 1 (2 for the command line),
  and an -o file left as it was.
"""
import csv
import io
import json
import os
import re
import subprocess
import sys
import tempfile

PASSES, ROOT = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
DECK_DIRS = [os.path.join(ROOT, "tests", "corpus", "decks"), os.path.join(ROOT, "tests", "decks")]
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))
import talikrun  # noqa: E402

# A data line of the console report or of KESTAD.DAT: revolution number,
# then the date-time.
LINE = re.compile(rb"^([ \d*]{5}) ?(\d{4})/([ \d]\d)/([ \d]\d) ([ \d]\d):([ \d]\d):([ \d]\d) ")
ISO = re.compile(r"^(\d{4})-(\d\d)-(\d\d)T(\d\d):(\d\d):(\d\d)\.(\d)Z$")
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def model_seconds(y, mo, d, h, mi, s):
    """Seconds from 1901 on the model's calendar (every fourth year a leap
    year), computed on its own here."""
    days = sum(366 if year % 4 == 0 else 365 for year in range(1901, y))
    lengths = [31, 29 if y % 4 == 0 else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    days += sum(lengths[:mo - 1]) + d - 1
    return days * 86400 + h * 3600 + mi * 60 + s


def tenths(iso):
    m = ISO.match(iso)
    v = [int(g) for g in m.groups()]
    return model_seconds(*v[:6]) * 10 + v[6]


def run(*args, stdin=None, cwd=None):
    return subprocess.run([PASSES, *args], capture_output=True, input=stdin, cwd=cwd, timeout=120)


def data_lines(deck):
    base = deck[:-len(".deck")]
    lines = []
    for ext in (".out", ".dat"):
        if os.path.exists(base + ext):
            for raw in talikrun.read(base + ext).replace(b"\f", b"").split(b"\n"):
                m = LINE.match(raw.strip(b"\r"))
                if m:
                    rev = int(m.group(1)) if m.group(1).strip(b" *").isdigit() else None
                    lines.append((model_seconds(*(int(g) for g in m.groups()[1:])) * 10, rev))
    return lines


def check_corpus():
    checked = 0
    decks = sorted(os.path.join(d, n) for d in DECK_DIRS for n in os.listdir(d) if n.endswith(".deck"))
    for deck in decks:
        name = os.path.basename(deck)
        r = run("--format", "json", deck)
        status_file = deck[:-5] + ".status"
        # A deck talik refuses (not its KESTAD.DAT) is refused here too.
        refused = (os.path.exists(status_file) and talikrun.read(status_file).strip() != b"0"
                   and b"KESTAD.DAT" not in talikrun.read(deck[:-5] + ".err"))
        if refused:
            if r.returncode != 1 or r.stderr.count(b"\n") != 1:
                fail(f"{name}: refused by talik, talik-passes gave {r.returncode} {r.stderr!r}")
            continue
        if r.returncode != 0:
            fail(f"{name}: status {r.returncode}: {r.stderr!r}")
            continue
        passes = json.loads(r.stdout)
        step = abs(int(talikrun.read(deck).split(b"\n")[1][30:35].replace(b" ", b"") or b"0")) * 10
        lines = data_lines(deck)
        held = [[] for _ in passes]
        for t, rev in lines:
            inside = [i for i, p in enumerate(passes) if tenths(p["aos_utc"]) <= t <= tenths(p["los_utc"])]
            if not inside:
                fail(f"{name}: the data line at {t / 10} s lies in no pass")
            for i in inside:
                held[i].append((t, rev))
        for p, hold in zip(passes, held):
            aos, tca, los = tenths(p["aos_utc"]), tenths(p["tca_utc"]), tenths(p["los_utc"])
            if not aos <= tca <= los:
                fail(f"{name}: culmination outside its pass {p}")
            if not hold and lines:
                fail(f"{name}: a pass with no data line in it: {p}")
                continue
            if not hold:
                continue
            first, last = min(hold), max(hold)
            if not (first[0] - step <= aos <= first[0] and last[0] <= los <= last[0] + step):
                fail(f"{name}: ends beyond a step from the lines {first[0]}..{last[0]}: {p}")
            if first[1] is not None and p["rev"] != first[1]:
                fail(f"{name}: revolution {p['rev']}, its first line says {first[1]}")
        checked += bool(lines)
    if checked < 20:
        fail(f"only {checked} corpus decks had data lines to check")
    return checked


def check_names():
    iss = talikrun.read(os.path.join(ROOT, "examples", "iss.tle")).split(b"\n", 1)[1]
    name = 'ISS, "ZARYA"'
    with tempfile.TemporaryDirectory() as home:
        odd = os.path.join(home, "odd.tle")
        with open(odd, "wb") as f:
            f.write(name.encode() + b"\n" + iss)
        site = '40.4,-3.7,650,Site, with "quotes"'
        rows = {}
        for fmt in ("csv", "json"):
            r = run("--format", fmt, "--station", "madrid", "--site", site, odd)
            if r.returncode != 0:
                fail(f"{fmt}: status {r.returncode} {r.stderr!r}")
                return
            text = r.stdout.decode()
            rows[fmt] = list(csv.DictReader(io.StringIO(text, newline=""))) if fmt == "csv" else json.loads(text)
        header = next(csv.reader(io.StringIO(run("--format", "csv", odd).stdout.decode())))
        if header != ["object", "site", "rev", "aos_utc", "aos_az_deg", "tca_utc", "tca_el_deg", "tca_az_deg",
                      "tca_range_km", "los_utc", "los_az_deg", "duration_s", "sunlit_fraction", "marks", "flags"]:
            fail(f"CSV header {header}")
        if len(rows["csv"]) != len(rows["json"]) or len(rows["csv"]) < 8:
            fail("CSV and JSON hold different passes, or too few")
        for c, j in zip(rows["csv"], rows["json"]):
            if c["object"] != "25544 " + name or j["object"] != c["object"]:
                fail(f"object read back as {c['object']!r} / {j['object']!r}")
            if c["site"] not in ("MADRID", 'Site, with "quotes"') or c["site"] != j["site"]:
                fail(f"site read back as {c['site']!r} / {j['site']!r}")
            for key in ("rev", "tca_el_deg", "duration_s", "sunlit_fraction"):
                if float(c[key]) != float(j[key]):
                    fail(f"{key}: CSV {c[key]} JSON {j[key]}")
            if c["flags"].split(";") != (j["flags"] or [""]):
                fail(f"flags: CSV {c['flags']!r} JSON {j['flags']}")


def check_catalogue():
    """A catalogue with one bad set: reported and skipped, fatal with
    --strict; --select; standard input."""
    examples = os.path.join(ROOT, "examples")
    iss = talikrun.read(os.path.join(examples, "iss.tle"))
    other = talikrun.read(os.path.join(examples, "sun-synchronous.tle"))
    bad = iss.replace(b"ISS (ZARYA)", b"BROKEN").replace(b" 0007417 ", b" 00O7417 ")
    with tempfile.TemporaryDirectory() as home:
        cat = os.path.join(home, "cat.tle")
        with open(cat, "wb") as f:
            f.write(iss + bad + other)
        r = run("--format", "json", cat)
        objects = sorted({p["object"] for p in json.loads(r.stdout or b"[]")})
        err = r.stderr.decode()
        if r.returncode != 0 or len(objects) != 2 or err.count("\n") != 1 or "cat.tle: line 6" not in err:
            fail(f"a bad set among good ones: {r.returncode} {objects} {err!r}")
        r = run("--strict", cat)
        if r.returncode != 1 or r.stdout or "cat.tle: line 6" not in r.stderr.decode():
            fail(f"--strict: {r.returncode} {r.stderr!r}")
        r = run("--format", "json", "-", stdin=(iss + other).replace(b"\n", b"\r"))
        objects = {p["object"] for p in json.loads(r.stdout or b"[]")}
        if r.returncode != 0 or len(objects) != 2:
            fail(f"a catalogue with CR line ends: {r.returncode} {objects} {r.stderr!r}")
        r = run("-", stdin=b"[" + b",".join([b"{}"] * 1000) + b"]")
        lines = r.stderr.decode().splitlines()
        if len(lines) != 11 or lines[10] != "talik-passes: standard input: ... and 990 more entries refused":
            fail(f"a thousand refused entries: {len(lines)} lines, {lines[-2:]!r}")
        r = run("--format", "json", "--select", "25544", "-", stdin=iss + other)
        objects = {p["object"] for p in json.loads(r.stdout or b"[]")}
        if r.returncode != 0 or objects != {"25544 ISS (ZARYA)"}:
            fail(f"--select from standard input: {r.returncode} {objects} {r.stderr!r}")


def check_refusals():
    leo = os.path.join(ROOT, "examples", "leo-madrid.deck")
    cases = [
        (["--site", "91,0", leo], 1, '--site "91,0": latitude 91 is outside -90 to 90'),
        (["--station", "9", leo], 1, '--station "9"'),
        (["--start", "1995-13-01T00:00", leo], 1, "--start"),
        (["--days", "500", leo], 1, "--days"),
        (["--start", "1995-06-15T00:00", "--end", "1996-03-01T00:00", leo], 1, "--end: the last step falls"),
        (["--format", "xml", leo], 2, "--format"),
        (["--end", "1995-06-16", "--hours", "3", leo], 2, "excludes"),
        ([os.path.join(ROOT, "tests", "decks", "bad-station.deck")], 1, "record 2, columns 41-45"),
        (["no-such.deck"], 1, "no-such.deck: cannot read"),
    ]
    for args, status, text in cases:
        r = run(*args)
        err = r.stderr.decode()
        if r.returncode != status or err.count("\n") != 1 or text not in err or not err.startswith("talik-passes: "):
            fail(f"{args}: status {r.returncode}, {err!r}; wanted {status} and {text!r}")
    with tempfile.TemporaryDirectory() as home:
        out = os.path.join(home, "passes.csv")
        with open(out, "w") as f:
            f.write("old\n")
        r = run("--format", "csv", "-o", out, "--site", "0,0", "--site", "x,0", leo)
        if r.returncode != 1 or open(out).read() != "old\n" or os.listdir(home) != ["passes.csv"]:
            fail(f"-o replaced or left behind on a failure: {os.listdir(home)}")
        r = run("--format", "csv", "-o", out, "-", stdin=talikrun.read(leo))
        if r.returncode != 0 or not open(out).read().startswith("object,site"):
            fail(f"-o from standard input: {r.returncode} {r.stderr!r}")


def check_readme():
    """Each README excerpt marked <!-- passes, run in examples/: ARGS --> is
    the output of that run."""
    text = open(os.path.join(ROOT, "README.md"), encoding="utf-8").read()
    marks = re.findall(r"<!-- passes, run in examples/: (.*?) -->\n```\n(.*?)```", text, re.S)
    if not marks:
        fail("README has no talik-passes excerpt")
    for args, excerpt in marks:
        r = run(*args.split(), cwd=os.path.join(ROOT, "examples"))
        if r.returncode != 0 or r.stdout.decode().replace("\r\n", "\n") != excerpt:
            fail(f"README excerpt of {args} differs from the run:\n{r.stdout.decode()}")


def main():
    check_readme()
    checked = check_corpus()
    check_names()
    check_catalogue()
    check_refusals()
    print(f"{checked} corpus decks checked; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
