#!/usr/bin/env python3
"""Reads a Shift_JIS CSV file with Python's csv module and prints MB/s.

The figure to compare the library's CSV reading with: decode from code page
932 and split into records and fields, best of a few passes. Time is the
process's CPU time, as the C++ benchmark reports it, so that other work on the
machine does not tilt the comparison.

usage: csv_python.py FILE [PASSES]
"""

import csv
import os
import sys
import time


def read_all(path):
    records = fields = 0
    with open(path, encoding="cp932", newline="") as f:
        for row in csv.reader(f):
            records += 1
            fields += len(row)
    return records, fields


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.strip().splitlines()[-1])
    path = sys.argv[1]
    passes = int(sys.argv[2]) if len(sys.argv) == 3 else 3
    size = os.path.getsize(path)
    best = float("inf")
    for _ in range(passes):
        start = time.process_time()
        records, fields = read_all(path)
        best = min(best, time.process_time() - start)
    print("python csv: %d records, %d fields, %.1f MB/s" % (records, fields, size / best / 1e6))


if __name__ == "__main__":
    main()
