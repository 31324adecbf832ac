#!/bin/sh
# What a user waits for, as whole fresh processes: hyperfine over kolvane-cli
# and the first load of generated books of 1,000, 10,000 and 100,000 cards,
# with a plain QPdfWriter loop as the peer of the labels; the peak resident
# memory of each by /usr/bin/time -v.
# Builds nothing: give it a Release build tree with kolvane-cli and cold_probe
# built (-DKOLVANE_BENCH=ON). The books are generated once into the tree.
# COLD_RUNS sets hyperfine's least number of runs (default 10).
set -eu
build=$(cd "${1:?usage: cold.sh RELEASE_BUILD_DIR}" && pwd)
cli="$build/cli/kolvane-cli"
probe="$build/bench/cold_probe"
for program in "$cli" "$probe"; do
    if [ ! -x "$program" ]; then
        echo "$program not found: build kolvane-cli and cold_probe in a Release tree first" >&2
        exit 1
    fi
done
for tool in hyperfine /usr/bin/time python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
runs=${COLD_RUNS:-10}
data="$build/bench/cold"
mkdir -p "$data"
for n in 1000 10000 100000; do
    [ -f "$data/book-$n.kvd" ] || "$probe" make "$n" "$data/book-$n.kvd"
done
[ -f "$data/book-100000.json" ] || "$cli" dump "$data/book-100000.kvd" "$data/book-100000.json"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Settings of their own, so that the user's do not change what is measured.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
big="$data/book-100000.kvd"

# name|command, one a line, without a shell: hyperfine throws the output away.
cat >"$work/commands" <<COMMANDS
kolvane-cli --help|"$cli" --help
first load, 100,000|"$probe" load "$big"
list, 100,000|"$cli" list "$big"
dump, 100,000|"$cli" dump "$big"
from-json, 100,000 ($(($(wc -c <"$data/book-100000.json") / 1000000)) MB JSON)|"$cli" from-json "$data/book-100000.json" "$work/from.kvd" --force
labels, 1,000|"$cli" labels "$data/book-1000.kvd" --layout "A4 12面" --out "$work/l1.pdf"
naive QPdfWriter loop, 1,000|"$probe" naive-pdf 1000 "$work/n1.pdf"
labels, 10,000|"$cli" labels "$data/book-10000.kvd" --layout "A4 12面" --out "$work/l10.pdf"
labels, 100,000|"$cli" labels "$big" --layout "A4 12面" --out "$work/l100.pdf"
list, 10,000|"$cli" list "$data/book-10000.kvd"
dump, 10,000|"$cli" dump "$data/book-10000.kvd"
COMMANDS

set --
while IFS='|' read -r name command; do
    set -- "$@" -n "$name" "$command"
done <"$work/commands"
hyperfine -N --warmup 1 --min-runs "$runs" --style basic --export-json "$work/times.json" \
    "$@" >"$work/hyperfine.log" 2>&1 ||
    { cat "$work/hyperfine.log" >&2; exit 1; }

# Peak resident memory, one run each.
while IFS='|' read -r name command; do
    eval "/usr/bin/time -v -o \"$work/time\" $command" >/dev/null 2>&1 </dev/null
    sed -n "s/^[[:space:]]*Maximum resident set size (kbytes): \([0-9]*\)/$name|\1/p" "$work/time"
done <"$work/commands" >"$work/memory"

echo "$(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)"
python3 - "$work/times.json" "$work/memory" <<'PY'
import json, sys
memory = dict(line.rstrip("\n").rsplit("|", 1) for line in open(sys.argv[2]))
print("| work (whole fresh process) | median | min – max | peak memory |")
print("|---|---:|---:|---:|")
for r in json.load(open(sys.argv[1]))["results"]:
    name = r["command"]
    print("| %s | %.1f ms | %.1f – %.1f ms | %.0f MB |" % (
        name, r["median"] * 1e3, r["min"] * 1e3, r["max"] * 1e3,
        int(memory.get(name, 0)) / 1024))
PY
