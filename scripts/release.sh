#!/usr/bin/env bash
# Builds the release zip: velmora.exe, deleteme.exe, a Japanese and English read-me, and a checksum list.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win" -j "$(nproc)" --target velmora deleteme

name=velmora-1.05
stage="$root/build/release/$name"
rm -rf "$root/build/release"
mkdir -p "$stage"
cp "$root/build/win/bin/velmora.exe" "$root/build/win/bin/deleteme.exe" "$stage/"
# Windows users read it in Notepad: code page 932 with CR LF.
iconv -f UTF-8 -t CP932 "$root/release/readme.txt" | sed 's/$/\r/' > "$stage/readme.txt"
(cd "$stage" && sha256sum velmora.exe deleteme.exe readme.txt > SHA256SUMS.txt)
(cd "$root/build/release" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "release: $root/build/release/$name.zip"
(cd "$root/build/release" && cmake -E tar tf "$name.zip")
