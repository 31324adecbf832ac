#!/bin/sh
# Builds the program (release) and starts it on the bundled sample address book.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

BUILD=build/release
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOLVANE_TESTS=OFF \
    -DKOLVANE_BENCH=OFF >/dev/null
cmake --build "$BUILD"
exec "$BUILD/kolvane" "$BUILD/samples/sample.kvd" "$@"
