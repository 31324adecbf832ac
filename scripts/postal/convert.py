#!/usr/bin/env python3
"""Converts the postal table of an unpacked jquery-jpostal-ja package (its
json/NNN.json files, Japan Post's data) into res/postal/jp-postal.tsv:

    #source<TAB>jquery-jpostal-ja VERSION<TAB>DATA DATE
    code<TAB>prefecture<TAB>city<TAB>town[<TAB>block<TAB>office name]

one row per entry, sorted by code, entries of one code in the package's order.
Kana readings are left out. A row that the program could not use (a code that
is not 7 digits, no prefecture or city, a tab or line break, text that
Shift_JIS cannot hold) refuses the whole conversion, and nothing is written.

Usage: convert.py PACKAGE_DIR OUT.tsv
"""
import json
import os
import re
import sys

CALLBACK = re.compile(r"^\s*[A-Za-z_$][\w$]*\((.*)\)\s*;?\s*$", re.S)
DATE = re.compile(r"\d{4}-\d{2}-\d{2}")
# Keys of three digits are the package's entries for a code's first half.
AREA_KEY = re.compile(r"_\d{3}")
CODE_KEY = re.compile(r"_(\d{7})")
INFO_KEY = "_000info"


class Refused(Exception):
    pass


def read_rows(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    match = CALLBACK.match(text)
    try:
        rows = json.loads(match.group(1) if match else text)
    except json.JSONDecodeError as e:
        raise Refused(f"{path}: not a postal data file ({e})")
    if not isinstance(rows, list):
        raise Refused(f"{path}: not a list of rows")
    return rows


def check_text(where, name, value):
    if not isinstance(value, str):
        raise Refused(f"{where}: {name} is not text")
    if any(c in value for c in "\t\r\n"):
        raise Refused(f"{where}: {name} holds a tab or line break: {value!r}")
    try:
        value.encode("cp932")
    except UnicodeEncodeError as e:
        raise Refused(f"{where}: {name} {value!r} holds {value[e.start]!r} (U+{ord(value[e.start]):04X}), "
                      "which Shift_JIS cannot hold")


def convert(package_dir):
    """Returns (header, rows) or raises Refused."""
    with open(os.path.join(package_dir, "package.json"), encoding="utf-8") as f:
        version = json.load(f).get("version", "")
    if not re.fullmatch(r"[\w.+-]+", version):
        raise Refused(f"package.json: no usable version: {version!r}")
    json_dir = os.path.join(package_dir, "json")
    names = sorted(n for n in os.listdir(json_dir) if re.fullmatch(r"\d{3}\.json", n))
    if not names:
        raise Refused(f"{json_dir}: no NNN.json files")
    date = None
    entries = []
    for name in names:
        for index, row in enumerate(read_rows(os.path.join(json_dir, name))):
            where = f"json/{name} row {index + 1}"
            if not isinstance(row, list) or not row or not isinstance(row[0], str):
                raise Refused(f"{where}: not a row")
            key = row[0]
            if key == INFO_KEY:
                dates = DATE.findall(" ".join(str(v) for v in row[1:]))
                date = dates[-1] if dates else None
                continue
            if AREA_KEY.fullmatch(key):
                continue
            code = CODE_KEY.fullmatch(key)
            if not code:
                raise Refused(f"{where}: code {key!r} is not 7 digits")
            if len(row) < 6:
                raise Refused(f"{where}: {len(row)} fields, 6 expected")
            fields = row[1:6]
            for field, value in zip(("prefecture", "city", "town", "block", "office name"), fields):
                check_text(where, field, value)
            if not fields[0] or not fields[1]:
                raise Refused(f"{where}: code {code.group(1)} has no prefecture or city")
            if not fields[3] and not fields[4]:
                fields = fields[:3]
            entries.append([code.group(1)] + fields)
    if date is None:
        raise Refused("json/000.json: no data date")
    entries.sort(key=lambda e: e[0])  # stable: one code's rows keep the package's order
    return f"#source\tjquery-jpostal-ja {version}\t{date}", entries


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    package_dir, out = argv[1], argv[2]
    try:
        header, entries = convert(package_dir)
    except (Refused, OSError) as e:
        print(f"convert.py: refused: {e}", file=sys.stderr)
        return 1
    work = out + ".part"
    with open(work, "w", encoding="utf-8", newline="\n") as f:
        f.write(header + "\n")
        for entry in entries:
            f.write("\t".join(entry) + "\n")
    os.replace(work, out)
    print(f"{out}: {len(entries)} rows, {len({e[0] for e in entries})} codes, {header.split(chr(9))[2]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
