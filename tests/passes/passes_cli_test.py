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
  and an -o file left as it was;
- outputs: -o - is standard output, a FIFO or a device is written as it
  is, an input (also through a link) or a directory is refused, and a
  standard output closed at the start is a failure, not an empty success.
"""
import csv
import io
import json
import os
import datetime
import re
import shlex
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
ISS_START = "2019-12-09T16:39:00"
README_STAMP = "1575910800"  # the README's calendar files are stamped 2019-12-09T17:00:00Z  # the shipped set's epoch rounded up to a minute


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
            if not aos <= tca <= los or not 0.0 <= p["tca_el_deg"] <= 90.0:
                fail(f"{name}: culmination outside its pass or the sky {p}")
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
            r = run("--format", fmt, "--start", ISS_START, "--station", "madrid", "--site", site, odd)
            if r.returncode != 0:
                fail(f"{fmt}: status {r.returncode} {r.stderr!r}")
                return
            text = r.stdout.decode()
            rows[fmt] = list(csv.DictReader(io.StringIO(text, newline=""))) if fmt == "csv" else json.loads(text)
        header = next(csv.reader(io.StringIO(run("--format", "csv", "--start", ISS_START, odd).stdout.decode())))
        if header[:15] != ["object", "site", "rev", "aos_utc", "aos_az_deg", "tca_utc", "tca_el_deg", "tca_az_deg",
                           "tca_range_km", "los_utc", "los_az_deg", "duration_s", "sunlit_fraction", "marks", "flags"]:
            fail(f"CSV header {header}: today's columns must come first")
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
    other = with_epoch(talikrun.read(os.path.join(examples, "sun-synchronous.tle")),
                       datetime.datetime(2019, 12, 9, 12, 0, 0))
    bad = iss.replace(b"ISS (ZARYA)", b"BROKEN").replace(b" 0007417 ", b" 00O7417 ")
    with tempfile.TemporaryDirectory() as home:
        cat = os.path.join(home, "cat.tle")
        with open(cat, "wb") as f:
            f.write(iss + bad + other)
        r = run("--format", "json", "--start", ISS_START, cat)
        objects = sorted({p["object"] for p in json.loads(r.stdout or b"[]")})
        err = r.stderr.decode()
        if r.returncode != 0 or len(objects) != 2 or err.count("\n") != 1 or "cat.tle: line 6" not in err:
            fail(f"a bad set among good ones: {r.returncode} {objects} {err!r}")
        r = run("--strict", "--start", ISS_START, cat)
        if r.returncode != 1 or r.stdout or "cat.tle: line 6" not in r.stderr.decode():
            fail(f"--strict: {r.returncode} {r.stderr!r}")
        r = run("--format", "json", "--start", ISS_START, "-", stdin=(iss + other).replace(b"\n", b"\r"))
        objects = {p["object"] for p in json.loads(r.stdout or b"[]")}
        if r.returncode != 0 or len(objects) != 2:
            fail(f"a catalogue with CR line ends: {r.returncode} {objects} {r.stderr!r}")
        r = run("-", stdin=b"[" + b",".join([b"{}"] * 1000) + b"]")
        lines = r.stderr.decode().splitlines()
        if (r.returncode != 1 or len(lines) != 12
                or lines[10] != "talik-passes: standard input: ... and 990 more entries refused"):
            fail(f"a thousand refused entries: {r.returncode}, {len(lines)} lines, {lines[-3:]!r}")
        r = run("--format", "json", "--start", ISS_START, "--select", "25544", "-", stdin=iss + other)
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
        (["no-such.deck"], 1, "no-such.deck: cannot be read"),
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


def check_outputs():
    leo = talikrun.read(os.path.join(ROOT, "examples", "leo-madrid.deck"))
    with tempfile.TemporaryDirectory() as home:
        src, link, fifo = (os.path.join(home, n) for n in ("leo.deck", "link.deck", "fifo"))
        with open(src, "wb") as f:
            f.write(leo)
        os.symlink(src, link)
        os.mkfifo(fifo)
        reader = subprocess.Popen(["cat", fifo], stdout=subprocess.PIPE)
        # (arguments after --format csv, redirection, status, start of stdout, words on stderr)
        cases = [
            (["-o", "-", src], "", 0, b"object,site", ""),
            (["-o", "/dev/null", src], "", 0, b"", ""),
            (["-o", fifo, src], "", 0, b"", ""),
            (["-o", link, src], "", 1, b"", f'-o "{link}": is the input "{src}"'),
            (["-o", src, "-"], f"<{src}", 1, b"", f'-o "{src}": is the input standard input'),
            (["-o", home, src], "", 1, b"", "it is not a regular file"),
            (["-o", "", src], "", 1, b"", '-o "": names no file'),
            ([src], ">&-", 1, b"", "cannot write to standard output: it was closed when the program started"),
        ]
        for args, redirect, status, out, words in cases:
            r = subprocess.run(["sh", "-c", f'exec "$@" {redirect}', "sh", PASSES, "--format", "csv", *args],
                               capture_output=True, timeout=120)
            err = r.stderr.decode()
            if r.returncode != status or not r.stdout.startswith(out) or words not in err or err.count("\n") != status:
                fail(f"{args} {redirect}: status {r.returncode}, {err!r}, {r.stdout[:40]!r}")
        try:
            piped = reader.communicate(timeout=60)[0]
        except subprocess.TimeoutExpired:
            reader.kill()
            piped = b""
        if not piped.startswith(b"object,site") or talikrun.read(src) != leo:
            fail(f"the FIFO got {piped[:40]!r}, or the input was changed")


def check_readme():
    """Each README excerpt marked <!-- passes, run in examples/: ARGS --> is
    the output of that run."""
    text = open(os.path.join(ROOT, "README.md"), encoding="utf-8").read()
    marks = re.findall(r"<!-- passes, run in examples/: (.*?) -->\n```\n(.*?)```", text, re.S)
    if not marks:
        fail("README has no talik-passes excerpt")
    for args, excerpt in marks:
        r = subprocess.run([PASSES, *shlex.split(args)], capture_output=True, cwd=os.path.join(ROOT, "examples"),
                           timeout=120, env=dict(os.environ, SOURCE_DATE_EPOCH=README_STAMP))
        if r.returncode != 0 or r.stdout.decode().replace("\r\n", "\n") != excerpt:
            fail(f"README excerpt of {args} differs from the run:\n{r.stdout.decode()}")


def tle_checksum(line):
    return str(sum(int(c) if c.isdigit() else (c == "-") for c in line[:68]) % 10)


def with_epoch(iss, when):
    """A shipped two-line set with its epoch moved to when."""
    lines = iss.decode().splitlines()
    one = next(i for i, line in enumerate(lines) if line.startswith("1 "))
    day = when.timetuple().tm_yday + (when.hour * 3600 + when.minute * 60 + when.second) / 86400
    line1 = lines[one][:18] + f"{when.year % 100:02d}{day:012.8f}" + lines[one][32:68]
    lines[one] = line1 + tle_checksum(line1)
    return ("\n".join(lines) + "\n").encode()


def rows(r, fmt="csv"):
    text = r.stdout.decode()
    return list(csv.DictReader(io.StringIO(text, newline=""))) if fmt == "csv" else json.loads(text or "[]")


def check_trust():
    """Failures are never status 0, no value is silently replaced, names
    cannot command a terminal or a spreadsheet, stale elements are told,
    the culmination stays in the sky, dates exist, and the operator's
    options (now, offsets, zones, visibility, tracks, calendars) work."""
    examples = os.path.join(ROOT, "examples")
    iss = talikrun.read(os.path.join(examples, "iss.tle"))
    now = datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0)
    hostile = iss.replace(b"ISS (ZARYA)", b"ISS \x1b[31mRED\xe2\x80\xae evil")
    newer = with_epoch(iss, datetime.datetime(2019, 12, 9, 20, 0, 0))
    omm = b'[{"OBJECT_NAME":"X","EPOCH":"2019-12-09T16:38:29","MEAN_MOTION":15.5,"ECCENTRICITY":0.0007,' \
          b'"INCLINATION":51.6,"RA_OF_ASC_NODE":211,"ARG_OF_PERICENTER":17,"MEAN_ANOMALY":85,"BSTAR":0,' \
          b'"MEAN_MOTION_DOT":0,"MEAN_MOTION_DDOT":0}]'
    deck_2100 = talikrun.deck(iout=" 6", run=["2100", "2", "28", "12", "0", "0", "60", "2880", "6"],
                              epoch=["2100", "2", "28", "0", "0", "0", "1"]).encode()
    files = {"iss.tle": iss, "bad.tle": iss[:-2] + b"0\n", "nocat.json": omm, "header.csv": b"OBJECT_NAME,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
             b"MEAN_ANOMALY,NORAD_CAT_ID,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n",
             "empty.json": b"[]", "hostile.tle": hostile, "twice.tle": iss + newer, "2100.deck": deck_2100,
             "today.tle": with_epoch(iss, now), "leo.deck": talikrun.read(os.path.join(examples, "leo-madrid.deck")),
             "notadeck.txt": b" 6\nhello world\n"}
    s = ["--start", ISS_START]
    # (arguments, status, words on stderr (or None for none), check of the result or None)
    cases = [
        (["bad.tle"], 1, "bad.tle: holds no element set", None),
        (["nocat.json"] + s, 1, "nocat.json: holds no element set", None),
        (["header.csv"] + s, 1, "holds no element set", None),
        (["empty.json"] + s, 1, "empty.json: holds no element set", None),
        (["iss.tle"], 1, "its element set cannot be used", None),
        (["iss.tle", "--hours", "0"] + s, 1, "--hours 0: the window must be longer than 0", None),
        (["iss.tle", "--days", "0"] + s, 1, "--days 0", None),
        (["iss.tle", "--step", "0"] + s, 1, "--step 0: the step must be 1 to 32767", None),
        (["iss.tle", "--min-elevation", "nan"] + s, 1, "--min-elevation nan", None),
        (["iss.tle", "--select", ""] + s, 1, "--select: an empty value", None),
        (["iss.tle", "--start", ""], 1, '--start "": not a date-time', None),
        (["iss.tle", "--start", "2100-02-29T00:00"], 1, "day 29 is outside 1 to 28", None),
        (["iss.tle", "--station", "6", "--station", "madrid"] + s, 1, "the same site is given twice", None),
        (["iss.tle", "--site", "40,-3,0," + "x" * 100000] + s, 1, "at most 80", None),
        (["iss.tle", "--start", "2020-07-01T00:00"], 1, "only within 182 days", None),
        (["iss.tle", "--start", "1960-01-01T00:00"], 1, "only within 182 days", None),
        (["iss.tle", "--time-zone", "Nowhere/Atlantis"] + s, 1, "no such zone", None),
        (["iss.tle", "--frequency", "437"] + s, 1, "give --track", None),
        (["twice.tle"] + s, 0, "1 older element set left aside", lambda r: len(rows(r)) == len(
            {x["aos_utc"] for x in rows(r)}) and {x["tca_utc"][:10] for x in rows(r)} >= {"2019-12-09"}),
        (["hostile.tle"] + s + ["--format", "table"], 0, None,
         lambda r: b"\x1b" not in r.stdout and b"\xe2\x81\xa8" in r.stdout and b"\xe2\x81\xa9" in r.stdout),
        (["iss.tle", "--site", '40,-3,0,=HYPERLINK("x")', "--site", "-33.9,18.4"] + s, 0, None,
         lambda r: {x["site"] for x in rows(r)} == {"'=HYPERLINK(\"x\")", "-33.9,18.4"}),
        (["iss.tle", "--start", "2019-12-30T00:00"], 0, "21.3 days from the elements' epoch",
         lambda r: all("stale_elements" in x["flags"] for x in rows(r))),
        (["2100.deck"], 0, None, lambda r: all(datetime.datetime.fromisoformat(x[k].rstrip("Z")) for x in rows(r)
                                               for k in ("aos_utc", "tca_utc", "los_utc")) and rows(r)),
        (["iss.tle", "--start", "2019-12-09T17:39:00+01:00", "--hours", "3"], 0, None,
         lambda r: rows(r) == rows(run("--format", "csv", "iss.tle", "--hours", "3", *s, cwd=home))),
        (["today.tle"], 0, None, lambda r: all(now - datetime.timedelta(minutes=20) <= datetime.datetime.fromisoformat(
            x["los_utc"].replace("Z", "+00:00")) <= now + datetime.timedelta(days=1, minutes=20) for x in rows(r))),
        (["today.tle", "--start", "now", "--hours", "2"], 0, None, lambda r: all(
            datetime.datetime.fromisoformat(x["los_utc"].replace("Z", "+00:00")) >= now for x in rows(r))),
        (["iss.tle", "--visible-only", "--site", "48.85,2.35,35,Paris"] + s, 0, None,
         lambda r: rows(r) and all(int(x["visible_s"]) > 0 and x["visible_first_utc"] for x in rows(r))),
        (["iss.tle", "--track", "10", "--frequency", "437", "--site", "48.85,2.35,35,Paris", "--hours", "3"] + s,
         0, None, lambda r: rows(r) and all(abs(float(x["doppler_hz"]) + 437e6 * float(x["range_rate_km_s"]) /
                                                299792.458) < 0.25 for x in rows(r))),
        (["iss.tle", "--format", "table", "--time-zone", "Europe/Paris", "--hours", "3"] + s, 0, None,
         lambda r: b"AOS (Europe/Paris)" in r.stdout and b"2019-12-09 17:39:00.0 +01:00" in r.stdout),
        (["iss.tle", "--ellipsoid", "--site", "48.85,2.35,35"] + s, 0, None,
         lambda r: rows(r) == rows(run("--format", "csv", "iss.tle", "--site", "48.85,2.35,35", *s, cwd=home))),
        (["iss.tle", "--sphere", "--site", "40.4,356.32,0,MADRID"] + s, 0, None, lambda r: [x["tca_utc"] for x in rows(
            r)] == [x["tca_utc"] for x in rows(run("--format", "csv", "iss.tle", "--station", "6", *s, cwd=home))]),
        (["leo.deck", "--step", "120"], 0, None, lambda r: [x["rev"] for x in rows(r)] == [
            x["rev"] for x in rows(run("--format", "csv", "leo.deck", cwd=home))]),
        (["notadeck.txt"], 1, "notadeck.txt: record 2", None),
        (["iss.tle", "--format", "json"] + s, 0, None,
         lambda r: all(x["catalog_number"] == 25544 and x["name"] == "ISS (ZARYA)" for x in rows(r, "json"))),
    ]
    with tempfile.TemporaryDirectory() as home:
        for name, data in files.items():
            with open(os.path.join(home, name), "wb") as f:
                f.write(data)
        for args, status, words, check in cases:
            fmt = [] if "--format" in args else ["--format", "csv"]
            r = run(*fmt, *args, cwd=home)
            err = r.stderr.decode(errors="replace")
            ok = r.returncode == status and (words in err if words else status != 0 or not err.strip())
            ok = ok and (status == 0 or (not r.stdout and all(l.startswith("talik-passes: ") for l in err.splitlines())))
            if not ok or (check and not check(r)):
                fail(f"{args[:6]}: status {r.returncode}, {err[:300]!r}; wanted {status} and {words!r}")
        check_calendar(home, s)


def check_calendar(home, s):
    """--format ics: CR LF lines of at most 75 octets, one event per pass,
    stable unique identifiers, DTSTAMP from SOURCE_DATE_EPOCH."""
    env = dict(os.environ, SOURCE_DATE_EPOCH=README_STAMP)
    runs = [subprocess.run([PASSES, "iss.tle", *s, "--site", "48.85,2.35,35,Paris", "--format", fmt], cwd=home,
                           capture_output=True, env=env, timeout=120) for fmt in ("ics", "ics", "json")]
    ics = runs[0].stdout
    lines = ics.split(b"\r\n")
    passes = json.loads(runs[2].stdout)
    uids = [l for l in lines if l.startswith(b"UID:")]
    if (runs[0].returncode != 0 or ics != runs[1].stdout or lines[-1] != b"" or b"\n" in b"".join(lines)
            or max(len(l) for l in lines) > 75 or ics.count(b"BEGIN:VEVENT") != len(passes)
            or len(set(uids)) != len(passes) or b"DTSTAMP:20191209T170000Z" not in ics):
        fail(f"calendar file: status {runs[0].returncode}, {len(passes)} passes, {ics[:300]!r}")
    try:
        import icalendar  # Debian's python3-icalendar
    except ImportError:
        return
    events = [e for e in icalendar.Calendar.from_ical(ics).walk("VEVENT")]
    starts = sorted(e["DTSTART"].dt for e in events)
    want = sorted(datetime.datetime.fromisoformat(p["aos_utc"][:19]).replace(tzinfo=datetime.timezone.utc)
                  .replace(microsecond=0) for p in passes)
    if [a.replace(tzinfo=datetime.timezone.utc) for a in starts] != want:
        fail(f"calendar events start at {starts[:3]}, the passes at {want[:3]}")


def main():
    check_readme()
    checked = check_corpus()
    check_names()
    check_catalogue()
    check_refusals()
    check_outputs()
    check_trust()
    print(f"{checked} corpus decks checked; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
