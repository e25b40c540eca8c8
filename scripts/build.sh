#!/usr/bin/env bash
# Configures and builds both trees: build/win (the Windows programs and their tests), build/native (cipher tests, benchmarks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"

cmake -S "$root" -B "$root/build/native" >/dev/null
cmake --build "$root/build/native" -j "$jobs"
