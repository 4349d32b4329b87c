#!/usr/bin/env python3
"""Bad-input catalogue: every case is a deck (the plain deck with one thing
wrong), the exact line expected on stderr and the exit status.  Each runs
in a fresh directory holding a good KESTAD.DAT from an earlier run, which
must come out byte for byte as it went in, with nothing else left behind.
The last cases are faults of the process around a good run (a closed
descriptor, signals, a closed pipe, a file-size limit, the prompt, the
replaced file's owner, links), each run through a small bash script.

usage: catalogue.py TALIK [CASE...]    run all cases, or the ones named
       catalogue.py --list             the names of the cases
"""

import os
import re
import signal
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402
from talikrun import deck  # noqa: E402


class Case:
    def __init__(self, name, text, err, status=1, stdout=b"", arg=None, setup=None, workdir=None, left=None,
                 keep_report=True, needs=None, prefix=(), after=None):
        self.name = name
        self.text = text
        self.err = err  # stderr without "talik: " and the line end; None for none at all
        self.status = status
        self.stdout = stdout  # exact console bytes, or None to only look for NaN
        self.arg = arg
        self.setup = setup
        self.workdir = workdir
        self.left = left if left is not None else ["KESTAD.DAT", talikrun.DECK_NAME]
        self.keep_report = keep_report  # a good KESTAD.DAT is there and must survive
        self.needs = needs  # a function saying why the case cannot run here, or None
        self.prefix = prefix  # a command that runs talik, given as its arguments
        self.after = after  # a function of the work directory and the result: problems found, or []


D = talikrun.DECK_NAME
OPEN_ERROR = b"== OUTPUT FILE OPEN ERROR!"

# Where each numeric field of the deck lies: (record, field, columns, kind).
INTEGER, REAL = "an integer", "a number"
FIELDS = [(1, 1, "1-2", INTEGER)]
FIELDS += [(2, i, f"{5 * i - 4}-{5 * i}", INTEGER) for i in range(1, 10)]
FIELDS += [(3, i, f"{5 * i - 4}-{5 * i}", INTEGER) for i in range(1, 8)]
FIELDS += [(4, i, f"{10 * i - 9}-{10 * i}", REAL) for i in range(1, 7)]
FIELDS += [(5, i, f"{10 * i - 9}-{10 * i}", REAL) for i in range(1, 5)]


def plain_value(rec, fld):
    return [[talikrun.IOUT.strip()], talikrun.RUN, talikrun.EPOCH, talikrun.ELEMENTS, talikrun.RATES][rec - 1][fld - 1]


def with_field(rec, fld, text):
    if rec == 1:
        return deck(iout=text)
    return deck(change={(rec, fld): text})


def not_a(rec, cols, text, kind):
    return f'{D}: record {rec}, columns {cols}: "{text}" is not {kind}'


def letter_cases():
    """A letter O typed for a zero (or an l for a one) in every field read."""
    out = []
    for rec, fld, cols, kind in FIELDS:
        value = plain_value(rec, fld)
        if "0" in value:
            bad = value.replace("0", "O", 1)
        elif "1" in value:
            bad = value.replace("1", "l", 1)
        else:
            bad = value + "x"
        out.append(Case(f"letter-r{rec}f{fld}", with_field(rec, fld, bad), not_a(rec, cols, bad, kind)))
    return out


def unshare_works():
    try:
        p = subprocess.run(["unshare", "-m", "true"], capture_output=True, timeout=10)
        return None if p.returncode == 0 else "cannot make a mount namespace here"
    except (OSError, subprocess.TimeoutExpired):
        return "no unshare here"


