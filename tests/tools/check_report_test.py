#!/usr/bin/env python3
"""Self-test of check_report.py: real reports pass, damaged ones do not.

    check_report_test.py --talik PATH [unittest options]
"""

import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import check_report as cr  # noqa: E402
import talikrun  # noqa: E402

TALIK = None

# The plain deck run for three days, seen from MADRID: several pages and passes.
CONSOLE_DECK = talikrun.deck(iout=" 6", change={(2, 8): "4320"})
FILE_DECK = talikrun.deck(iout=" 8", change={(2, 8): "4320"})


def run_talik(deck_text):
    r = talikrun.run(TALIK, deck_text, name="t.deck", timeout=120)
    if r.status != 0 or r.stderr:
        raise RuntimeError(f"talik failed on the test deck: status {r.status}, {r.stderr!r}")
    return r


class Formats(unittest.TestCase):
    def test_fixed_point_writer(self):
        cases = [  # value, w, d, text
            (0.004, 7, 2, "    .00"), (-0.004, 7, 2, "    .00"), (0.006, 7, 2, "    .01"),
            (cr.single(0.005), 7, 2, "    .00"), (359.996, 8, 2, "  360.00"),
            (10000.0, 7, 2, "*******"), (-999.99, 7, 2, "-999.99"), (-0.5, 7, 2, "   -.50"),
            (cr.single(12345.678), 10, 3, " 12345.680"), (0.0, 10, 6, "   .000000"),
        ]
        for v, w, d, text in cases:
            self.assertEqual(cr.fmt_f(v, w, d), text, (v, w, d))
            if "*" not in text:
                self.assertAlmostEqual(cr.read_f(text, d), float(text), 9)

    def test_reader_rejects_foreign_notation(self):
        for text in ["   0.50", "   -.00", "  1.5  ", " 1.2345"]:
            with self.assertRaises(ValueError, msg=text):
                cr.read_f(text, 2)
        self.assertIsNone(cr.read_f("*******", 2))
        for text in ["  07", " -0", " 1 "]:
            with self.assertRaises(ValueError, msg=text):
                cr.read_i(text)

    def test_record_widths_match_the_report_columns(self):
        widths = {"CON": [92], "FIL": [73], "CH2": [93], "PAG": [1, 0, 0, 128, 114]}
        for name, want in widths.items():
            got = [len(r) for r in cr.render(FMT_DUMMY[name][0], FMT_DUMMY[name][1])]
            self.assertEqual(got, want, name)

    def test_console_split(self):
        data = cr.NEW_PAGE + b"A\r\n\r\nB" + cr.NEW_PAGE + b"C"
        self.assertEqual([(c, t) for c, t, _ in cr.split_console(data)],
                         [("1", "A"), (" ", ""), (" ", "B"), ("1", "C")])
        with self.assertRaises(cr.Violation):
            cr.split_console(b"A\rB")

    def test_page_starts_replay_the_line_count(self):
        # 23 one-step passes of blank + line fill 46 lines; the 24th pass
        # takes the page to 48 and the next step opens page 2
        lines = [(2 * i, True) for i in range(24)]
        self.assertEqual(cr.expected_page_starts(lines, 100), [0, 47])
        self.assertEqual(cr.expected_page_starts(lines, 47), [0])


FMT_DUMMY = {
    "CON": (cr.FMT["CON"], [1, 1995, 6, 15, 0, 53, 0, " ", "/", 507.55, 31.23, 332.62, .83, 251.88, 2488.16,
                            "B", "N"]),
    "FIL": (cr.FMT["FIL"], [1, 1995, 6, 15, 0, 53, 0, " ", "/", 507.55, 31.23, 332.62, .83, 251.88, 2488.16,
                            "B", "N"]),
    "CH2": (cr.FMT["CH2"], []),
    "PAG": (cr.FMT["PAG"], [1, 1995, 6, 15, 0, 0, 0, 12352, 17, 31, 13]),
}


