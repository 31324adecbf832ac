#!/usr/bin/env python3
"""Writes the bundled postcard and envelope layouts (KVP). Each file: version
1, the name (32-bit count of the bytes that follow, the Shift_JIS text, a zero
byte), then the body: the size's section in POSTBOX.DEF in the same stored
form, then the type sizes in points of the name, the address, the company and
title beside the name and the sender, as IEEE single precision. Integers are
32-bit little-endian. Run it from any folder; the files are written beside it.
"""

import os
import struct

# file name, name, size, points of name, address, beside, sender
POSTCARDS = [
    ("HAGAKI.KVP", "はがき 縦書き", "HAGAKI", 26, 14, 11, 9),
    ("OFUKU.KVP", "往復はがき 往信 縦書き", "OFUKU", 26, 14, 11, 9),
    ("NAGA3.KVP", "長形3号 縦書き", "NAGA3", 30, 16, 12, 10),
    ("NAGA4.KVP", "長形4号 縦書き", "NAGA4", 28, 15, 11, 9),
]


def stored(text):
    data = text.encode("cp932") + b"\0"
    return struct.pack("<I", len(data)) + data


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for file_name, name, size, *points in POSTCARDS:
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(struct.pack("<I", 1) + stored(name) + stored(size) + struct.pack("<4f", *points))


if __name__ == "__main__":
    main()
