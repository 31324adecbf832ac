#!/usr/bin/env python3
"""Writes the layouts bundled with the program: page layouts (KVL), one
import (KVI) and one export layout (KVE) of all card fields, import layouts
of the CSV files that address books and mail programs export, and the paper
sizes of the layout editor (PAPERS.DEF).

Each file: version 1, the name (32-bit count of the bytes that follow, the
Shift_JIS text, a zero byte), then the body. A page layout's body:
orientation, paper width and height, the page margins top, bottom, left and
right, columns, rows and the cell margins top, bottom, left and right. An
import or export layout's body: a count, then that many field numbers.
Integers are 32-bit little-endian, lengths millimetres as IEEE single
precision. PAPERS.DEF is Shift_JIS text with CR LF line ends: a comment
line, then one paper a line: name, width and height of the paper upright in
millimetres. Run it from any folder; the files are written beside it.
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
    # Named by the label's size. Labels 48.3 x 25.4 mm, 4 across, 11 down,
    # touching, centred on the sheet.
    ("A4_44.KVL", "A4 44面 48.3×25.4", (210, 297), (8.8, 8.8, 8.4, 8.4), 4, 11, (2, 1.5, 3, 2)),
    # Labels that cover the whole sheet: 52.5 x 29.7 mm, 4 by 10.
    ("A4_40.KVL", "A4 40面 52.5×29.7", (210, 297), (0, 0, 0, 0), 4, 10, (3, 2, 4, 3)),
    # Labels 38.1 x 21.2 mm, 5 across with gaps of 2.5 mm (a cell is a label and
    # the gap right of it), 13 down touching; margins 10.7 mm top and bottom,
    # 4.75 mm left.
    ("A4_65.KVL", "A4 65面 38.1×21.2", (210, 297), (10.7, 10.7, 4.75, 2.25), 5, 13, (1, 1, 1.5, 4)),
    # Addresses printed on the card or envelope itself: one cell below the
    # postal code boxes, clear of the stamp and the sender's corner.
    ("HAGAKI_1.KVL", "はがき 宛名 100×148", (100, 148), (28, 30, 12, 12), 1, 1, (0, 0, 0, 0)),
    ("NAGA3_1.KVL", "長形3号 宛名 120×235", (120, 235), (40, 70, 15, 15), 1, 1, (0, 0, 0, 0)),
]

# The papers of the layout editor's list, in its order: name, width, height.
PAPERS = [
    ("A4", 210, 297),
    ("A3", 297, 420),
    ("A5", 148, 210),
    ("A6", 105, 148),
    ("B4 (JIS)", 257, 364),
    ("B5 (JIS)", 182, 257),
    ("B6 (JIS)", 128, 182),
    ("はがき", 100, 148),
    ("往復はがき", 148, 200),
    ("長形3号", 120, 235),
    ("長形4号", 90, 205),
    ("角形2号", 240, 332),
    ("洋形2号", 114, 162),
    ("洋形4号", 105, 235),
    ("Letter", 215.9, 279.4),
    ("Legal", 215.9, 355.6),
]

# The export fields 0 to 15 in order (name, reading, title, company, postal
# code, address, contacts 1 to 8, other, notes), and the import fields that
# read such a file back: the contacts come back as phone, fax and phones 1 to
# 6, in their order.
ALL_FIELDS_NAME = "全項目"
EXPORT_ALL_FIELDS = list(range(16))
IMPORT_ALL_FIELDS = [0, 4, 7, 8, 18, 9, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29]

# The import layouts of programs' CSV exports: file name, name and the import
# field of each column in order (-1: none). transfer/ColumnTitles.cpp holds
# the same columns with their titles; the transfer tests check that each
# sample file's title row maps to exactly the layout written here.
N = -1
PROGRAM_IMPORTS = [
    # 姓, 名, 姓（フリガナ）, 名（フリガナ）, ニックネーム, 会社名, 部署名, 役職,
    # 郵便番号, 都道府県, 市区町村, 番地, 建物名, 国, 電話番号, 携帯電話番号, FAX,
    # メールアドレス, メールアドレス 2, メモ
    ("WEBMAIL_JA.KVI", "Webメール連絡先",
     [2, 1, 6, 5, N, 8, 7, N, 18, 17, 16, 10, 11, 19, 20, 22, 21, 28, N, 29]),
    # First, Middle, Last Name, Phonetic First, Middle, Last Name, Nickname,
    # Organization Name, Title, Department, Notes, E-mail 1 and 2 (Label,
    # Value), Phone 1 and 2 (Label, Value), Address 1 - Label, Formatted,
    # Street, City, Region, Postal Code, Country, Extended Address
    ("WEBMAIL_EN.KVI", "Webメール連絡先 (英語見出し)",
     [1, 3, 2, 5, N, 6, N, 8, N, 7, 29, N, 28, N, N, N, 20, N, 22, N, N, 10, 16, 17, 18, 19, 11]),
    # 名, 姓, 表示名, 姓のふりがな, 名のふりがな, ニックネーム, メールアドレス,
    # 第 2 メールアドレス, 勤務先電話番号, 自宅電話番号, FAX 番号, ポケットベル番号,
    # 携帯電話番号, 自宅住所, 自宅住所 2, 自宅市区町村, 自宅都道府県, 自宅郵便番号,
    # 自宅国, 勤務先住所 (6 columns, to 勤務先国), 役職, 部署, 勤務先, メモ
    ("MAILER_JA.KVI", "メールソフト住所録",
     [1, 2, 0, 6, 5, N, 28, N, 23, 20, 21, N, 22, 10, 11, 16, 17, 18, 19, N, N, N, N, N, N, N, 7, 8, 29]),
]


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


def papers_bytes():
    lines = ["//用紙名,幅 (mm),高さ (mm)"]
    lines += [f"{name},{width:g},{height:g}" for name, width, height in PAPERS]
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(folder, "PAPERS.DEF"), "wb") as f:
        f.write(papers_bytes())
    for file_name, name, paper, page, columns, rows, cell in SHEETS:
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(layout_bytes(name, paper, page, columns, rows, cell))
    for file_name, fields in (("ALL_FIELDS.KVI", IMPORT_ALL_FIELDS), ("ALL_FIELDS.KVE", EXPORT_ALL_FIELDS)):
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(fields_bytes(ALL_FIELDS_NAME, fields))
    for file_name, name, fields in PROGRAM_IMPORTS:
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(fields_bytes(name, fields))


if __name__ == "__main__":
    main()
