#!/usr/bin/env python3
"""scripts/postal/convert.py on made-up package folders: the rows it writes and
each row it refuses (nothing written then)."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

CONVERT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "postal",
                       "convert.py")


def row(key, pref="東京都", city="千代田区", town="", block="", office=""):
    return [key, pref, city, town, block, office, "ｶﾅ", "ｶﾅ", "ｶﾅ"]


GOOD = {
    "000.json": [["_000info", "", "ver2.13 2025-09-25 2025-09-30", "", "", "", "", "", ""],
                 ["_000", "", "", "", "", "", "", "", ""]],
    "100.json": [row("_100"), row("_1008111", town="千代田", block="１－１", office="宮内庁"),
                 row("_1000001", town="千代田")],
    "498.json": [row("_4980000", "愛知県", "弥富市"), row("_4980000", "三重県", "桑名郡木曽岬町")],
}


class ConvertTest(unittest.TestCase):
    def run_convert(self, files):
        holder = tempfile.TemporaryDirectory()
        self.addCleanup(holder.cleanup)
        work = holder.name
        os.makedirs(os.path.join(work, "package", "json"))
        with open(os.path.join(work, "package", "package.json"), "w") as f:
            json.dump({"version": "9.8.7"}, f)
        for name, rows in files.items():
            with open(os.path.join(work, "package", "json", name), "w", encoding="utf-8") as f:
                f.write("jQuery_jpostal_callback(\n" + json.dumps(rows) + "\n);\n")
        out = os.path.join(work, "out.tsv")
        done = subprocess.run([sys.executable, CONVERT, os.path.join(work, "package"), out],
                              capture_output=True, text=True)
        text = None
        if os.path.exists(out):
            with open(out, encoding="utf-8") as f:
                text = f.read()
        return done.returncode, text, done.stderr

    def test_rows_sorted_with_duplicates_in_source_order(self):
        status, text, _ = self.run_convert(GOOD)
        self.assertEqual(status, 0)
        self.assertEqual(text, "#source\tjquery-jpostal-ja 9.8.7\t2025-09-30\n"
                               "1000001\t東京都\t千代田区\t千代田\n"
                               "1008111\t東京都\t千代田区\t千代田\t１－１\t宮内庁\n"
                               "4980000\t愛知県\t弥富市\t\n"
                               "4980000\t三重県\t桑名郡木曽岬町\t\n")

    def test_refusals(self):
        cases = [
            ("6 digits", row("_100001"), "not 7 digits"),
            ("8 digits", row("_10000011"), "not 7 digits"),
            ("no prefecture", row("_1000001", pref=""), "no prefecture or city"),
            ("no city", row("_1000001", city=""), "no prefecture or city"),
            ("tab", row("_1000001", town="千代\t田"), "tab or line break"),
            ("line break", row("_1000001", office="宮内\n庁"), "tab or line break"),
            ("outside Shift_JIS", row("_1000001", town="𠮷野"), "U+20BB7"),
            ("too few fields", ["_1000001", "東京都", "千代田区"], "6 expected"),
        ]
        for name, bad, message in cases:
            with self.subTest(name):
                status, text, err = self.run_convert(dict(GOOD, **{"101.json": [bad]}))
                self.assertEqual(status, 1)
                self.assertIsNone(text)
                self.assertIn("json/101.json row 1", err)
                self.assertIn(message, err)
        status, text, err = self.run_convert({k: v for k, v in GOOD.items() if k != "000.json"})
        self.assertEqual((status, text), (1, None))
        self.assertIn("no data date", err)


if __name__ == "__main__":
    unittest.main()
