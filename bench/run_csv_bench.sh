#!/bin/sh
# Over one generated address-book file: the CSV reading benchmark against the
# same reading with Python's csv module; the import of the file into a book and
# its export with 全項目 against Python's csv reading it and writing it again;
# and the peak memory of kolvane-cli importing the file into a new book.
# Builds nothing: give it a Release build tree in which csv_bench and
# kolvane-cli are built.
# The file is KOLVANE_CSV_BENCH_FILE when set, else generated into the tree.
set -eu
build=${1:?usage: run_csv_bench.sh RELEASE_BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
bench="$build/bench/csv_bench"
cli="$build/cli/kolvane-cli"
for program in "$bench" "$cli"; do
    if [ ! -x "$program" ]; then
        echo "$program not found: build csv_bench and kolvane-cli in a Release tree first" >&2
        exit 1
    fi
done
csv=${KOLVANE_CSV_BENCH_FILE:-$build/bench/kolvane-csv-100k.csv}
[ -f "$csv" ] || python3 "$here/make_csv.py" "$csv"

# MB/s of the file for a benchmark, best of five passes.
speed() {
    KOLVANE_CSV_BENCH_FILE="$csv" "$bench" --benchmark_filter="$1" \
        --benchmark_repetitions=5 --benchmark_format=json 2>/dev/null |
        python3 -c 'import json, sys
runs = [b["bytes_per_second"] for b in json.load(sys.stdin)["benchmarks"]
        if b.get("run_type") == "iteration"]
print("%.1f" % (max(runs) / 1e6))'
}
python_speed() {
    python3 "$here/csv_python.py" "$@" "$csv" 5 | sed -n 's/.* \([0-9.]*\) MB\/s$/\1/p'
}
zkcsv=$(speed BM_CsvReadAndParse)
python=$(python_speed)
roundtrip=$(speed BM_CsvImportThenExport)
python_roundtrip=$(python_speed --write)

# Peak resident memory of an import into a new book, with settings of its own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" "$cli" new "$work/book.kvd"
peak=$(XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], check=True, stderr=subprocess.DEVNULL)
print("%.0f" % (resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024))' \
    "$cli" import "$work/book.kvd" "$csv" --layout 全項目)

echo "file:          $csv ($(wc -c <"$csv") bytes)"
echo "ZkCSV:         $zkcsv MB/s (ZkCSV_ReadLine + ZkCSV_ParseLine, CPU time of one core)"
echo "python csv:    $python MB/s (csv.reader over open(encoding='cp932'), CPU time)"
python3 -c "print('ratio:         %.1fx' % ($zkcsv / $python))"
echo "import+export: $roundtrip MB/s (import into a book with 全項目, then export with 全項目)"
echo "python csv:    $python_roundtrip MB/s (csv.reader from cp932, csv.writer QUOTE_ALL to cp932)"
python3 -c "print('ratio:         %.1fx' % ($roundtrip / $python_roundtrip))"
echo "import peak:   $peak MB resident (kolvane-cli import --layout 全項目 into a new book)"