CASES = [
    # The deck itself.
    Case("missing-deck", None, f"{D}: cannot read the deck: No such file or directory", left=["KESTAD.DAT"]),
    Case("deck-is-directory", None, "case.dir: cannot read the deck: Is a directory", arg="case.dir",
         setup=lambda d: os.mkdir(os.path.join(d, "case.dir")), left=["KESTAD.DAT", "case.dir"]),
    Case("deck-under-a-file", deck(), f"{D}/deck: cannot read the deck: Not a directory", arg=f"{D}/deck"),
    Case("deck-unreadable", None, "/proc/self/mem: cannot read the deck: Input/output error", arg="/proc/self/mem",
         left=["KESTAD.DAT"]),
    Case("deck-too-large", deck() + " " * (1 << 20), f"{D}: cannot read the deck: larger than 1 MiB"),
    Case("deck-empty", "", f"{D}: record 1 is missing (the deck is empty)"),
    Case("deck-one-blank-line", "\n", f"{D}: record 2 is missing (the deck ends after record 1)"),
]
# Each record missing in turn.
for k in range(1, 5):
    CASES.append(Case(f"record-{k + 1}-missing", "".join(deck().splitlines(True)[:k]),
                      f"{D}: record {k + 1} is missing (the deck ends after record {k})"))
