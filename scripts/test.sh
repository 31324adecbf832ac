#!/bin/sh
# Builds and runs every test in two trees: clang with AddressSanitizer, UBSan
# and the fuzz targets (build/test), and g++ Release as scripts/run.sh builds the
# program (build/release, with the benchmarks). Warnings are errors in both.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

# Leaks in the system's font and display libraries are not ours.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
# The tests expect the library's Japanese texts, which an English locale replaces.
export LC_ALL=C.UTF-8

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DKOLVANE_SANITIZE=ON -DKOLVANE_FUZZ=ON -DKOLVANE_BENCH=OFF -DKOLVANE_WERROR=ON >/dev/null
cmake --build build/test
(cd build/test && ctest --output-on-failure -j2 --timeout 300)

scripts/configure-release.sh -DKOLVANE_TESTS=ON -DKOLVANE_BENCH=ON
cmake --build build/release
(cd build/release && ctest --output-on-failure -j2 --timeout 300)
