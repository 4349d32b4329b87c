#!/usr/bin/env python3
"""Awkward but valid decks run exactly like their plain twin: the same
console bytes, the same KESTAD.DAT, both with the report on the console
and with the report in the file.

usage: twins.py TALIK [TWIN...]    run all twins, or the ones named
       twins.py --list             the names of the twins
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402
from talikrun import deck  # noqa: E402

JUNK = "".join(chr(c) for c in range(33, 127)) * 60  # 5640 printable bytes


def spread(text, width):
    """The characters of a value spaced out with blanks over its field."""
    if len(text) * 2 - 1 > width:
        return text.rjust(width)
    return " ".join(text).rjust(width)


def tabbed(text, width):
    return text.rjust(width).replace(" ", "\t")


def long_records(iout):
    """Every record followed by junk well past the columns the format reads."""
    reads = [2, 45, 35, 60, 40]  # columns read from each record
    return "".join(rec[:n].ljust(n) + JUNK + "\n" for rec, n in zip(deck(iout=iout).splitlines(), reads))


TWINS = {
    "crlf-line-ends": lambda io: deck(iout=io, end="\r\n"),
    "byte-order-mark": lambda io: "\xef\xbb\xbf" + deck(iout=io),
    "cr-line-ends": lambda io: deck(iout=io, end="\r"),
    "no-line-end-after-the-last-record": lambda io: deck(iout=io)[:-1],
    "crlf-without-the-last-lf": lambda io: deck(iout=io, end="\r\n")[:-1],
    "tabs-for-blanks": lambda io: deck(iout=io, layout=tabbed).replace(" ", "\t"),
    "tabs-and-blanks-mixed": lambda io: deck(iout=io).replace("  ", " \t"),
    "left-aligned-fields": lambda io: deck(iout=io.strip().ljust(2), layout=str.ljust),
    "digits-spread-over-the-field": lambda io: deck(iout=io, layout=spread),
    "output-choice-alone-in-column-1": lambda io: deck(iout=io.strip()),
    "explicit-plus-signs": lambda io: deck(
        iout="+" + io.strip(), run=["+1995", "+6", "+15", "+0", "+0", "+0", "+60", "+1440", "+6"],
        epoch=["+1995", "+6", "+14", "+12", "+0", "+0", "12345"],
        elements=["+6878.0", "+0.0010", "+51.60", "+100.00", "+30.00", "+45.00"],
        rates=["-0.0500", "+0.0", "+0.0", "+15.2200", "+0.0"]),
    "leading-zeros": lambda io: deck(
        iout="0" + io.strip(), run=["01995", "00006", "015", "00", "000", "0", "060", "01440", "06"],
        epoch=["01995", "06", "014", "012", "00", "00", "12345"],
        elements=["006878.0", "00.0010", "0051.60", "100.00", "030.00", "045.00"]),
    "reals-with-exponents": lambda io: deck(
        iout=io, elements=["6.878E3", "1.0E-3", "5.160D1", "1.0d+2", "3.0e1", "4500E-2"],
        rates=["-5.0E-2", "0E0", "0.0D-7", "1.522E1", "0.0"]),
    "reals-without-a-point": lambda io: deck(
        iout=io, elements=["6878", "1E-3", "5160E-2", "100", "30", "45"], rates=["-5E-2", "0", "0", "1522E-2", "0"]),
    "reals-with-a-bare-point": lambda io: deck(
        iout=io, elements=["6878.", ".0010", "51.6", "100.", "30.", "45."], rates=["-.05", ".0", "0.", "15.22", "."]),
    "junk-in-the-fifth-rate-field": lambda io: deck(iout=io, rates=["-0.0500", "0.0", "0.0", "15.2200", "@#junk!%&*"]),
    "fifth-rate-field-missing": lambda io: deck(iout=io, rates=talikrun.RATES[:4]),
    "very-long-records": long_records,
    "records-after-the-last": lambda io: deck(iout=io) + "\n" + JUNK + "\nmore\n",
    "trailing-blanks": lambda io: deck(iout=io).replace("\n", " " * 300 + "\n"),
    "run-line-beyond-column-45": lambda io: deck(iout=io).replace(
        "1440    6\n", "1440    6" + "  999" * 7 + "xyz\x00\x01\n", 1),
}


def check(talik, name):
    problems = []
    for label, iout in (("console", " 6"), ("file", " 8")):
        plain = talikrun.run(talik, deck(iout=iout))
        twin = talikrun.run(talik, TWINS[name](iout))
        for who, r in (("plain", plain), ("twin", twin)):
            if r.timed_out or r.status != 0 or r.stderr:
                problems.append(f"{label}: the {who} deck failed: status {r.status}, {r.stderr!r}")
        if problems:
            continue
        if twin.stdout != plain.stdout:
            problems.append(f"{label}: console output differs ({len(twin.stdout)} bytes against {len(plain.stdout)})")
        if twin.report != plain.report:
            problems.append(f"{label}: KESTAD.DAT differs")
        if iout == " 8" and not plain.report:
            problems.append(f"{label}: the plain deck wrote no data line, so the comparison proves nothing")
    return problems


def main(argv):
    if argv[1:] == ["--list"]:
        print("\n".join(TWINS))
        return 0
    talik = os.path.abspath(argv[1])
    wanted = argv[2:] or list(TWINS)
    unknown = [w for w in wanted if w not in TWINS]
    if unknown:
        print("no such twin:", *unknown)
        return 2
    return talikrun.tally((name, check(talik, name)) for name in wanted)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