CASES.append(Case("record-1-missing", "", f"{D}: record 1 is missing (the deck is empty)"))
CASES += letter_cases()
CASES += [
    # Signs, commas, exponents and points where they do not belong.
    Case("sign-inside-integer", with_field(2, 8, "12-3"), not_a(2, "36-40", "12-3", INTEGER)),
    Case("two-signs-integer", with_field(2, 7, "+-5"), not_a(2, "31-35", "+-5", INTEGER)),
    Case("sign-after-integer", with_field(3, 7, "1234-"), not_a(3, "31-35", "1234-", INTEGER)),
    Case("lone-sign-integer", with_field(2, 9, "-"), not_a(2, "41-45", "-", INTEGER)),
    Case("sign-inside-real", with_field(4, 1, "68-78.0"), not_a(4, "1-10", "68-78.0", REAL)),
    Case("two-signs-real", with_field(5, 1, "+-0.05"), not_a(5, "1-10", "+-0.05", REAL)),
    Case("sign-after-real", with_field(4, 3, "51.60-"), not_a(4, "21-30", "51.60-", REAL)),
    Case("comma-in-integer", with_field(2, 8, "1,440"), not_a(2, "36-40", "1,440", INTEGER)),
    Case("decimal-comma-in-real", with_field(4, 1, "6878,0"), not_a(4, "1-10", "6878,0", REAL)),
    Case("exponent-in-integer", with_field(2, 8, "1E3"), not_a(2, "36-40", "1E3", INTEGER)),
    Case("point-in-integer", with_field(2, 7, "60.0"), not_a(2, "31-35", "60.0", INTEGER)),
    Case("point-in-year", with_field(3, 1, "1995."), not_a(3, "1-5", "1995.", INTEGER)),
    Case("point-in-output-choice", deck(iout="8."), not_a(1, "1-2", "8.", INTEGER)),
    Case("two-points-real", with_field(4, 2, "0.0.1"), not_a(4, "11-20", "0.0.1", REAL)),
    Case("exponent-without-digits", with_field(4, 1, "6.878E"), not_a(4, "1-10", "6.878E", REAL)),
    Case("exponent-with-point", with_field(4, 1, "6.8E3.0"), not_a(4, "1-10", "6.8E3.0", REAL)),
    Case("lone-point-real", with_field(5, 2, "."), not_a(5, "11-20", ".", REAL)),
    # Numbers too large for their variables: refused, never wrapped.
    Case("step-beyond-16-bits", with_field(2, 7, "40000"),
         f'{D}: record 2, columns 31-35: "40000" is out of range (-32768 to 32767)'),
    Case("year-beyond-16-bits", with_field(2, 1, "99999"),
         f'{D}: record 2, columns 1-5: "99999" is out of range (-32768 to 32767)'),
    Case("epoch-second-beyond-16-bits", with_field(3, 6, "65536"),
         f'{D}: record 3, columns 26-30: "65536" is out of range (-32768 to 32767)'),
    Case("real-beyond-single", with_field(4, 4, "1E39"), f'{D}: record 4, columns 31-40: "1E39" is too large'),
    Case("real-beyond-double-exponent", with_field(5, 4, "-9E99999"),
         f'{D}: record 5, columns 31-40: "-9E99999" is too large'),
    # Bytes that are no text.
    Case("nul-in-output-choice", deck(iout="\0\0"), f'{D}: record 1, columns 1-2: "\\x00\\x00" is not an integer'),
    Case("nul-in-run-line", deck().replace(" 1440", "14\x0040", 1),
         f'{D}: record 2, columns 36-40: "14\\x0040" is not an integer'),
    Case("nul-in-real", deck().replace("6878.0", "68\x0078.0", 1),
         f'{D}: record 4, columns 1-10: "68\\x0078." is not a number'),
    Case("binary-junk", bytes(range(256)) * 4, f'{D}: record 1, columns 1-2: "\\x00\\x01" is not an integer'),
    Case("bytes-above-127", deck().replace("51.60", "51.6\xb0", 1),
         f'{D}: record 4, columns 21-30: "51.6\\xB0" is not a number'),
    # The report file cannot be written.
    Case("report-is-a-directory", deck(), "KESTAD.DAT: cannot be written: it is not a regular file",
         stdout=OPEN_ERROR, keep_report=False, setup=lambda d: os.mkdir(os.path.join(d, "KESTAD.DAT"))),
    Case("report-in-proc", deck(), "KESTAD.DAT: cannot create a file beside it: No such file or directory",
         stdout=OPEN_ERROR, workdir="/proc"),
    Case("report-on-read-only-mount", deck(), "KESTAD.DAT: cannot be written: Read-only file system",
         stdout=OPEN_ERROR, workdir="ro", needs=unshare_works),
    Case("report-new-on-read-only-mount", deck(), "KESTAD.DAT: cannot create a file beside it: Read-only file system",
         stdout=OPEN_ERROR, workdir="ro", keep_report=False, left=[D], needs=unshare_works),
    # Run line values no run can use.
    Case("station-0", with_field(2, 9, "0"), f"{D}: record 2, columns 41-45: station 0 is outside 1 to 8"),
    Case("station-9", with_field(2, 9, "9"), f"{D}: record 2, columns 41-45: station 9 is outside 1 to 8"),
    Case("station-minus-1", with_field(2, 9, "-1"), f"{D}: record 2, columns 41-45: station -1 is outside 1 to 8"),
    Case("station-blank", with_field(2, 9, ""), f"{D}: record 2, columns 41-45: station 0 is outside 1 to 8"),
    Case("run-month-0", with_field(2, 2, "0"), f"{D}: record 2, columns 6-10: month 0 is outside 1 to 12"),
    Case("run-month-13", with_field(2, 2, "13"), f"{D}: record 2, columns 6-10: month 13 is outside 1 to 12"),
    Case("run-day-32", with_field(2, 3, "32"), f"{D}: record 2, columns 11-15: day 32 is outside 1 to 30"),
    Case("run-day-0", with_field(2, 3, "0"), f"{D}: record 2, columns 11-15: day 0 is outside 1 to 30"),
    Case("run-february-29", deck(run=["1995", "2", "29", "0", "0", "0", "60", "10", "6"]),
         f"{D}: record 2, columns 11-15: day 29 is outside 1 to 28"),
    Case("run-hour-24", with_field(2, 4, "24"), f"{D}: record 2, columns 16-20: hour 24 is outside 0 to 23"),
    Case("run-minute-60", with_field(2, 5, "60"), f"{D}: record 2, columns 21-25: minute 60 is outside 0 to 59"),
    Case("run-second-minus-1", with_field(2, 6, "-1"), f"{D}: record 2, columns 26-30: second -1 is outside 0 to 59"),
    Case("run-year-1900", with_field(2, 1, "1900"), f"{D}: record 2, columns 1-5: year 1900 is outside 1901 to 9999"),
    Case("run-year-blank", with_field(2, 1, ""), f"{D}: record 2, columns 1-5: year 0 is outside 1901 to 9999"),
    Case("epoch-month-0", with_field(3, 2, "0"), f"{D}: record 3, columns 6-10: month 0 is outside 1 to 12"),
    Case("epoch-month-13", with_field(3, 2, "13"), f"{D}: record 3, columns 6-10: month 13 is outside 1 to 12"),
    Case("epoch-day-32", with_field(3, 3, "32"), f"{D}: record 3, columns 11-15: day 32 is outside 1 to 30"),
    Case("epoch-hour-24", with_field(3, 4, "24"), f"{D}: record 3, columns 16-20: hour 24 is outside 0 to 23"),
    Case("epoch-too-far", with_field(3, 1, "2090"),
         f"{D}: record 3, columns 1-5: the epoch is 34698 days from the start; at most 32767 are allowed"),
    # Runs leaving the Sun table's window.
    Case("window-forward", deck(run=["1995", "12", "1", "0", "0", "0", "3600", "2000", "6"]),
         f"{D}: record 2, columns 31-40: the last step falls 417 days after 1 January 1995; every step must lie "
         "from 39 days before to 399 days after 1 January of the start year"),
    Case("window-backward", deck(run=["1995", "1", "10", "0", "0", "0", "-3600", "1500", "6"]),
         f"{D}: record 2, columns 31-40: the last step falls 54 days before 1 January 1995; every step must lie "
         "from 39 days before to 399 days after 1 January of the start year"),
    Case("window-one-step-past", deck(run=["1995", "12", "31", "23", "0", "0", "3600", "842", "6"]),
         f"{D}: record 2, columns 31-40: the last step falls 400 days after 1 January 1995; every step must lie "
         "from 39 days before to 399 days after 1 January of the start year"),
    Case("run-into-the-year-10000", deck(run=["9999", "12", "31", "0", "0", "0", "3600", "25", "5"],
                                         epoch=["9999", "12", "30", "0", "0", "0", "1"]),
         f"{D}: record 2, columns 31-40: the last step falls in the year 10000; every step must lie in 9999 or before"),
    # Element sets no orbit has.
    Case("eccentricity-1", with_field(4, 2, "1.0"), f"{D}: record 4, columns 11-20: eccentricity 1 is outside 0 <= e < 1"),
    Case("eccentricity-negative", with_field(4, 2, "-0.001"),
         f"{D}: record 4, columns 11-20: eccentricity -0.001 is outside 0 <= e < 1"),
    Case("semi-major-axis-0", with_field(4, 1, "0.0"), f"{D}: record 4, columns 1-10: semi-major axis 0 must be positive"),
    Case("semi-major-axis-blank", with_field(4, 1, ""), f"{D}: record 4, columns 1-10: semi-major axis 0 must be positive"),
    Case("semi-major-axis-negative", with_field(4, 1, "-6878.0"),
         f"{D}: record 4, columns 1-10: semi-major axis -6878 must be positive"),
    Case("semi-major-axis-beyond-reach", with_field(4, 1, "1.5E6"),
         f"{D}: record 4, columns 1-10: semi-major axis 1500000 km is 1000000 km or more, beyond any orbit of the Earth"),
    Case("perigee-near-the-centre", with_field(4, 2, "0.99"),
         f"{D}: record 4, columns 1-20: the perigee lies 68.78 km from the Earth's centre (semi-major axis 6878, "
         "eccentricity 0.99); it must lie at least 100 km from it"),
    Case("semi-major-axis-tiny", with_field(4, 1, "1E-20"),
         f"{D}: record 4, columns 1-20: the perigee lies 9.99e-21 km from the Earth's centre (semi-major axis 1e-20, "
         "eccentricity 0.001); it must lie at least 100 km from it"),
    Case("decay-to-nothing-in-the-run", with_field(5, 1, "-6000"),
         f"{D}: record 5, columns 1-10: rate of the semi-major axis -6000 km/day brings the semi-major axis to "
         "-2117.8 km by the last step; the perigee must stay at least 100 km from the Earth's centre"),
    Case("decay-to-the-centre-in-the-run", with_field(5, 1, "-4540"),
         f"{D}: record 5, columns 1-10: rate of the semi-major axis -4540 km/day brings the perigee to 71.1 km from "
         "the Earth's centre by the last step; it must stay at least 100 km from it"),
    Case("decay-backward-beyond-reach", deck(run=["1995", "6", "14", "12", "0", "0", "-60", "1440", "6"],
                                             change={(5, 1): "-1E6"}),
         f"{D}: record 5, columns 1-10: rate of the semi-major axis -1e+06 km/day brings the semi-major axis to "
         "1006183.6 km by the last step; it must stay below 1000000 km"),
    Case("decay-rate-huge", with_field(5, 1, "-1E30"),
         f"{D}: record 5, columns 1-10: rate of the semi-major axis -1e+30 km/day is outside -1000000 to 1000000 km/day"),
    Case("node-rate-huge", with_field(5, 2, "1E10"),
         f"{D}: record 5, columns 11-20: rate of the right ascension of the ascending node 1e+10 deg/day is outside "
         "-1000000 to 1000000 deg/day"),
    Case("perigee-rate-huge", with_field(5, 3, "-3E38"),
         f"{D}: record 5, columns 21-30: rate of the argument of perigee -3e+38 deg/day is outside "
         "-1000000 to 1000000 deg/day"),
    Case("mean-motion-huge", with_field(5, 4, "1E30"),
         f"{D}: record 5, columns 31-40: mean motion 1e+30 gives a revolution number at the start beyond the "
         "32-bit range"),
    # The run counts revolutions on from the start: the start must leave room.
    Case("revolution-number-near-the-limit", with_field(5, 4, "4.294843E9"),
         f"{D}: record 5, columns 31-40: mean motion 4294842880 gives a revolution number at the start beyond "
         "the 32-bit range"),
]


