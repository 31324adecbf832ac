#!/bin/sh
# Configures the release tree, build/release: g++, Release, warnings as errors.
# Extra arguments go to cmake.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DKOLVANE_WERROR=ON "$@" >/dev/null
