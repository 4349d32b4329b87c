#!/usr/bin/python3
"""Cross-checks of the element-set reader against python3-sgp4 (run with
Debian's /usr/bin/python3, which has it).

usage: crosscheck.py DUMP DATA_DIR sgp4|encodings|vanguard

sgp4       every set of SGP4-VER.TLE (cut to its 69 columns) read by the
           reader against Satrec.twoline2rv of the same lines; a set the
           reader refuses must have a wrong checksum by sgp4.io.
encodings  the same sets written here as KVN, XML, JSON (numbers and
           strings) and CSV from the two-line columns' own digits, each read
           back to the same bits as the two-line set.
vanguard   sample_omm.xml and its twins in every encoding (see
           data/README.md) read to identical records.
"""
import datetime
import json
import math
import os
import subprocess
import sys
import tempfile

from sgp4.api import Satrec
from sgp4.io import compute_checksum

# Fields that must agree bit for bit between encodings of one set.
ELEMENTS = ["catalog_number", "epoch_us", "mean_motion", "eccentricity", "inclination_deg", "raan_deg",
            "arg_perigee_deg", "mean_anomaly_deg", "mean_motion_dot", "mean_motion_ddot", "bstar", "rev_at_epoch"]
RADIANS_TO_DEGREES = 180.0 / math.pi
MINUTES_PER_DAY = 1440.0
UNIX_EPOCH = datetime.datetime(1970, 1, 1)


def dump(program, texts):
    """What the reader makes of each text: its JSON dump, in order."""
    with tempfile.TemporaryDirectory() as tmp:
        paths = []
        for i, (suffix, text) in enumerate(texts):
            paths.append(os.path.join(tmp, f"set{i}{suffix}"))
            with open(paths[-1], "w", newline="") as f:
                f.write(text)
        out = subprocess.run([program] + paths, check=True, capture_output=True, text=True).stdout
    return [json.loads(line) for line in out.splitlines()]


def verification_pairs(data):
    """(line 1, line 2) of every set of SGP4-VER.TLE, cut to 69 columns."""
    with open(os.path.join(data, "SGP4-VER.TLE")) as f:
        lines = [line.rstrip("\r\n")[:69] for line in f if line[:2] in ("1 ", "2 ")]
    return list(zip(lines[0::2], lines[1::2]))


def check_sgp4(program, data):
    pairs = verification_pairs(data)
    read = dump(program, [(".tle", "".join(f"{a}\r\n{b}\r\n" for a, b in pairs))])[0]
    by_line = {int(s["source"].rsplit(" ", 1)[1]): s for s in read["sets"]}
    failures = []
    for k, (line1, line2) in enumerate(pairs):
        number = 2 * k + 1
        good_sums = all(int(l[68]) == compute_checksum(l) for l in (line1, line2))
        if number not in by_line:
            problem = [p for p in read["problems"] if f": line {number}" in p or f": line {number + 1}" in p]
            if good_sums or not problem or "checksum" not in problem[0]:
                failures.append(f"line {number}: refused without a checksum fault: {problem}")
            continue
        if not good_sums:
            failures.append(f"line {number}: read although a checksum is wrong")
        sat = Satrec.twoline2rv(line1, line2)
        ours = by_line[number]
        year = sat.epochyr + (1900 if sat.epochyr >= 57 else 2000)
        start_us = (datetime.datetime(year, 1, 1) - UNIX_EPOCH) // datetime.timedelta(microseconds=1)
        theirs = {
            "epoch_us": start_us + (sat.epochdays - 1.0) * 86400e6,
            "mean_motion": sat.no_kozai * MINUTES_PER_DAY / (2 * math.pi),
            "eccentricity": sat.ecco,
            "inclination_deg": sat.inclo * RADIANS_TO_DEGREES,
            "raan_deg": sat.nodeo * RADIANS_TO_DEGREES,
            "arg_perigee_deg": sat.argpo * RADIANS_TO_DEGREES,
            "mean_anomaly_deg": sat.mo * RADIANS_TO_DEGREES,
            "mean_motion_dot": sat.ndot * MINUTES_PER_DAY ** 2 / (2 * math.pi),
            "mean_motion_ddot": sat.nddot * MINUTES_PER_DAY ** 3 / (2 * math.pi),
            "bstar": sat.bstar,
        }
        for key, value in theirs.items():
            tolerance = 1.0 if key == "epoch_us" else 1e-12 * abs(value) + 1e-300
            if abs(ours[key] - value) > tolerance:
                failures.append(f"line {number}: {key} {ours[key]!r}, python-sgp4 {value!r}")
        for key, value in [("catalog_number", sat.satnum), ("rev_at_epoch", sat.revnum), ("object_id", sat.intldesg)]:
            if ours[key] != value:
                failures.append(f"line {number}: {key} {ours[key]!r}, python-sgp4 {value!r}")
    return failures, len(pairs)


