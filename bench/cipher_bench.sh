#!/usr/bin/env bash
# Runs cipher_bench natively and as the i686 Windows build under Wine, and tabulates every DES path against
# native OpenSSL DES-CBC of the same run and against the bars.
#
#   bench/cipher_bench.sh <native-build-dir> <win-build-dir> [passes]
#
# OpenSSL is timed only natively (there is none for i686 Windows here), so every Wine i686 path is set
# against the native OpenSSL DES-CBC of the same run. A path the processor lacks shows as "-".
set -euo pipefail

if (($# < 2)); then
  echo "usage: $0 <native-build-dir> <win-build-dir> [passes]" >&2
  exit 2
fi
native_dir=$(cd "$1" && pwd)
win_dir=$(cd "$2" && pwd)
passes=${3:-3}

native_bin="$native_dir/bench/cipher_bench"
win_exe=
for candidate in "$win_dir/bin/cipher_bench.exe" "$win_dir/bench/cipher_bench.exe"; do
  [[ -f "$candidate" ]] && { win_exe=$candidate; break; }
done
wine_run="$win_dir/wine-run"
[[ -x "$native_bin" ]] || { echo "cipher_bench.sh: no $native_bin; build the native tree first" >&2; exit 1; }
[[ -n "$win_exe" ]] || { echo "cipher_bench.sh: no cipher_bench.exe under $win_dir; build the Windows tree first" >&2; exit 1; }
[[ -x "$wine_run" ]] || { echo "cipher_bench.sh: no $wine_run; configure the Windows tree with tests/bed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Output goes to files, not pipes: programs the Wine bed keeps running would hold a pipe open.
"$native_bin" "$passes" >"$work/native.txt"
"$wine_run" "$win_exe" "$passes" </dev/null >"$work/wine.txt" 2>"$work/wine.err" || {
  echo "cipher_bench.sh: the Windows benchmark failed:" >&2
  cat "$work/wine.txt" "$work/wine.err" >&2
  exit 1
}
tr -d '\r' <"$work/wine.txt" >"$work/wine.clean"

# rate <file> <row> <encipher|decipher>
rate() {
  awk -v row="$2" -v dir="$3" '$1 == row { for (i = 2; i < NF; i++) if ($i == dir) print $(i + 1) }' "$1"
}

# Every path runs on one thread, as OpenSSL does; "two-threads" is the default path as the program runs it,
# with the second core taking part of each call.
paths="reference table sse2 avx2 avx512 two-threads"
# cell <file> <row> <encipher|decipher>: the figure, or "-" when that path did not run.
cell() {
  local value
  value=$(rate "$1" "$2" "$3")
  echo "${value:--}"
}

head -n 1 "$work/native.txt"
head -n 1 "$work/wine.clean"
echo
printf '%-40s %14s %14s\n' "path" "encipher MB/s" "decipher MB/s"
for path in $paths; do
  printf '%-40s %14s %14s\n' "native $(uname -m) $path" "$(cell "$work/native.txt" "$path" encipher)" \
    "$(cell "$work/native.txt" "$path" decipher)"
done
openssl_enc=$(rate "$work/native.txt" openssl encipher)
openssl_dec=$(rate "$work/native.txt" openssl decipher)
printf '%-40s %14s %14s\n' "native $(uname -m) OpenSSL DES-CBC" "$openssl_enc" "$openssl_dec"
for path in $paths; do
  printf '%-40s %14s %14s\n' "Wine i686 $path" "$(cell "$work/wine.clean" "$path" encipher)" \
    "$(cell "$work/wine.clean" "$path" decipher)"
done
echo

# ratio_row <label> <enc numerator> <enc denominator> <dec numerator> <dec denominator> [bar]
ratio_row() {
  if [[ "$2" == - || "$4" == - ]]; then
    printf '%-40s %14s %14s   %s\n' "$1" - - "path not available"
    return
  fi
  awk -v label="$1" -v en="$2" -v ed="$3" -v dn="$4" -v dd="$5" -v bar="${6:-}" 'BEGIN {
    e = en / ed; d = dn / dd
    verdict = ""
    if (bar != "") verdict = sprintf(">= %sx: %s", bar, (e >= bar && d >= bar) ? "met" : "NOT met")
    printf "%-40s %13.2fx %13.2fx   %s\n", label, e, d, verdict
  }'
}
# bar <path>: what each path must reach as i686 under Wine against native OpenSSL DES-CBC.
bar() {
  case $1 in
    table) echo 0.8 ;;
    sse2) echo 5 ;;
    avx2) echo 10 ;;
    *) echo "" ;;
  esac
}
printf '%-40s %14s %14s   %s\n' "ratio" "encipher" "decipher" "bar"
for path in $paths; do
  ratio_row "Wine i686 $path / native OpenSSL" "$(cell "$work/wine.clean" "$path" encipher)" "$openssl_enc" \
    "$(cell "$work/wine.clean" "$path" decipher)" "$openssl_dec" "$(bar "$path")"
done
for path in $paths; do
  ratio_row "native $path / native OpenSSL" "$(cell "$work/native.txt" "$path" encipher)" "$openssl_enc" \
    "$(cell "$work/native.txt" "$path" decipher)" "$openssl_dec"
done
wine_ref_enc=$(rate "$work/wine.clean" reference encipher)
wine_ref_dec=$(rate "$work/wine.clean" reference decipher)
for path in table sse2 avx2 avx512; do
  wanted=
  [[ $path == table ]] && wanted=20
  ratio_row "Wine i686 $path / Wine i686 reference" "$(cell "$work/wine.clean" "$path" encipher)" "$wine_ref_enc" \
    "$(cell "$work/wine.clean" "$path" decipher)" "$wine_ref_dec" "$wanted"
done
