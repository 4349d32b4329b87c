#!/usr/bin/env python3
"""Self-test of gen_decks.py: the decks are valid, varied and reproducible.

Each deck is read back by columns with check_report's own reader, so a
layout slip in the writer shows up as a wrong value here.
"""

import datetime as dt
import math
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, HERE)

import check_report as cr  # noqa: E402
import gen_decks as gd  # noqa: E402

SEED = "selftest"
COUNT = 400


def decks(count=COUNT, max_steps=3000, iout="mixed", seed=SEED):
    with tempfile.TemporaryDirectory() as tmp:
        paths = gd.generate(seed, count, tmp, max_steps, 0, iout)
        texts = []
        for p in paths:
            with open(p) as f:
                texts.append(f.read())
            yield cr.read_deck(p), texts[-1]


class Generator(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.all = list(decks())

    def test_records_have_their_layout(self):
        for d, text in self.all:
            lines = text.split("\n")
            self.assertEqual(len(lines), 6, text)  # five records and the final line end
            self.assertEqual([len(x) for x in lines[:5]], [2, 45, 35, 60, 50], text)
            for rec in lines[3:5]:
                for i in range(0, len(rec), 10):
                    field = rec[i:i + 10]
                    self.assertIn(".", field, text)
                    self.assertEqual(field, field.strip().rjust(10), text)

    def test_run_lines_are_valid(self):
        for d, text in self.all:
            with self.subTest(text=text):
                self.assertIn(d["iout"], (6, 7, 8))
                self.assertIn(d["ista"], range(1, 9))
                self.assertTrue(1960 <= d["start"][0] <= 2040)
                self.assertTrue(0 <= d["ncalc"] <= 3000)
                self.assertNotEqual(d["step"], 0)
                self.assertTrue(-9999 <= d["step"] <= 32767)
                start = dt.datetime(*d["start"])
                last = start + dt.timedelta(seconds=max(d["ncalc"] - 1, 0) * d["step"])
                # whole days from 1 January, counted the way the Sun table's index is
                day = (last.date() - dt.date(d["start"][0], 1, 1)).days
                self.assertTrue(-39 <= day <= 399, day)
                epoch = dt.datetime(*d["epoch"])
                self.assertLessEqual(abs((epoch - start).total_seconds()), 60 * 86400)
                self.assertTrue(0 <= d["rev"] <= 99999)

    def test_orbits_stay_up(self):
        for d, text in self.all:
            a, e, incl, raan, argp, manom, smadt, raandt, argpdt, mm = d["R"]
            with self.subTest(text=text):
                self.assertTrue(6650.0 <= a <= 42000.0)
                self.assertTrue(0.0 <= e <= 0.75)
                self.assertGreaterEqual(a * (1 - e), 6600.0)
                self.assertTrue(0.0 <= incl <= 180.0)
                for ang in (raan, argp, manom):
                    self.assertTrue(0.0 <= ang < 360.0)
                for rate in (raandt, argpdt):
                    self.assertTrue(rate == 0.0 or 1e-4 <= abs(rate) <= 5.0)
                self.assertLessEqual(smadt, 0.0)
                # the perigee after the longest stretch of decay in the run
                start = dt.datetime(*d["start"])
                ends = [start, start + dt.timedelta(seconds=max(d["ncalc"] - 1, 0) * d["step"])]
                epoch = dt.datetime(*d["epoch"])
                worst = max((t - epoch).total_seconds() / 86400.0 for t in ends)
                self.assertGreaterEqual((a + smadt * max(worst, 0.0)) * (1 - e), 6500.0)
                # Kepler's third law, independently of the generator's formula
                period_s = 2 * math.pi * math.sqrt(a ** 3 / 398600.4418)
                self.assertAlmostEqual(mm, 86400.0 / period_s, delta=2e-6)

    def test_variety(self):
        steps = {d["step"] for d, _ in self.all}
        for s in (150, -90, 1, 3600, -3600, 32767, -9999):
            self.assertIn(s, steps)
        self.assertEqual({d["iout"] for d, _ in self.all}, {6, 7, 8})
        self.assertIn(0, {d["ncalc"] for d, _ in self.all})
        self.assertTrue(any(d["R"][7] == 0.0 for d, _ in self.all))
        self.assertTrue(any(d["R"][7] != 0.0 for d, _ in self.all))
        eccs = [d["R"][1] for d, _ in self.all]
        self.assertLess(min(eccs), 0.001)
        self.assertGreater(max(eccs), 0.6)
        # some runs end on the first or the last day of the window
        days = set()
        for d, _ in self.all:
            start = dt.datetime(*d["start"])
            last = start + dt.timedelta(seconds=max(d["ncalc"] - 1, 0) * d["step"])
            days.add((last.date() - dt.date(d["start"][0], 1, 1)).days)
        self.assertIn(-39, days)
        self.assertIn(399, days)

    def test_every_block_of_eight_visits_every_station(self):
        for b in range(0, COUNT, 8):
            self.assertEqual(sorted(d["ista"] for d, _ in self.all[b:b + 8]), list(range(1, 9)))

    def test_reproducible_and_seeded(self):
        first = [t for _, t in decks(20)]
        self.assertEqual(first, [t for _, t in self.all[:20]])
        self.assertNotEqual(first, [t for _, t in decks(20, seed="other")])

    def test_fixed_output_choice(self):
        self.assertEqual({d["iout"] for d, _ in decks(40, iout="8")}, {8})

    def test_short_limit_is_kept(self):
        self.assertTrue(all(0 <= d["ncalc"] <= 7 for d, _ in decks(80, max_steps=7)))


if __name__ == "__main__":
    unittest.main()
