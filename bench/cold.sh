#!/bin/sh
# What a user waits for, as whole fresh processes: hyperfine over kolvane-cli
# and the first load of generated books of 1,000, 10,000 and 100,000 cards,
# with a plain QPdfWriter loop as the peer of the labels; the peak resident
# memory of each by /usr/bin/time -v. The program itself is timed on a real X
# server (Xvfb) from its start to the first paint of the card list, where
# KOLVANE_EXIT_AFTER_FIRST_PAINT makes it end.
# Builds nothing: give it a Release build tree with kolvane, kolvane-cli and
# cold_probe built (-DKOLVANE_BENCH=ON). The books are generated once into the tree.
# COLD_RUNS sets hyperfine's least number of runs (default 10).
set -eu
build=$(cd "${1:?usage: cold.sh RELEASE_BUILD_DIR}" && pwd)
cli="$build/cli/kolvane-cli"
probe="$build/bench/cold_probe"
app="$build/kolvane"
for program in "$cli" "$probe" "$app"; do
    if [ ! -x "$program" ]; then
        echo "$program not found: build kolvane, kolvane-cli and cold_probe in a Release tree first" >&2
        exit 1
    fi
done
for tool in hyperfine /usr/bin/time python3 Xvfb; do
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
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb"; rm -rf "$work"' EXIT
# Settings of their own, so that the user's do not change what is measured; a
# runtime folder of their own, so that a kolvane already running elsewhere does
# not take the book over as the single instance.
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=offscreen KOLVANE_EXIT_AFTER_FIRST_PAINT=1
big="$data/book-100000.kvd"

# One X server for the run, on a display it picks itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        cat "$work/xvfb.log" >&2
        echo "Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
# The program ends only through the hook: one run must end by itself.
timeout 60 "$app" -platform xcb "$big" 2>"$work/app.log" ||
    { cat "$work/app.log" >&2; echo "kolvane did not end at its first painted list" >&2; exit 1; }

# name|command, one a line, without a shell: hyperfine throws the output away.
cat >"$work/commands" <<COMMANDS
kolvane-cli --help|"$cli" --help
first painted list, 100,000|"$app" -platform xcb "$big"
first painted list, 10,000|"$app" -platform xcb "$data/book-10000.kvd"
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

# What was timed must also be right: the JSON gives the book back byte for byte.
cmp -s "$big" "$work/from.kvd" ||
    { echo "from-json did not give $big back byte for byte" >&2; exit 1; }

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
