#!/bin/sh
# Builds everything in one test tree (clang, AddressSanitizer and UBSan, the
# fuzz targets) and runs every test, fuzz runs included.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

BUILD=build/test
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DKOLVANE_SANITIZE=ON -DKOLVANE_FUZZ=ON >/dev/null
cmake --build "$BUILD"
# Leaks in the system's font and display libraries are not ours.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
cd "$BUILD" && ctest --output-on-failure -j2 --timeout 300