# The faults of the process around the run.  BIG is a long run (99999 steps)
# writing KESTAD.DAT; KEPLER a run whose solver reports non-convergence on
# the console many times while the report goes to KESTAD.DAT.
BIG_RUN = ["1995", "1", "1", "0", "0", "0", "300", "99999", "6"]
BIG = deck(run=BIG_RUN, epoch=["1995", "1", "1", "0", "0", "0", "100"])
KEPLER = deck(run=["1995", "1", "1", "0", "0", "0", "60", "9999", "6"], epoch=["1995", "1", "1", "0", "0", "0", "100"],
              elements=["30000.0", "0.99", "51.6", "100.0", "30.0", "0.01"], rates=["0.0", "0.0", "0.0", "1.0", "0.0"])
PROMPT = b"File name missing or blank - please enter file name\r\nUNIT 7? "
OTHER_USER = 65534


def shell(script):
    """Runs talik ($0, with its argument as $1) from a bash script."""
    return ["bash", "-c", script]


def as_root():
    return None if os.geteuid() == 0 else "needs root, to give files to another user"


def signal_case(name, ignored=False):
    """The signal comes once the temporary report exists, mid-run; with
    ignored, talik starts with the signal ignored (as under nohup) and runs
    to its end.  Job control keeps SIGINT and SIGQUIT from being ignored in
    the background; no core file is written."""
    number = signal.SIGRTMIN + int(name[6:] or 0) if name.startswith("RTMIN") else getattr(signal, "SIG" + name)
    script = ("set -m; ulimit -c 0; " + (f'trap "" {name}; ' if ignored else "") +
              '"$0" "$1" & p=$!; until compgen -G "KESTAD.DAT.*" >/dev/null || ! kill -0 $p 2>/dev/null; do :; done; '
              f"kill -{name} $p; wait $p 2>/dev/null")
    if ignored:
        return Case(f"signal-{name.lower()}-ignored", BIG, None, status=0, stdout=None, keep_report=False,
                    prefix=shell(script))
    return Case(f"signal-{name.lower()}", BIG, None, status=128 + number, stdout=None, prefix=shell(script))