class Reports(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.console = run_talik(CONSOLE_DECK).stdout
        cls.file = run_talik(FILE_DECK).report
        assert cls.console.count(cr.NEW_PAGE) >= 3, "the console deck should fill several pages"

    def check(self, kind, stdout=None, dat=None):
        """Checks the real run of kind ("console" or "file") with its
        console bytes or its KESTAD.DAT replaced."""
        if stdout is None:
            stdout = self.console if kind == "console" else b""
        if dat is None and kind == "file":
            dat = self.file
        cr.check_output(CONSOLE_DECK if kind == "console" else FILE_DECK, stdout, dat, "t.deck")

    def rejects(self, kind, pattern=None, **kw):
        with self.assertRaises(cr.Violation) as ctx:
            self.check(kind, **kw)
        if pattern:
            self.assertRegex(str(ctx.exception), pattern)

    # helpers that damage the console report at its data lines
    def lines(self):
        return self.console.split(b"\r\n")

    def data_index(self, nth=0):
        idx = [i for i, ln in enumerate(self.lines()) if len(ln) == 91 and ln[:5].strip().isdigit()]
        return idx[nth]

    def with_line(self, i, new):
        ls = self.lines()
        ls[i] = new
        return b"\r\n".join(ls)

    def test_real_reports_pass(self):
        self.check("console")
        self.check("file")

    def test_console_damage_is_found(self):
        i = self.data_index(5)
        ln = self.lines()[i]
        blank_before = [j for j in range(len(self.lines())) if self.lines()[j] == b""
                        and j + 1 < len(self.lines()) and len(self.lines()[j + 1]) == 91]
        j = blank_before[3]
        k = next(n for n in (self.data_index(m) for m in range(50)) if self.lines()[n][59:64] == b"     ")
        lk = self.lines()[k]
        cases = {
            "shifted column": (self.with_line(i, b" " + ln[:-1]), None),
            "missing blank separator": (b"\r\n".join(self.lines()[:j] + self.lines()[j + 1:]), "blank"),
            "blank inside a pass": (self.with_line(i, b"\r\n" + ln), "blank line inside a pass"),
            "second moved": (self.with_line(i, ln[:23] + b"%2d" % ((int(ln[23:25]) + 1) % 60) + ln[25:]),
                             "step"),
            "azimuth off by two degrees": (self.with_line(i, ln[:67] + b"%8.2f" % ((float(ln[67:75]) + 2) % 360)
                                                          + ln[75:]), "azimuth|longitude|latitude"),
            "latitude moved": (self.with_line(i, ln[:44] + b"%7.2f" % (float(ln[44:51]) + 0.5) + ln[51:]),
                               "latitude"),
            "zero before the point": (self.with_line(k, lk[:59] + b"%8.2f" % float(lk[59:67]) + lk[67:]), "zero"),
            "wrong mark": (self.with_line(i, ln[:36] + b"X" + ln[37:]), "mark"),
            "label": (self.console.replace(b"APOGEE (KM):", b"APOGEE (KM) ", 1), "APOGEE"),
            "page number": (self.console.replace(b"PAGE:   2", b"PAGE:   3", 1), "page"),
            "station name": (self.console.replace(b"6:MADRID", b"6:MADRIT", 1), "MADRID"),
            "not a number": (self.with_line(i, ln[:37] + b"    nan" + ln[44:]), "nan"),
            "revolution falls": (self.with_line(i, b"%5d" % (int(ln[:5]) - 1) + ln[5:]), "revolution"),
        }
        for what, (data, pattern) in cases.items():
            with self.subTest(what):
                self.assertTrue(data != self.console)
                self.rejects("console", pattern, stdout=data)

    def test_lost_page_is_found(self):
        last = self.console.rfind(cr.NEW_PAGE)
        self.rejects("console", "page", stdout=self.console[:last])

    def test_letters_are_checked_against_the_sun(self):
        flip = {b"N": b"D", b"D": b"N", b"A": b"B", b"B": b"A"}
        for col in (88, 90):
            ls = self.lines()
            for i, ln in enumerate(ls):
                if len(ln) == 91 and ln[:5].strip().isdigit():
                    ls[i] = ln[:col] + flip[ln[col:col + 1]] + ln[col + 1:]
            with self.subTest(column=col):
                self.rejects("console", "mark", stdout=b"\r\n".join(ls))

    def test_file_damage_is_found(self):
        ls = self.file.split(b"\r\n")
        cases = {
            "short line": b"\r\n".join([ls[0][:-1]] + ls[1:]),
            "no final line end": self.file[:-2],
            "console layout in the file": b"\r\n".join([b" " + ls[0]] + ls[1:]),
            "lines swapped": b"\r\n".join([ls[1], ls[0]] + ls[2:]),
        }
        for what, data in cases.items():
            with self.subTest(what):
                self.rejects("file", dat=data)

    def test_output_goes_where_the_deck_says(self):
        self.rejects("file", "stdout", stdout=b"x")
        self.rejects("console", "KESTAD", dat=b"")
        with tempfile.TemporaryDirectory() as tmp, self.assertRaises(cr.Violation):
            run_talik(FILE_DECK).save(tmp)
            cr.check(os.path.join(tmp, "t.deck"), os.path.join(tmp, "stdout"), os.path.join(tmp, "none", "KESTAD.DAT"))


def main():
    global TALIK
    args = sys.argv[1:]
    if "--talik" in args:
        i = args.index("--talik")
        TALIK = os.path.abspath(args[i + 1])
        del args[i:i + 2]
    if not TALIK:
        print("usage: check_report_test.py --talik PATH", file=sys.stderr)
        return 2
    prog = unittest.main(argv=[sys.argv[0]] + args, exit=False)
    return 0 if prog.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
