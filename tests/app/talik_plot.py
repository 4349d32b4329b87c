#!/usr/bin/env python3
"""talik-plot from the command line: the pictures of a shipped element set,
with the places a pixel check needs worked out from talik's own report; a
hostile object name escaped; the refusals; pass numbers as talik-passes
gives them.

usage: talik_plot.py TALIK_PLOT TALIK_PASSES TALIK_DECK TALIK EXAMPLES_DIR OUT_DIR

Writes OUT_DIR/map.svg, sky.svg and page.html for examples/iss.tle seen
from MADRID (one day from the first whole minute after the epoch, in
talik-plot's default 20 s steps) and OUT_DIR/probes.txt for
tests/plot/check_render.py: the station's marker, a sub-satellite point
inside a pass, one inside a visible stretch and one outside any pass (from
talik's KESTAD.DAT for MADRID and for UCLA over the same steps, and the
visible stretches talik-passes gives), land and sea, each with the colour
the picture's own legend gives it.  Then the refusals, the outputs other
than a file (standard output with --format, a closed standard output),
and a pass picked by the number talik-passes gives it.
"""
import csv
import datetime
import io
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402

SVG = "{http://www.w3.org/2000/svg}"
HOSTILE = "<script>alert(1)</script> & \"quoted\" 'single'"
# The first whole minute after examples/iss.tle's epoch: talik-deck's start.
START = ["--start", "2019-12-09T16:39:00"]


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=120, **kw)


def legend_colours(svg):
    """The legend's colours by the start of their text (of a line drawn
    over another, the one on top)."""
    root = ET.parse(svg).getroot()
    colours = {}
    for g in root.iter(f"{SVG}g"):
        text = g.find(f"{SVG}text")
        paths = g.findall(f"{SVG}path")
        mark = paths[-1] if paths else g.find(f"{SVG}rect")
        if text is not None and mark is not None and text.text:
            colours[text.text] = mark.get("stroke") if mark.tag.endswith("path") else mark.get("fill")
    frame = next(e for e in root.iter(f"{SVG}rect") if e.get("id") == "talik-map-frame")
    land = next(e for e in root.iter(f"{SVG}path") if e.get("fill-rule") == "evenodd")
    return colours, frame.get("fill"), land.get("fill")


def report_lines(deck_tool, talik, tle, station):
    """talik's data lines for the element set over one day in 20 s steps:
    (UTC, latitude, longitude, D sunlit or N)."""
    deck = run([deck_tool, tle, "--station", station, "--step", "20", "--output", "file"], check=True).stdout
    r = talikrun.run(talik, deck)
    assert r.status == 0, r.stderr
    lines = r.report.decode().splitlines()
    return [(report_time(line), float(line[34:41]), float(line[41:48]), line[72]) for line in lines]


def report_time(line):
    """The date-time of a report line: "2019/12/ 9 16:39: 0" in columns 7-25."""
    year, month, day = (int(f) for f in line[6:16].split("/"))
    hour, minute, second = (int(f) for f in line[17:25].split(":"))
    return datetime.datetime(year, month, day, hour, minute, second)


def passes_csv(passes_tool, args):
    """talik-passes' rows (numbered 1, 2, ... as listed) as dictionaries."""
    r = run([passes_tool, *args, "--format", "csv"], check=True)
    return list(csv.DictReader(io.StringIO(r.stdout)))


def utc(text):
    """A time of talik-passes' CSV ("2019-12-09T18:11:18.9Z")."""
    return datetime.datetime.strptime(text, "%Y-%m-%dT%H:%M:%S.%fZ")


