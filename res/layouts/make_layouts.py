#!/usr/bin/env python3
"""Writes the layouts bundled with the program: page layouts (KVL) and one
import (KVI) and one export layout (KVE) of all card fields.

Each file: version 1, the name (32-bit count of the bytes that follow, the
Shift_JIS text, a zero byte), then the body. A page layout's body:
orientation, paper width and height, the page margins top, bottom, left and
right, columns, rows and the cell margins top, bottom, left and right. An
import or export layout's body: a count, then that many field numbers.
Integers are 32-bit little-endian, lengths millimetres as IEEE single
precision. Run it from any folder; the files are written beside it.
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

# The export fields 0 to 15 in order (name, reading, title, company, postal
# code, address, contacts 1 to 8, other, notes), and the import fields that
# read such a file back: the contacts come back as phone, fax and phones 1 to
# 6, in their order.
ALL_FIELDS_NAME = "全項目"
EXPORT_ALL_FIELDS = list(range(16))
IMPORT_ALL_FIELDS = [0, 4, 7, 8, 18, 9, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29]


def head_bytes(name):
    text = name.encode("cp932") + b"\0"
    return struct.pack("<I", 1) + struct.pack("<I", len(text)) + text


def fields_bytes(name, fields):
    return head_bytes(name) + struct.pack("<i", len(fields)) + struct.pack(f"<{len(fields)}i", *fields)


def layout_bytes(name, paper, page, columns, rows, cell):
    out = head_bytes(name)
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
    for file_name, fields in (("ALL_FIELDS.KVI", IMPORT_ALL_FIELDS), ("ALL_FIELDS.KVE", EXPORT_ALL_FIELDS)):
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(fields_bytes(ALL_FIELDS_NAME, fields))


if __name__ == "__main__":
    main()
