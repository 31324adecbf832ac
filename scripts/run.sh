#!/bin/sh
# Builds the program (release) and starts it on the bundled sample address book.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/configure-release.sh
cmake --build build/release --target kolvane kolvane_help kolvane_sample_book
exec build/release/kolvane build/release/samples/sample.kvd "$@"