def strace_works():
    try:
        p = subprocess.run(["strace", "-o", os.devnull, "true"], capture_output=True, timeout=10)
        return None if p.returncode == 0 else "strace cannot trace here"
    except (OSError, subprocess.TimeoutExpired):
        return "no strace here"


def synced_around_rename(r):
    """The new report is synced to disk before it is renamed over KESTAD.DAT,
    and its directory after."""
    opened, events = {}, []
    with open(os.path.join(r.home, "trace"), encoding="latin-1") as f:
        for line in f:
            m = re.match(r'\d+\s+(\w+)\((.*)\)\s+= (-?\d+)', line)
            if not m:
                continue
            call, args, result = m.groups()
            if call == "openat":
                opened[result] = "report" if '"KESTAD.DAT.' in args else "directory" if "O_DIRECTORY" in args else None
            elif call == "fsync" and opened.get(args):
                events.append("sync " + opened[args])
            elif call.startswith("rename") and 'KESTAD.DAT"' in args:
                events.append("rename")
    wanted = ["sync report", "rename", "sync directory"]
    return [] if events == wanted else [f"calls {events}, expected {wanted}"]


def report_has_no_console_text(r):
    return ["KESTAD.DAT holds console text"] if r.report is None or b"CONVERGE" in r.report else []