def message_texts(line1, line2):
    """The set's fields as decimal text taken from its columns."""
    year = int(line1[18:20])
    year += 1900 if year >= 57 else 2000
    day, _, decimals = line1[20:32].strip().partition(".")
    epoch = datetime.datetime(year, 1, 1) + datetime.timedelta(days=int(day) - 1,
                                                                microseconds=int(decimals.ljust(8, "0")) * 864)
    implied = lambda t: f"{'-' if t[0] == '-' else ''}0.{t[1:6]}e{t[6:8]}"  # noqa: E731
    return {
        "NORAD_CAT_ID": line1[2:7].strip(), "EPOCH": epoch.strftime("%Y-%m-%dT%H:%M:%S.%f"),
        "MEAN_MOTION_DOT": line1[33:43].strip(), "MEAN_MOTION_DDOT": implied(line1[44:52]),
        "BSTAR": implied(line1[53:61]), "INCLINATION": line2[8:16].strip(), "RA_OF_ASC_NODE": line2[17:25].strip(),
        "ECCENTRICITY": "0." + line2[26:33], "ARG_OF_PERICENTER": line2[34:42].strip(),
        "MEAN_ANOMALY": line2[43:51].strip(), "MEAN_MOTION": line2[52:63].strip(),
        "REV_AT_EPOCH": line2[63:68].strip() or "0",
    }


def encodings(sets):
    kvn = "".join("CCSDS_OMM_VERS = 3.0\n" + "".join(f"{k} = {v}\n" for k, v in s.items()) for s in sets)
    xml = "<ndm>" + "".join("<omm><body><segment><metadata/><data><meanElements>" +
                            "".join(f"<{k}>{v}</{k}>" for k, v in s.items()) +
                            "</meanElements></data></segment></body></omm>" for s in sets) + "</ndm>"
    number = lambda v: float(v) if "." in v or "e" in v else int(v)  # noqa: E731
    numbers = [{k: (v if k == "EPOCH" else number(v)) for k, v in s.items()} for s in sets]
    keys = list(sets[0])
    csv = ",".join(keys) + "\r\n" + "".join(",".join(f'"{s[k]}"' for k in keys) + "\r\n" for s in sets)
    return [(".kvn", kvn), (".xml", xml), (".json", json.dumps(numbers)), (".json", json.dumps(sets)), (".csv", csv)]


def same_elements(reference, reads, labels):
    failures = []
    for label, read in zip(labels, reads):
        if read.get("problems") or "error" in read or len(read["sets"]) != len(reference):
            failures.append(f"{label}: {read}"[:300])
            continue
        for ours, theirs in zip(read["sets"], reference):
            differing = [k for k in ELEMENTS if ours[k] != theirs[k]]
            if differing:
                failures.append(f"{ours['source']}: {differing} differ from {theirs['source']}")
    return failures


def check_encodings(program, data):
    pairs = [(a, b) for a, b in verification_pairs(data) if all(int(l[68]) == compute_checksum(l) for l in (a, b))]
    texts = [(".tle", "".join(f"{a}\n{b}\n" for a, b in pairs))] + encodings([message_texts(a, b) for a, b in pairs])
    reads = dump(program, texts)
    return same_elements(reads[0]["sets"], reads[1:], [t[0] for t in texts[1:]]), len(pairs)


def check_vanguard(program, data):
    names = ["sample_omm.xml", "sample_omm.csv", "vanguard.tle", "vanguard.3le", "vanguard.kvn", "vanguard.json"]
    out = subprocess.run([program] + [os.path.join(data, n) for n in names], check=True, capture_output=True,
                         text=True).stdout
    reads = [json.loads(line) for line in out.splitlines()]
    failures = [p for r in reads for p in r.get("problems", []) + [r.get("error")] if p]
    sets = [s for r in reads for s in r.get("sets", [])]
    failures += [f"{s['source']}: {k} differs from {sets[0]['source']}" for s in sets for k in ELEMENTS
                 if s[k] != sets[0][k]]
    named = [s["name"] for s in sets]
    if named != ["VANGUARD 1"] * 2 + [""] + ["VANGUARD 1"] * 5:
        failures.append(f"names {named}")
    return failures, len(sets)


def main(argv):
    program, data, check = argv[1], argv[2], argv[3]
    failures, count = {"sgp4": check_sgp4, "encodings": check_encodings, "vanguard": check_vanguard}[check](
        program, data)
    for failure in failures:
        print(failure)
    print(f"{check}: {count} sets, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
