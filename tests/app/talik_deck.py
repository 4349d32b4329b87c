#!/usr/bin/env python3
"""talik-deck from the command line: decks that talik runs, the refusals with
their places, --out-dir, and --check flagging each likely slip.

usage: talik_deck.py TALIK_DECK TALIK EXAMPLES_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402

ISS_LINE1 = "1 25544U 98067A   19343.69339541  .00001764  00000-0  38792-4 0  9991"
ISS_LINE2 = "2 25544  51.6439 211.2001 0007417  17.6667  85.6398 15.50103472202482"
# The plain deck with one slip each, and the words its warning must hold.
SLIPS = [
    ("touching", talikrun.deck(elements=["6878.0", "0.0010", "51.6", "4109.529", "30.00", "45.00"],
                               layout=lambda v, w: v.rjust(w) if v != "4109.529" else v.ljust(w)),
     "record 4, columns 21-40: the numbers of inclination and right ascension"),
    ("angle", talikrun.deck(change={(4, 4): "4109.529"}), "right ascension of the ascending node 4109.529 deg is outside 0 to 360"),
    ("inclination", talikrun.deck(change={(4, 3): "181.0"}), "inclination 181 deg is outside 0 to 180"),
    ("output-choice", talikrun.deck(iout=" 7"), "output choice 7 writes no report"),
    ("after-the-set", talikrun.deck() + "   12.5\n", "record 6: records after the element set are not read"),
    ("far-epoch", talikrun.deck(epoch=["1995", "5", "1", "12", "0", "0", "12345"]), "element sets age"),
    ("mean-motion", talikrun.deck(change={(5, 4): "15.02"}), "does not match the semi-major axis"),
    ("beyond-the-last-field", talikrun.deck().replace("    6\n", "    6   12\n", 1), "text after the record's last"),
]


def run(args, stdin=None, cwd=None):
    p = subprocess.run(args, capture_output=True, text=True, input=stdin, cwd=cwd, timeout=60)
    return p.returncode, p.stdout, p.stderr


def main(argv):
    deck_tool, talik, examples = (os.path.abspath(a) for a in argv[1:4])
    problems = []

    def expect(what, ok):
        if not ok:
            problems.append(what)

    with tempfile.TemporaryDirectory(prefix="talik-deck-") as work:
        status, deck, err = run([deck_tool, os.path.join(examples, "iss.tle"), "--output", "file"])
        r = talikrun.run(talik, deck)
        expect("a converted deck runs and reports", status == 0 and r.status == 0 and r.report)
        status, out, err = run([deck_tool, "-"], stdin=ISS_LINE1 + "\n" + ISS_LINE2[:-1] + "3\n")
        expect(f"a wrong checksum names the line and the digit: {err!r}",
               status == 1 and "standard input: line 2: checksum 3, expected 2" in err)
        status, out, err = run([deck_tool, "-"], stdin=f"ISS\r{ISS_LINE1}\r{ISS_LINE2}\r")
        expect(f"sets with CR line ends are read: {err!r}", status == 0 and out.startswith(" 6"))
        status, out, err = run([deck_tool, "-"], stdin="[" + ",".join(["0"] * 1000) + "]")
        lines = err.splitlines()
        expect(f"a thousand refused entries print ten lines and a count: {lines[-3:]!r}",
               status == 1 and len(lines) == 12 and lines[0] == "talik-deck: standard input: entry 1: not an object"
               " of a set's keys" and lines[10] == "talik-deck: standard input: ... and 990 more entries refused")
        status, out, err = run([deck_tool, os.path.join(examples, "iss.tle"), "--hours", "10000"])
        expect(f"a window beyond 99999 steps is refused: {err!r}", status == 1 and "99999" in err)
        status, out, err = run([deck_tool, os.path.join(examples, "iss.tle"), "--start", "2020-01-10T00:00:00"])
        expect(f"an old element set is warned about: {err!r}", status == 0 and "element sets age" in err)
        status, out, err = run([deck_tool, os.path.join(examples, "iss.tle"), "--step", "0"])
        expect(f"a step of 0 is refused: {err!r}", status == 1 and "--step" in err)
        status, out, err = run([deck_tool, "--bogus"])
        expect(f"a bad option is a usage error: {err!r}", status == 2 and err.count("\n") == 1)
        status, out, err = run([deck_tool, "--out-dir", work, os.path.join(examples, "iss.tle")])
        expect("--out-dir names the deck by catalogue number", status == 0 and os.path.isfile(f"{work}/25544.deck"))
        # Outputs: standard output as -, never over the source, never lost to a closed standard output.
        plain = run([deck_tool, os.path.join(examples, "iss.tle")])[1]
        status, out, err = run([deck_tool, os.path.join(examples, "iss.tle"), "-o", "-"])
        expect(f"-o - is standard output: {err!r}", status == 0 and out == plain)
        source = os.path.join(work, "25544.deck")
        shutil.copy(os.path.join(examples, "iss.tle"), source)
        status, out, err = run([deck_tool, "--out-dir", work, source])
        expect(f"--out-dir over the source is refused: {err!r}", status == 1 and f'--out-dir "{source}": is the input'
               in err and open(source).read() == open(os.path.join(examples, "iss.tle")).read())
        status, out, err = run(["sh", "-c", 'exec "$@" >&-', "sh", deck_tool, os.path.join(examples, "iss.tle")])
        expect(f"a closed standard output is a failure: {err!r}", status == 1 and "it was closed when" in err)
        # Values are checked before use; several sets of one object give the newest.
        iss = os.path.join(examples, "iss.tle")
        two = os.path.join(work, "two.tle")
        with open(two, "w") as f:
            f.write(open(iss).read() + "ISS (ZARYA)\n" + ISS_LINE1.replace("19343.69339541", "19344.69339541")[:-1] + "2\n"
                    + ISS_LINE2 + "\n")
        for args, status_wanted, words in [
                ([iss, "--hours", "nan"], 1, "--hours nan: the window must be longer than 0"),
                ([iss, "--hours", "inf"], 1, "--hours inf"), ([iss, "--hours", "1e300"], 1, "--hours 1e+300"),
                ([iss, "--steps", "0"], 1, "--steps: the run needs 0 steps"), ([iss, "--select", ""], 1, "--select"),
                ([iss, "--days", "3"], 0, ""), ([iss, "--out-dir", ""], 1, "--out-dir: an empty value"),
                ([two], 0, "1 older element set left aside"),
                ([two, "--out-dir", work], 0, "1 deck written, 1 of them in place of a deck of the same name")]:
            status, out, err = run([deck_tool, *args])
            expect(f"{args[1:]}: {status} {err!r}", status == status_wanted and words in err
                   and "-9223372036854775808" not in err and (status == 0 or err.count("\n") == 1))
        status, out, err = run([deck_tool, two])
        expect(f"the newest set of two: {out!r}", " 2019   12   10" in out)
        for name, text, words in SLIPS:
            path = os.path.join(work, name + ".deck")
            with open(path, "w") as f:
                f.write(text)
            status, out, err = run([deck_tool, "--check", path])
            expect(f"--check flags {name}: {out[-400:]!r} {err!r}", status == 0 and words in out)
        r = talikrun.run(talik, talikrun.deck(change={(4, 2): "1.5"}))
        path = os.path.join(work, talikrun.DECK_NAME)
        with open(path, "w") as f:
            f.write(talikrun.deck(change={(4, 2): "1.5"}))
        status, out, err = run([deck_tool, "--check", talikrun.DECK_NAME], cwd=work)
        expect(f"--check refuses as talik does: {err!r} {r.stderr!r}",
               status == 1 and err.replace("talik-deck:", "talik:") == r.stderr.decode())
    for p in problems:
        print("FAIL", p)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