def owner_kept(r):
    st = os.stat(os.path.join(r.home, "KESTAD.DAT"))
    return [] if (st.st_uid, st.st_gid) == (OTHER_USER, OTHER_USER) else [f"KESTAD.DAT belongs to {st.st_uid}"]


def give_report_away(home):
    path = os.path.join(home, "KESTAD.DAT")
    with open(path, "wb") as f:
        f.write(b"an older report\r\n")
    os.chown(path, OTHER_USER, OTHER_USER)


def dangling_link(home):
    os.mkdir(os.path.join(home, "sub"))
    os.symlink("sub/target.dat", os.path.join(home, "KESTAD.DAT"))


def link_followed(r):
    link = os.path.join(r.home, "KESTAD.DAT")
    target = os.path.join(r.home, "sub", "target.dat")
    if not os.path.islink(link):
        return ["KESTAD.DAT is no longer a link"]
    return [] if os.path.isfile(target) and os.path.getsize(target) > 0 else ["the link's target was not written"]


def planted_link(home):
    shared = os.path.join(home, "shared")
    os.mkdir(shared)
    os.chmod(shared, 0o1777)
    os.symlink(os.path.join(home, "elsewhere.dat"), os.path.join(shared, "KESTAD.DAT"))
    os.lchown(os.path.join(shared, "KESTAD.DAT"), OTHER_USER, OTHER_USER)