def probes(out_dir, passes_tool, deck_tool, talik, tle):
    colours, sea, land = legend_colours(os.path.join(out_dir, "map.svg"))
    sunlit = next(c for t, c in colours.items() if t.startswith("track, sunlit"))
    shadow = next(c for t, c in colours.items() if t.startswith("track, in the Earth"))
    seen = next(c for t, c in colours.items() if t.startswith("outlined: visible"))
    site = colours["site"]
    madrid = report_lines(deck_tool, talik, tle, "6")
    ucla = report_lines(deck_tool, talik, tle, "8")
    stretches = [(utc(p["visible_first_utc"]), utc(p["visible_last_utc"]))
                 for p in passes_csv(passes_tool, [tle, *START, "--station", "6"]) if p["visible_first_utc"]]
    margin = datetime.timedelta(seconds=40)
    madrid_times = {t for t, *_ in madrid}
    # Away from the ten-minute ticks and their labels, from MADRID's passes
    # and from the edges of their visible stretches.
    quiet = [p for p in ucla if p[0] not in madrid_times and p[0].minute % 10 in (4, 5, 6)]
    unseen = [p for p in madrid if all(p[0] < a - margin or p[0] > b + margin for a, b in stretches)]
    visible = [p for p in madrid if any(a + margin < p[0] < b - margin for a, b in stretches)]
    inside = unseen[len(unseen) // 2]
    outside = quiet[len(quiet) // 2]
    rows = [("site", -3.68, 40.4, site),
            ("pass", inside[2], inside[1], sunlit if inside[3] == "D" else shadow),
            ("visible", visible[len(visible) // 2][2], visible[len(visible) // 2][1], seen),
            ("track", outside[2], outside[1], sunlit if outside[3] == "D" else shadow),
            ("land", 100.0, 65.0, land), ("sea", -35.0, -58.0, sea)]
    with open(os.path.join(out_dir, "probes.txt"), "w", encoding="ascii") as f:
        for kind, lon, lat, colour in rows:
            lon = lon - 360.0 if lon > 180.0 else lon
            f.write(f"{kind} {lon:.4f} {lat:.4f} {colour}\n")


def numbered_pass(passes_tool, tle):
    """A case for the table below: talik-plot's pass N is talik-passes' pass
    N, for the second pass over the second site (which passes sorted by
    time would not number so); its sky plot shows that pass's AOS, to the
    second."""
    args = [tle, *START, "--station", "6", "--site", "43.6,1.44,150,TOULOUSE"]
    rows = passes_csv(passes_tool, args)
    number = 1 + next(i for i, p in enumerate(rows, 1) if p["site"] == "TOULOUSE")
    aos = utc(rows[number - 1]["aos_utc"]) + datetime.timedelta(milliseconds=500)
    return ([*args, "--pass", str(number), "-o", "-", "--format", "svg"], "", 0,
            aos.strftime("%Y-%m-%d %H:%M:%S to "), "")


def hostile_name(plot, work, tle):
    """A name from the input never becomes markup."""
    lines = open(tle).read().splitlines()
    path = os.path.join(work, "hostile.tle")
    with open(path, "w") as f:
        f.write("\n".join([HOSTILE] + lines[1:]) + "\n")
    page = os.path.join(work, "hostile.html")
    r = run([plot, path, *START, "-o", page])
    if r.returncode != 0:
        return [f"hostile name: {r.stderr}"]
    root = ET.parse(page).getroot()
    texts = " ".join(t for e in root.iter() for t in (e.text, e.tail) if t)
    problems = []
    if any(e.tag.lower().endswith("script") for e in root.iter()):
        problems.append("the page holds a script element")
    if HOSTILE not in texts:
        problems.append("the name is not shown as plain text")
    return problems


def main(argv):
    plot, passes_tool, deck_tool, talik, examples = (os.path.abspath(a) for a in argv[1:6])
    out_dir = os.path.abspath(argv[6])
    os.makedirs(out_dir, exist_ok=True)
    tle = os.path.join(examples, "iss.tle")
    problems = []
    for name, extra in (("map.svg", []), ("sky.svg", ["--pass", "2"]), ("page.html", [])):
        r = run([plot, tle, *START, "--station", "6", "-o", os.path.join(out_dir, name), *extra])
        if r.returncode != 0:
            problems.append(f"{name}: {r.stderr}")
    if not problems:
        probes(out_dir, passes_tool, deck_tool, talik, tle)
    with tempfile.TemporaryDirectory(prefix="talik-plot-") as work:
        problems += hostile_name(plot, work, tle)
        # Two objects with epochs a day apart (June 2006).
        both = os.path.join(work, "two.tle")
        with open(both, "w") as f:
            for name in ("molniya.tle", "sun-synchronous.tle"):
                f.write(open(os.path.join(examples, name)).read())
        # (arguments, redirection, status, words on stdout, words on stderr)
        cases = [
            ([both, "--start", "2006-06-26T12:00", "-o", os.path.join(work, "x.svg")], "", 1, "", "--select"),
            ([tle, "-o", os.path.join(work, "x.png")], "", 1, "", ".svg or .html"),
            ([tle, "-o", "-"], "", 1, "", "needs --format"),
            ([tle, "-o", os.path.join(work, "x.html"), "--format", "svg"], "", 1, "", 'x.html" ends in .html'),
            ([tle, "-o", "-", "--format", "svg", "--pass", "1"], "", 0, "<?xml", ""),
            ([tle, "-o", "-", "--format", "html"], ">&-", 1, "", "it was closed when the program started"),
            numbered_pass(passes_tool, tle),
        ]
        for args, redirect, status, out, words in cases:
            args = args if "--start" in args else args + START
            r = run(["sh", "-c", f'exec "$@" {redirect}', "sh", plot, *args])
            if r.returncode != status or out not in r.stdout or words not in r.stderr:
                problems.append(f"{args[1:]} {redirect}: status {r.returncode}, {r.stderr!r}")
    for p in problems:
        print("FAIL", p)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
