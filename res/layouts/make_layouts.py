#!/usr/bin/env python3
"""Writes the page layouts bundled with the program as KVL layout files.

Each file: version 1, the name (32-bit count of the bytes that follow, the
Shift_JIS text, a zero byte), then orientation, paper width and height, the
page margins top, bottom, left and right, columns, rows and the cell margins
top, bottom, left and right; integers 32-bit little-endian, lengths in
millimetres as IEEE single precision. Run it from any folder; the files are
written beside it.
"""

import os
import struct

# file name, name, (paper width, height), page margins (top, bottom, left,
# right), columns, rows, cell margins (top, bottom, left, right)
SHEETS = [
    ("A4_10.KVL", "A4 10面", (210, 297), (21.5, 21.5, 18.6, 18.6), 2, 5, (5, 4, 6, 5)),
    ("A4_12.KVL", "A4 12面", (210, 297), (21.6, 21.6, 18.6, 18.6), 2, 6, (4, 3, 5, 4)),
    ("A4_18.KVL", "A4 18面", (210, 297), (9, 9, 18.6, 18.6), 2, 9, (2, 2, 5, 4)),
    ("A4_21.KVL", "A4 21面", (210, 297), (0.45, 0.45, 0, 0), 3, 7, (4, 3, 5, 4)),
    ("A4_24.KVL", "A4 24面", (210, 297), (12.9, 12.9, 0, 0), 3, 8, (3, 2, 5, 4)),
    ("LETTER_10.KVL", "Letter 10面", (215.9, 279.4), (12.7, 12.7, 4, 4), 2, 5, (4, 4, 6, 6)),
    ("LETTER_30.KVL", "Letter 30面", (215.9, 279.4), (12.7, 12.7, 4.8, 4.8), 3, 10, (1.5, 1.5, 3, 3)),
]


def layout_bytes(name, paper, page, columns, rows, cell):
    text = name.encode("cp932") + b"\0"
    out = struct.pack("<I", 1) + struct.pack("<I", len(text)) + text
    out += struct.pack("<i", 0)
    out += struct.pack("<6f", *paper, *page)
    out += struct.pack("<ii", columns, rows)
    out += struct.pack("<4f", *cell)
    return out


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for file_name, name, paper, page, columns, rows, cell in SHEETS:
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(layout_bytes(name, paper, page, columns, rows, cell))


if __name__ == "__main__":
    main()
