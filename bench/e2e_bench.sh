#!/usr/bin/env bash
# Sealing and restoring through the real program under Wine, against copying and OpenSSL on the same data.
#
#   bench/e2e_bench.sh [win-build-dir] [MiB] [files] [native-build-dir]
#                                     defaults: build/win, 1024, 20000, build/native
#
# All data sits in the page cache (written just before, then read once); times are wall-clock seconds.
# When the native tree is built, the DES chain alone is timed on each path as well (bench/cipher_bench.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win_dir=$(cd "${1:-$root/build/win}" && pwd)
mib=${2:-1024}
files=${3:-20000}
native_dir=${4:-$root/build/native}
passphrase="benchmark passphrase"

wine_run="$win_dir/wine-run"
runner="$win_dir/bin/velmora_run.exe"
[[ -x "$wine_run" && -f "$runner" ]] || { echo "e2e_bench.sh: build $win_dir first (target velmora_run)" >&2; exit 1; }

data="$win_dir/bench-data"
rm -rf "$data"
mkdir -p "$data/restored" "$data/tree-restored"
windows() { local p=${1//\//\\}; echo "Z:$p"; }
seconds() { local start=$(date +%s.%N); "$@" >/dev/null; awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }'; }
rate() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "e2e_bench: making $mib MiB of data and a tree of $files files"
head -c $((mib * 1048576)) /dev/urandom > "$data/big.bin"
mkdir -p "$data/tree"
for ((d = 0; d < files / 200; d++)); do
  mkdir -p "$data/tree/d$d"
  for ((f = 0; f < 200; f++)); do head -c $(((f * 37 + d) % 4096 + 1)) /dev/urandom > "$data/tree/d$d/f$f.txt"; done
done
# The listing tree: 100,000 entries (500 folders of 199 empty files), to time the dialog's listing.
for ((d = 0; d < 500; d++)); do
  mkdir -p "$data/listing/d$d"
  for ((f = 0; f < 199; f++)); do : > "$data/listing/d$d/f$f"; done
done
tree_mb=$(du -sb "$data/tree" | awk '{print $1 / 1000000}')
big_mb=$(awk -v m="$mib" 'BEGIN { print m * 1.048576 }')
cat "$data/big.bin" > /dev/null
"$wine_run" "$runner" > /dev/null 2>&1 || true  # brings the Wine bed up: its start is not timed

seal=$("$wine_run" "$runner" seal "$(windows "$data/big.bin")" "$passphrase" | tr -d '\r')
restore=$(cd "$data/restored" && "$wine_run" "$runner" restore "$(windows "$data/big.bin.EXE")" "$(windows "$data/restored")" "$passphrase" | tr -d '\r')
cmp "$data/big.bin" "$data/restored/big.bin"
dd_copy=$(seconds dd if="$data/big.bin" of="$data/dd.bin" bs=10000 status=none)
cp_copy=$(seconds cp "$data/big.bin" "$data/cp.bin")
openssl_des=$(seconds openssl enc -des-cbc -provider legacy -provider default -K 0123456789abcdef -iv 0000000000000000 \
  -in "$data/big.bin" -out "$data/big.des")
openssl_aes=$(seconds openssl enc -aes-256-cbc -K "$(printf '%064d' 0)" -iv "$(printf '%032d' 0)" \
  -in "$data/big.bin" -out "$data/big.aes")

tree_seal=$("$wine_run" "$runner" seal "$(windows "$data/tree")" "$passphrase" | tr -d '\r')
tree_restore=$("$wine_run" "$runner" restore "$(windows "$data/tree.EXE")" "$(windows "$data/tree-restored")" "$passphrase" | tr -d '\r')
diff -r "$data/tree" "$data/tree-restored/tree" > /dev/null
tree_cp=$(seconds cp -r "$data/tree" "$data/tree-cp")
tree_openssl=$(seconds bash -c "tar cf - -C '$data' tree | openssl enc -des-cbc -provider legacy -provider default -K 0123456789abcdef -iv 0000000000000000 -out '$data/tree.des'")

printf '\n%-34s %10s %10s\n' "$mib MiB file" "seconds" "MB/s"
printf '%-34s %10.2f %10s\n' "seal (velmora under Wine)" "$seal" "$(rate "$big_mb" "$seal")"
printf '%-34s %10.2f %10s\n' "restore (velmora under Wine)" "$restore" "$(rate "$big_mb" "$restore")"
printf '%-34s %10.2f %10s\n' "dd bs=10000" "$dd_copy" "$(rate "$big_mb" "$dd_copy")"
printf '%-34s %10.2f %10s\n' "cp" "$cp_copy" "$(rate "$big_mb" "$cp_copy")"
printf '%-34s %10.2f %10s\n' "openssl enc -des-cbc" "$openssl_des" "$(rate "$big_mb" "$openssl_des")"
printf '%-34s %10.2f %10s\n' "openssl enc -aes-256-cbc" "$openssl_aes" "$(rate "$big_mb" "$openssl_aes")"
printf '\n%-34s %10s %10s\n' "tree of $files files ($tree_mb MB)" "seconds" "files/s"
printf '%-34s %10.2f %10s\n' "seal (velmora under Wine)" "$tree_seal" "$(rate "$files" "$tree_seal")"
printf '%-34s %10.2f %10s\n' "restore (velmora under Wine)" "$tree_restore" "$(rate "$files" "$tree_restore")"
printf '%-34s %10.2f %10s\n' "cp -r" "$tree_cp" "$(rate "$files" "$tree_cp")"
printf '%-34s %10.2f %10s\n' "tar | openssl enc -des-cbc" "$tree_openssl" "$(rate "$files" "$tree_openssl")"
read -r walk listing entries <<<"$("$wine_run" "$runner" list "$(windows "$data/listing")" | tr -d '\r')"
printf '\n%-34s %10s %10s\n' "listing $entries entries" "seconds" "entries/s"
printf '%-34s %10.2f %10s\n' "listing in the dialog" "$listing" "$(rate "$entries" "$listing")"
printf '%-34s %10.2f %10s\n' "plain walk with the same searches" "$walk" "$(rate "$entries" "$walk")"
printf '\nratios: seal/dd %s, restore/dd %s, seal/cp %s, seal/openssl-des-cbc %s, tree seal/cp %s, tree seal/openssl %s, listing/walk %s\n' \
  "$(ratio "$dd_copy" "$seal")" "$(ratio "$dd_copy" "$restore")" "$(ratio "$cp_copy" "$seal")" \
  "$(ratio "$openssl_des" "$seal")" "$(ratio "$tree_cp" "$tree_seal")" "$(ratio "$tree_openssl" "$tree_seal")" \
  "$(ratio "$listing" "$walk")"
rm -rf "$data"

if [[ -x "$native_dir/bench/cipher_bench" ]]; then
  echo
  bash "$root/bench/cipher_bench.sh" "$native_dir" "$win_dir"
fi
