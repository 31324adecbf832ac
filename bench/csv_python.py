#!/usr/bin/env python3
"""Reads a Shift_JIS CSV file with Python's csv module and prints MB/s.

The figure to compare the library's CSV reading with: decode from code page
932 and split into records and fields, best of a few passes. With --write
every record is also written again to a temporary file, every field quoted,
as code page 932 with CR LF: the figure for an import followed by an export. Time is the
process's CPU time, as the C++ benchmark reports it, so that other work on the
machine does not tilt the comparison.

usage: csv_python.py [--write] FILE [PASSES]
"""

import csv
import os
import sys
import tempfile
import time


def read_all(path):
    records = fields = 0
    with open(path, encoding="cp932", newline="") as f:
        for row in csv.reader(f):
            records += 1
            fields += len(row)
    return records, fields


def read_and_write(path):
    records = fields = 0
    with open(path, encoding="cp932", newline="") as f, \
            tempfile.TemporaryFile("w", encoding="cp932", newline="") as out:
        writer = csv.writer(out, quoting=csv.QUOTE_ALL, lineterminator="\r\n")
        for row in csv.reader(f):
            records += 1
            fields += len(row)
            writer.writerow(row)
    return records, fields


def main():
    args = sys.argv[1:]
    write = bool(args) and args[0] == "--write"
    if write:
        args = args[1:]
    if len(args) not in (1, 2):
        sys.exit(__doc__.strip().splitlines()[-1])
    path = args[0]
    passes = int(args[1]) if len(args) == 2 else 3
    size = os.path.getsize(path)
    best = float("inf")
    for _ in range(passes):
        start = time.process_time()
        records, fields = (read_and_write if write else read_all)(path)
        best = min(best, time.process_time() - start)
    print("python csv: %d records, %d fields, %.1f MB/s" % (records, fields, size / best / 1e6))


if __name__ == "__main__":
    main()
