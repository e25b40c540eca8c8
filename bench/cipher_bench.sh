#!/usr/bin/env bash
# Runs cipher_bench natively and as the i686 Windows build under Wine, and tabulates both against the bars.
#
#   bench/cipher_bench.sh <native-build-dir> <win-build-dir> [passes]
#
# OpenSSL is timed only natively (there is none for i686 Windows here), so the Wine i686 fast path is set
# against the native OpenSSL DES-CBC of the same run.
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

native_fast_enc=$(rate "$work/native.txt" fast encipher)
native_fast_dec=$(rate "$work/native.txt" fast decipher)
native_ref_enc=$(rate "$work/native.txt" reference encipher)
native_ref_dec=$(rate "$work/native.txt" reference decipher)
openssl_enc=$(rate "$work/native.txt" openssl encipher)
openssl_dec=$(rate "$work/native.txt" openssl decipher)
wine_fast_enc=$(rate "$work/wine.clean" fast encipher)
wine_fast_dec=$(rate "$work/wine.clean" fast decipher)
wine_ref_enc=$(rate "$work/wine.clean" reference encipher)
wine_ref_dec=$(rate "$work/wine.clean" reference decipher)

head -n 1 "$work/native.txt"
echo
printf '%-40s %14s %14s\n' "path" "encipher MB/s" "decipher MB/s"
printf '%-40s %14s %14s\n' "native $(uname -m) fast path" "$native_fast_enc" "$native_fast_dec"
printf '%-40s %14s %14s\n' "native $(uname -m) reference path" "$native_ref_enc" "$native_ref_dec"
printf '%-40s %14s %14s\n' "native $(uname -m) OpenSSL DES-CBC" "$openssl_enc" "$openssl_dec"
printf '%-40s %14s %14s\n' "Wine i686 fast path" "$wine_fast_enc" "$wine_fast_dec"
printf '%-40s %14s %14s\n' "Wine i686 reference path" "$wine_ref_enc" "$wine_ref_dec"
echo

# ratio_row <label> <enc numerator> <enc denominator> <dec numerator> <dec denominator> [bar]
ratio_row() {
  awk -v label="$1" -v en="$2" -v ed="$3" -v dn="$4" -v dd="$5" -v bar="${6:-}" 'BEGIN {
    e = en / ed; d = dn / dd
    verdict = ""
    if (bar != "") verdict = sprintf(">= %sx: %s", bar, (e >= bar && d >= bar) ? "met" : "NOT met")
    printf "%-40s %13.2fx %13.2fx   %s\n", label, e, d, verdict
  }'
}
printf '%-40s %14s %14s   %s\n' "ratio" "encipher" "decipher" "bar"
ratio_row "Wine i686 fast / native OpenSSL DES-CBC" "$wine_fast_enc" "$openssl_enc" "$wine_fast_dec" "$openssl_dec" 0.8
ratio_row "Wine i686 fast / Wine i686 reference" "$wine_fast_enc" "$wine_ref_enc" "$wine_fast_dec" "$wine_ref_dec" 20
ratio_row "native fast / native OpenSSL DES-CBC" "$native_fast_enc" "$openssl_enc" "$native_fast_dec" "$openssl_dec"
ratio_row "native fast / native reference" "$native_fast_enc" "$native_ref_enc" "$native_fast_dec" "$native_ref_dec"