PROCESS_CASES = [
    Case("stdout-closed", KEPLER, None, status=0, stdout=None, keep_report=False, prefix=shell('exec "$0" "$1" >&-'),
         after=report_has_no_console_text),
    *(signal_case(name) for name in ("INT", "TERM", "HUP", "QUIT", "USR1", "USR2", "ALRM", "SEGV", "RTMIN+3")),
    signal_case("HUP", ignored=True),
    Case("stdout-closed-console-report", deck(iout=" 6"),
         "cannot write to the console: it was closed when the program started", prefix=shell('exec "$0" "$1" >&-')),
    Case("report-synced", deck(), None, status=0, needs=strace_works, left=["KESTAD.DAT", D, "trace"],
         prefix=shell('ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" '
                      'exec strace -f -qq -o trace -e trace=openat,fsync,rename,renameat,renameat2 "$0" "$1"'),
         after=synced_around_rename),
    Case("pipe-closed", deck(iout=" 6", run=BIG_RUN), "cannot write to the console: Broken pipe", stdout=None,
         prefix=shell('"$0" "$1" | head -c1 >/dev/null; exit ${PIPESTATUS[0]}')),
    Case("file-size-limit", BIG, "KESTAD.DAT: cannot be written: File too large",
         prefix=shell('ulimit -f 100; exec "$0" "$1"')),
    Case("prompt-nul-bytes", deck(), "standard input: the deck's name holds a NUL byte", stdout=PROMPT,
         prefix=shell('exec "$0" </dev/zero')),
    Case("prompt-too-long", deck(), "standard input: the deck's name is longer than 4095 bytes", stdout=PROMPT,
         prefix=shell('head -c 5000 /dev/zero | tr "\\0" a | "$0"')),
    Case("owner-kept", deck(), None, status=0, keep_report=False, setup=give_report_away, needs=as_root,
         after=owner_kept),
    Case("dangling-link-followed", deck(), None, status=0, keep_report=False, setup=dangling_link,
         left=["KESTAD.DAT", D, "sub"], after=link_followed),
    Case("planted-link-refused", deck(), "KESTAD.DAT: is a link in a world-writable sticky directory that belongs "
         "to neither you nor the directory's owner; it is not followed", stdout=OPEN_ERROR, setup=planted_link,
         needs=as_root, left=["KESTAD.DAT", D, "shared"], prefix=shell('cd shared && exec "$0" ../"$1"')),
]
CASES += PROCESS_CASES


def run_case(talik, case):
    before = talikrun.plain_report(talik) if case.keep_report else None
    if case.workdir == "ro":
        # A private read-only bind mount of the work directory: the report
        # can be neither created nor replaced there, even by root.
        wrapper = os.path.join(os.path.dirname(os.path.abspath(__file__)), "read_only.sh")
        return talikrun.run(talik, case.text, before=before, setup=case.setup, arg=case.arg, prefix=[wrapper])
    return talikrun.run(talik, case.text, before=before, setup=case.setup, workdir=case.workdir, arg=case.arg,
                        prefix=case.prefix, keep=case.after is not None)


def check(talik, case):
    """Problems found with one case, as a list of lines."""
    if case.needs is not None:
        why = case.needs()
        if why:
            return None, why
    r = run_case(talik, case)
    problems = []
    if r.timed_out:
        return [f"no end within {talikrun.TIMEOUT} s"], None
    if r.status != case.status:
        problems.append(f"exit status {r.status}, expected {case.status}")
    expected_err = b"" if case.err is None else ("talik: " + case.err + "\n").encode("latin-1")
    if r.stderr != expected_err:
        problems.append(f"stderr {r.stderr!r}\n   expected {expected_err!r}")
    if case.stdout is not None and r.stdout != case.stdout:
        problems.append(f"stdout {r.stdout[:300]!r}, expected {case.stdout!r}")
    if talikrun.nonfinite(r.stdout):
        problems.append("stdout shows NaN or Inf")
    if case.keep_report and r.report != talikrun.plain_report(talik):
        problems.append("KESTAD.DAT was changed" if r.report is not None else "KESTAD.DAT is gone")
    if r.left != sorted(case.left):
        problems.append(f"the directory holds {r.left}, expected {sorted(case.left)}")
    if case.after is not None:
        problems += case.after(r)
        r.discard()
    return problems, None


def main(argv):
    if argv[1:] == ["--list"]:
        print("\n".join(c.name for c in CASES))
        return 0
    talik = os.path.abspath(argv[1])
    wanted = argv[2:]
    by_name = {c.name: c for c in CASES}
    unknown = [w for w in wanted if w not in by_name]
    if unknown:
        print("no such case:", *unknown)
        return 2
    cases = [by_name[w] for w in wanted] if wanted else CASES
    return talikrun.tally((case.name, *check(talik, case)) for case in cases)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
