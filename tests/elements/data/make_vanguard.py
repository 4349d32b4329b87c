#!/usr/bin/python3
"""Writes the set of sample_omm.xml (VANGUARD 1) in the other encodings,
through python3-sgp4's own reader and exporter, into this directory:

  vanguard.tle   the two lines of sgp4.exporter.export_tle
  vanguard.3le   the same after a "0 NAME" line, with CR LF line ends
  vanguard.kvn   two messages: export_omm's values (units after some), then
                 the XML's own field texts
  vanguard.json  two entries: export_omm's values as JSON numbers, then the
                 XML's field texts as JSON strings

Run once with Debian's /usr/bin/python3; the outputs are committed.
"""
import json
import os

from sgp4 import exporter, omm
from sgp4.api import Satrec

HERE = os.path.dirname(os.path.abspath(__file__))
UNITS = {"MEAN_MOTION": "rev/day", "INCLINATION": "deg", "BSTAR": "1/ER"}


def kvn(fields):
    lines = ["CCSDS_OMM_VERS = 2.0", "COMMENT made from sample_omm.xml"]
    for key, value in fields.items():
        unit = f" [{UNITS[key]}]" if key in UNITS else ""
        lines.append(f"{key:<20} = {value}{unit}")
    return "\n".join(lines) + "\n"


def main():
    with open(os.path.join(HERE, "sample_omm.xml")) as f:
        texts = next(omm.parse_xml(f))
    sat = Satrec()
    omm.initialize(sat, texts)
    line1, line2 = exporter.export_tle(sat)
    values = exporter.export_omm(sat, texts["OBJECT_NAME"])
    outputs = {
        "vanguard.tle": f"{line1}\n{line2}\n",
        "vanguard.3le": f"0 {texts['OBJECT_NAME']}\r\n{line1}\r\n{line2}\r\n",
        "vanguard.kvn": kvn(values) + "\n" + kvn(texts),
        "vanguard.json": json.dumps([values, texts], indent=1) + "\n",
    }
    for name, text in outputs.items():
        with open(os.path.join(HERE, name), "w", newline="") as f:
            f.write(text)


if __name__ == "__main__":
    main()
