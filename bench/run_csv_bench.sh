#!/bin/sh
# Runs the CSV reading benchmark and the same reading with Python's csv module
# over one generated address-book file, and prints both speeds. Builds nothing:
# give it a Release build tree in which csv_bench is built.
# The file is KOLVANE_CSV_BENCH_FILE when set, else generated into the tree.
set -eu
build=${1:?usage: run_csv_bench.sh RELEASE_BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
bench="$build/bench/csv_bench"
if [ ! -x "$bench" ]; then
    echo "$bench not found: build the csv_bench target of a Release tree first" >&2
    exit 1
fi
csv=${KOLVANE_CSV_BENCH_FILE:-$build/bench/kolvane-csv-100k.csv}
[ -f "$csv" ] || python3 "$here/make_csv.py" "$csv"

# Best of five passes on both sides.
zkcsv=$(KOLVANE_CSV_BENCH_FILE="$csv" "$bench" --benchmark_filter=BM_CsvReadAndParse \
            --benchmark_repetitions=5 --benchmark_format=json 2>/dev/null |
        python3 -c 'import json, sys
runs = [b["bytes_per_second"] for b in json.load(sys.stdin)["benchmarks"]
        if b.get("run_type") == "iteration"]
print("%.1f" % (max(runs) / 1e6))')
python=$(python3 "$here/csv_python.py" "$csv" 5 | sed -n 's/.* \([0-9.]*\) MB\/s$/\1/p')

echo "file:       $csv ($(wc -c <"$csv") bytes)"
echo "ZkCSV:      $zkcsv MB/s (ZkCSV_ReadLine + ZkCSV_ParseLine, CPU time of one core)"
echo "python csv: $python MB/s (csv.reader over open(encoding='cp932'), CPU time)"
python3 -c "print('ratio:      %.1fx' % ($zkcsv / $python))"
