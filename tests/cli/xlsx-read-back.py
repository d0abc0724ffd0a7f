#!/usr/bin/python3
"""inlet-calc --xlsx read back with openpyxl, as a spreadsheet user would find it: every
result the program prints is in the workbook with its box's text and the number it was made
from; a design that fails gives the results it reached and the failure; a file that cannot be
written is named and not left behind.

Usage: xlsx-read-back.py INLET_CALC
"""
import os
import subprocess
import sys
import tempfile
import unittest

import openpyxl

CALC = None


def run(*args):
    return subprocess.run([CALC, *args], capture_output=True, text=True, env=dict(os.environ, LC_ALL="C"))


class XlsxReadBack(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="inlet-xlsx-")
        self.addCleanup(self.folder.cleanup)

    def written(self, *args):
        out = os.path.join(self.folder.name, "design.xlsx")
        done = run(*args, "--xlsx", out)
        printed = dict(line.split("\t") for line in done.stdout.splitlines())
        return done, printed, openpyxl.load_workbook(out)

    def results(self, book):
        rows = list(book["计算结果"].iter_rows(values_only=True))
        return {r[0]: (r[2], r[3]) for r in rows[1:] if r[0] and r[3] is not None}

    def test_every_result_with_its_text_and_number(self):
        done, printed, book = self.written("--hk", "2000", "--dd0", "700.1")
        self.assertEqual(done.returncode, 0, done.stderr)
        results = self.results(book)
        self.assertEqual(set(results), set(printed))
        for name, text in printed.items():
            number, shown = results[name]
            self.assertEqual(shown, text, name)
            self.assertIsInstance(number, float if isinstance(number, float) else int, name)
            self.assertLess(abs(number - float(text)), 0.5 + 1e-9, "%s: %r beside %s" % (name, number, text))
        self.assertEqual(results["a2"][0], 1149.950012207031)
        stations = list(book["蜗壳断面"].iter_rows(values_only=True))
        self.assertEqual([r[0] for r in stations[1:]], [0, 10, 20, 30, 40, 50, 60, 70, 80, 84, 87, 90])
        # Both width sets: at 40° the run's width 823 (二次式), the area-true one 827 (线性式).
        a40 = stations[1:][4]
        self.assertEqual((a40[2], round(a40[3]), a40[4], round(a40[5])), ("二次式", 823, "线性式", 827))
        given = {r[0]: r for r in book["给定参数"].iter_rows(values_only=True)}
        self.assertEqual(given["dd0"][2:], ("700.1", 700.0999755859375))
        self.assertGreater(book["设计校核"].max_row, 1)

    def test_a_failing_design_gives_what_it_reached(self):
        done, printed, book = self.written()  # hk empty: fails at a30
        self.assertEqual(done.returncode, 1)
        results = self.results(book)
        self.assertEqual(set(results), set(printed))
        self.assertNotIn("B", results)
        texts = [r[0] for r in book["计算结果"].iter_rows(values_only=True) if r[0]]
        self.assertTrue(any(t.startswith("计算未完成：除数为零") for t in texts), texts)

    def test_a_batch_as_one_sheet(self):
        out = os.path.join(self.folder.name, "batch.xlsx")
        batch = "hk,dd0\n2000,700.1\n,700\n1800,abc\n"
        done = subprocess.run([CALC, "--csv", "--xlsx", out], input=batch, capture_output=True, text=True,
                              env=dict(os.environ, LC_ALL="C"))
        self.assertEqual(done.returncode, 0, done.stderr)
        printed = [line.split(",") for line in done.stdout.splitlines()]
        rows = list(openpyxl.load_workbook(out)["批量计算"].iter_rows(values_only=True))
        self.assertEqual(len(rows), len(printed))
        self.assertEqual(list(rows[0]), printed[0])
        header = printed[0]
        for row, line in zip(rows[1:], printed[1:]):
            for column, cell, text in zip(header, row, line):
                if column in ("hk", "dd0", "error"):
                    self.assertEqual(cell or "", text, column)  # as typed, as printed
                elif text:
                    self.assertEqual(cell, float(text), column)  # a result as its number
        self.assertEqual(rows[1][header.index("a1")], 400)
        self.assertTrue(rows[2][header.index("error")].startswith("division by zero"), rows[2])

    def test_an_unwritable_file_is_named_and_not_left(self):
        out = os.path.join(self.folder.name, "missing", "design.xlsx")
        done = run("--hk", "2000", "--xlsx", out)
        self.assertEqual(done.returncode, 1)
        self.assertIn("cannot write '%s': " % out, done.stderr)
        self.assertEqual(os.listdir(self.folder.name), [])


if __name__ == "__main__":
    CALC = sys.argv.pop(1)
    unittest.main()
