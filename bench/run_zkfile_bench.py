#!/usr/bin/env python3
"""ZkLib's folder walk against grep and sed on 10,000 Shift_JIS files (100 MB,
CR LF) in a RAM-backed folder, an ASCII word in 1,000 of them: listing the
files that hold the word against `grep -rl`, and replacing it on a fresh copy
against `grep -rlZ | xargs -0 sed -i`; `diff -r` must find the two results
equal. Best of five runs each. Builds nothing: give it a Release build tree in
which zkfile_bench is built.
Usage: run_zkfile_bench.py RELEASE_BUILD_DIR"""

import os
import random
import shutil
import subprocess
import sys
import time

FILES, FOLDERS, SIZE, WITH_WORD = 10_000, 100, 10_000, 1_000
WORD, NEW = b"Kolvane", b"Tavrin"
ROOT = "/dev/shm/kolvane-zkfile-bench"


def make_tree(path):
    rnd = random.Random(7)
    kana = [bytes([0x82, t]) for t in range(0x9F, 0xF1)]
    kana += [bytes([0x83, t]) for t in range(0x40, 0x96)]
    trails = list(range(0x40, 0x7F)) + list(range(0x80, 0xFC))
    kanji = [bytes([lead, t]) for lead in range(0x88, 0x98) for t in trails]
    ascii_words = [b"Tokyo", b"Osaka", b"tel", b"03-1234-5678", b"mail", b"@", b"1-2-3"]
    lines = []
    for _ in range(2000):
        parts = []
        while sum(map(len, parts)) < 70:
            pick = rnd.random()
            pool = kanji if pick < 0.6 else kana
            parts.append(rnd.choice(ascii_words) + b" " if pick < 0.15 else
                         b"".join(rnd.choice(pool) for _ in range(rnd.randint(2, 6))))
        lines.append(b"".join(parts) + b"\r\n")
    holders = set(rnd.sample(range(FILES), WITH_WORD))
    for i in range(FILES):
        folder = os.path.join(path, "d%03d" % (i % FOLDERS))
        os.makedirs(folder, exist_ok=True)
        body = bytearray()
        while len(body) < SIZE:
            body += rnd.choice(lines)
        if i in holders:
            at = body.index(b"\r\n", rnd.randrange(len(body) // 2)) + 2
            body[at:at] = b"\x88\xa4 " + WORD + b" \x82\xb3\x82\xf1\r\n"
        with open(os.path.join(folder, "f%05d.txt" % i), "wb") as f:
            f.write(body)


def best(command, prepare=None, runs=5):
    times = []
    for _ in range(runs):
        if prepare:
            prepare()
        start = time.perf_counter()
        result = subprocess.run(command, shell=isinstance(command, str), stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, env=dict(os.environ, LC_ALL="C"),
                                check=False)
        times.append(time.perf_counter() - start)
    return min(times), result.stdout


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else sys.exit(__doc__)
    bench = os.path.join(build, "bench", "zkfile_bench")
    if not os.access(bench, os.X_OK):
        sys.exit(bench + " not found: build zkfile_bench in a Release tree first")
    shutil.rmtree(ROOT, ignore_errors=True)
    orig, ours, theirs = (os.path.join(ROOT, name) for name in ("orig", "zk", "sed"))
    make_tree(orig)

    zk_list, zk_out = best([bench, "list", orig, WORD])
    grep_list, grep_out = best(["grep", "-rl", WORD, orig])
    if sorted(zk_out.split()) != sorted(grep_out.split()) or len(zk_out.split()) != WITH_WORD:
        sys.exit("the listings differ")

    def fresh(path):
        return lambda: (shutil.rmtree(path, ignore_errors=True), shutil.copytree(orig, path))

    zk_replace, _ = best([bench, "replace", ours, WORD, NEW], fresh(ours))
    sed_replace, _ = best("grep -rlZ %s %s | xargs -0 sed -i 's/%s/%s/g'"
                          % (WORD.decode(), theirs, WORD.decode(), NEW.decode()), fresh(theirs))
    same = subprocess.run(["diff", "-r", ours, theirs], stdout=subprocess.DEVNULL).returncode == 0
    shutil.rmtree(ROOT, ignore_errors=True)

    print("list:    zkfile %.3f s, grep -rl %.3f s, ratio %.2f (goal under 0.25 s, at most 2)"
          % (zk_list, grep_list, zk_list / grep_list))
    print("replace: zkfile %.3f s, grep | sed -i %.3f s, ratio %.2f (goal under 0.5 s, at most 1.5)"
          % (zk_replace, sed_replace, zk_replace / sed_replace))
    print("diff -r of the two replaced trees: %s" % ("equal" if same else "DIFFERENT"))
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
