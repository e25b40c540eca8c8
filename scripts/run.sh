#!/usr/bin/env bash
# The main job: set-up, build, then start velmora.exe under Wine on the file or folder given (a Linux or Windows path).
#   bash scripts/run.sh ~/Documents/plans        seal a folder
#   bash scripts/run.sh ~/Documents/plans.EXE     run a cipher file: restores into the current folder
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win" -j "$(nproc)" --target velmora deleteme

target=${1:-}
program="$root/build/win/bin/velmora.exe"
argument=
if [[ -n "$target" && "$target" != *:\\* && "$target" != \\\\* ]]; then
  linux=$(realpath -m -- "$target")
  if [[ "${linux,,}" == *.exe && -f "$linux" ]]; then
    program="$linux"  # a cipher file runs itself and restores into the current folder
  else
    argument="Z:${linux//\//\\}"
  fi
else
  argument="$target"
fi
echo "run: starting $program ${argument:+on $argument} (display ${DISPLAY:-of the test bed})"
exec "$root/build/win/wine-run" "$program" ${argument:+"$argument"}
