#!/usr/bin/env bash
# The demo: seals examples/sample through the real dialog under Wine, restores the cipher file in a fresh
# folder (a wrong passphrase first), compares the result with the sample, and saves screenshots of each step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win" -j "$(nproc)" --target velmora deleteme velmora_demo bed_anchor

work="$root/build/win/demo"
rm -rf "$work"
mkdir -p "$work/restored" "$work/screenshots"
cp -r "$root/examples/sample" "$work/sample"
# One larger file, so that the progress bar can be caught half-way.
head -c $((64 * 1048576)) /dev/urandom > "$work/sample/動画.bin"

windows() { local p=${1//\//\\}; echo "Z:$p"; }
echo "demo: sealing $work/sample, then restoring it into $work/restored"
"$root/build/win/wine-run" "$root/build/win/bin/velmora_demo.exe" \
  "$(windows "$work/sample")" "$(windows "$work/restored")" "$(windows "$work/screenshots")" | tr -d '\r'
echo "demo: screenshots in $work/screenshots:"
ls -1 "$work/screenshots" | sed 's/^/  /'
