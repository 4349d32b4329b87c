#!/bin/sh
# Peak memory of the element-set readers on large files (not a test).
#   bench/reader_memory.sh BUILD_DIR        (with bin/talik-deck and bin/talik-passes)
#   bench/reader_memory.sh BUILD_DIR MIB    (files of MIB MiB instead of 60)
# Writes, one at a time into a temporary directory, files of about 60 MiB in
# every encoding: good sets (VANGUARD 1 from tests/elements/data, repeated),
# junk that is all refused entries, and the worst each reader admits.  Runs talik-deck (the deck to
# /dev/null) and talik-passes (a one-step window, the table to /dev/null)
# on each under /usr/bin/time -v and prints the peak resident memory
# ("Maximum resident set size"), its ratio to the file's size, and the
# lines written to standard error.
set -eu
if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -x "$1/bin/talik-deck" ] || [ ! -x "$1/bin/talik-passes" ]; then
    echo "usage: $0 BUILD_DIR [MIB] (with bin/talik-deck and bin/talik-passes)" >&2
    exit 2
fi
bin=$(cd "$1/bin" && pwd)
data=$(cd "$(dirname "$0")/../tests/elements/data" && pwd)
exec python3 - "$bin" "$data" "${2:-60}" <<'EOF_PY'
import os, re, subprocess, sys, tempfile

bin_dir, data, mib = sys.argv[1], sys.argv[2], float(sys.argv[3])
SIZE = int(mib * 1024 * 1024)


def read(name):
    with open(os.path.join(data, name), "rb") as f:
        return f.read()


def first_kvn_message():
    text = read("vanguard.kvn")
    return text[:text.index(b"CCSDS_OMM_VERS", 1)]


def first_json_object():
    text = read("vanguard.json")
    return text[text.index(b"{"):text.index(b"}") + 1]


def xml_message():
    text = read("sample_omm.xml")
    return text[text.index(b"<omm"):text.index(b"</omm>") + len(b"</omm>")] + b"\n"


def csv_parts():
    header, row = read("sample_omm.csv").splitlines()[:2]
    return header + b"\n", row + b"\n"


def bad_checksum(tle):
    return tle[:-2] + (b"0" if tle[-2:-1] != b"0" else b"1") + tle[-1:]


# name: (head, repeated unit, separator between units, tail)
def cases():
    header, row = csv_parts()
    return [
        ("TLE", b"", read("vanguard.tle"), b"", b""),
        ("3LE", b"", read("vanguard.3le"), b"", b""),
        ("KVN", b"", first_kvn_message(), b"", b""),
        ("XML", b"<?xml version=\"1.0\"?>\n<ndm>\n", xml_message(), b"", b"</ndm>\n"),
        ("JSON", b"[", first_json_object(), b",", b"]\n"),
        ("CSV", header, row, b"", b""),
        ("TLE junk", b"", bad_checksum(read("vanguard.tle")), b"", b""),
        ("TLE blanks", read("vanguard.tle"), b"\n", b"", b""),
        ("KVN junk", b"", b"CCSDS_OMM_VERS = 2.0\n", b"", b""),
        ("XML <a/>", b"<ndm>", b"<a/>", b"", b"</ndm>"),
        ("XML <omm/>", b"<ndm>", b"<omm/>", b"", b"</ndm>"),
        ("JSON [0,...]", b"[", b"0", b",", b"]"),
        ("JSON [{},...]", b"[", b"{}", b",", b"]"),
        ("CSV junk", header, b"x\n", b"", b""),
        # The worst a reader admits: XML at its density limit (UTF-8, and
        # ISO-8859-1 doubling in UTF-8), one JSON string of the whole file.
        ("XML densest", b"<ndm>", b"<a/>" + b" " * 13, b"", b"</ndm>"),
        ("XML Latin-1", b"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ndm>", b"<a/>" + b"\xe9" * 30, b"",
         b"</ndm>"),
        ("JSON 1 string", b"{\"OBJECT_NAME\": \"", b"x", b"", b"\"}"),
    ]


def write(path, head, unit, sep, tail):
    count = (SIZE - len(head) - len(tail)) // (len(unit) + len(sep))
    with open(path, "wb") as f:
        f.write(head)
        block = (unit + sep) * 4096
        for _ in range(count // 4096):
            f.write(block)
        f.write((unit + sep) * (count % 4096 - 1) + unit + tail)
    return count


def peak(command):
    """Peak resident memory (MiB) and lines on standard error."""
    run = subprocess.run(["/usr/bin/time", "-v"] + command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = run.stderr.decode(errors="replace")
    kib = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", err).group(1))
    lines = err[:err.rfind("\tCommand being timed")].count("\n")
    return kib / 1024, lines


print("%-14s %8s %9s | %9s %6s %8s | %9s %6s %8s" % ("file", "MiB", "entries", "deck MiB", "ratio", "err", "passes", "ratio",
                                                      "err"))
with tempfile.TemporaryDirectory() as work:
    for name, head, unit, sep, tail in cases():
        path = os.path.join(work, "sets")
        count = write(path, head, unit, sep, tail)
        size = os.path.getsize(path) / (1024 * 1024)
        deck = peak([os.path.join(bin_dir, "talik-deck"), path])
        passes = peak([os.path.join(bin_dir, "talik-passes"), path, "--hours", "0.01", "--step", "3600"])
        print("%-14s %8.1f %9d | %9.1f %6.2f %8d | %9.1f %6.2f %8d" %
              (name, size, count, deck[0], deck[0] / size, deck[1], passes[0], passes[0] / size, passes[1]), flush=True)
        os.remove(path)
EOF_PY
