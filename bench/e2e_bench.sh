#!/usr/bin/env bash
# Sealing and restoring through the real program under Wine, against copying and OpenSSL on the same data.
#
#   bench/e2e_bench.sh [win-build-dir] [MiB] [files] [native-build-dir] [repeats]
#                                     defaults: build/win, 1024, 20000, build/native, 5
#
# The large file is timed in two places, each command the best of `repeats` runs with its output removed
# before each run (openssl's DES-CBC, which takes a steady quarter of a minute, runs once). On a virtual
# machine a write into fresh pages swings by a factor of four from run to run, as the host may have to
# supply them first; the best run is the one that shows the command's own cost:
#   - memory: a tmpfs folder, where reads and writes only ever touch the page cache. This is where the
#     program's own costs show; Wine reaches it through a link in the build tree, as it hides /dev.
#   - disk: the build tree, where written data also goes back to the disk (synced before every run).
# The tree of small files (one run each) and the listing are timed in memory. Times are wall-clock
# seconds. When the native tree is built, the DES chain alone is timed on each path as well
# (bench/cipher_bench.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win_dir=$(cd "${1:-$root/build/win}" && pwd)
mib=${2:-1024}
files=${3:-20000}
native_dir=${4:-$root/build/native}
repeats=${5:-5}
passphrase="benchmark passphrase"

wine_run="$win_dir/wine-run"
runner="$win_dir/bin/velmora_run.exe"
[[ -x "$wine_run" && -f "$runner" ]] || { echo "e2e_bench.sh: build $win_dir first (target velmora_run)" >&2; exit 1; }

memory=$(mktemp -d /dev/shm/velmora-bench.XXXXXX)
memory_link="$win_dir/bench-memory"
disk="$win_dir/bench-disk"
cleanup() { rm -rf "$memory" "$disk" "$memory_link"; }
trap cleanup EXIT
rm -rf "$disk" "$memory_link"
mkdir -p "$disk"
ln -s "$memory" "$memory_link"

windows() { local p=${1//\//\\}; echo "Z:$p"; }
rate() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
least() { printf '%s\n' "$@" | sort -g | head -n 1; }
seconds() { local start=$(date +%s.%N); "$@" >/dev/null; awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }'; }

# best <output> <command...>: the least time of `repeats` runs of a command that prints its own seconds,
# with <output> removed and the disk synced before each run.
best() {
  local output=$1 times=() run
  shift
  for ((run = 0; run < repeats; run++)); do
    rm -rf "$output"
    sync
    times+=("$("$@" | tr -d '\r')")
  done
  least "${times[@]}"
}

echo "e2e_bench: making $mib MiB of data and a tree of $files files"
head -c $((mib * 1048576)) /dev/urandom > "$memory/big.bin"
cp "$memory/big.bin" "$disk/big.bin"
mkdir -p "$memory/tree"
for ((d = 0; d < files / 200; d++)); do
  mkdir -p "$memory/tree/d$d"
  for ((f = 0; f < 200; f++)); do head -c $(((f * 37 + d) % 4096 + 1)) /dev/urandom > "$memory/tree/d$d/f$f.txt"; done
done
# The listing tree: 100,000 entries (500 folders of 199 empty files), to time the dialog's listing.
for ((d = 0; d < 500; d++)); do
  mkdir -p "$memory/listing/d$d"
  for ((f = 0; f < 199; f++)); do : > "$memory/listing/d$d/f$f"; done
done
tree_mb=$(du -sb "$memory/tree" | awk '{print $1 / 1000000}')
big_mb=$(awk -v m="$mib" 'BEGIN { print m * 1.048576 }')
cat "$disk/big.bin" > /dev/null
"$wine_run" "$runner" > /dev/null 2>&1 || true  # brings the Wine bed up: its start is not timed

# time_file <folder as Linux sees it> <the same folder as Wine sees it>: prints one line of seconds per
# command, in the order of the table.
time_file() {
  local dir=$1 win=$2
  mkdir -p "$dir/restored"
  best "$dir/big.bin.EXE" "$wine_run" "$runner" seal "$(windows "$win/big.bin")" "$passphrase"
  best "$dir/restored/big.bin" bash -c "cd '$dir/restored' && '$wine_run' '$runner' restore '$(windows "$win/big.bin.EXE")' \
    '$(windows "$win/restored")' '$passphrase'"
  cmp "$dir/big.bin" "$dir/restored/big.bin"
  best "$dir/dd.bin" seconds dd if="$dir/big.bin" of="$dir/dd.bin" bs=10000 status=none
  best "$dir/cp.bin" seconds cp "$dir/big.bin" "$dir/cp.bin"
  repeats=1 best "$dir/big.des" seconds openssl enc -des-cbc -provider legacy -provider default -K 0123456789abcdef \
    -iv 0000000000000000 -in "$dir/big.bin" -out "$dir/big.des"
  best "$dir/big.aes" seconds openssl enc -aes-256-cbc -K "$(printf '%064d' 0)" -iv "$(printf '%032d' 0)" \
    -in "$dir/big.bin" -out "$dir/big.aes"
  rm -rf "$dir/restored" "$dir"/*.EXE "$dir"/dd.bin "$dir"/cp.bin "$dir"/big.des "$dir"/big.aes
}
time_file "$memory" "$memory_link" > "$memory/times"
time_file "$disk" "$disk" > "$disk/times"
mapfile -t in_memory < "$memory/times"
mapfile -t on_disk < "$disk/times"

tree_seal=$(repeats=1 best "$memory/tree.EXE" "$wine_run" "$runner" seal "$(windows "$memory_link/tree")" "$passphrase")
mkdir -p "$memory/tree-restored"
tree_restore=$(repeats=1 best "$memory/tree-restored/tree" "$wine_run" "$runner" restore "$(windows "$memory_link/tree.EXE")" \
  "$(windows "$memory_link/tree-restored")" "$passphrase")
diff -r "$memory/tree" "$memory/tree-restored/tree" > /dev/null
tree_cp=$(repeats=1 best "$memory/tree-cp" seconds cp -r "$memory/tree" "$memory/tree-cp")
tree_openssl=$(repeats=1 best "$memory/tree.des" seconds bash -c "tar cf - -C '$memory' tree | openssl enc -des-cbc -provider legacy \
  -provider default -K 0123456789abcdef -iv 0000000000000000 -out '$memory/tree.des'")

labels=("seal (velmora under Wine)" "restore (velmora under Wine)" "dd bs=10000" "cp" "openssl enc -des-cbc"
  "openssl enc -aes-256-cbc")
printf '\n%-34s %18s %18s\n' "$mib MiB file, best of $repeats" "memory s   MB/s" "disk s   MB/s"
for i in "${!labels[@]}"; do
  printf '%-34s %9.2f %8s %9.2f %8s\n' "${labels[$i]}" "${in_memory[$i]}" "$(rate "$big_mb" "${in_memory[$i]}")" \
    "${on_disk[$i]}" "$(rate "$big_mb" "${on_disk[$i]}")"
done
# ratios <place> <seal> <restore> <dd> <openssl-des-cbc>
ratios() {
  printf '%-7s ratios: seal/dd %s, restore/dd %s, seal/openssl-des-cbc %s, restore/openssl-des-cbc %s\n' "$1" \
    "$(ratio "$4" "$2")" "$(ratio "$4" "$3")" "$(ratio "$5" "$2")" "$(ratio "$5" "$3")"
}
ratios memory "${in_memory[0]}" "${in_memory[1]}" "${in_memory[2]}" "${in_memory[4]}"
ratios disk "${on_disk[0]}" "${on_disk[1]}" "${on_disk[2]}" "${on_disk[4]}"

printf '\n%-34s %10s %10s\n' "tree of $files files ($tree_mb MB)" "seconds" "files/s"
printf '%-34s %10.2f %10s\n' "seal (velmora under Wine)" "$tree_seal" "$(rate "$files" "$tree_seal")"
printf '%-34s %10.2f %10s\n' "restore (velmora under Wine)" "$tree_restore" "$(rate "$files" "$tree_restore")"
printf '%-34s %10.2f %10s\n' "cp -r" "$tree_cp" "$(rate "$files" "$tree_cp")"
printf '%-34s %10.2f %10s\n' "tar | openssl enc -des-cbc" "$tree_openssl" "$(rate "$files" "$tree_openssl")"
read -r walk listing entries <<<"$("$wine_run" "$runner" list "$(windows "$memory_link/listing")" | tr -d '\r')"
printf '\n%-34s %10s %10s\n' "listing $entries entries" "seconds" "entries/s"
printf '%-34s %10.2f %10s\n' "listing in the dialog" "$listing" "$(rate "$entries" "$listing")"
printf '%-34s %10.2f %10s\n' "plain walk with the same searches" "$walk" "$(rate "$entries" "$walk")"
printf '\nratios: tree seal/cp %s, tree seal/openssl %s, listing/walk %s\n' \
  "$(ratio "$tree_cp" "$tree_seal")" "$(ratio "$tree_openssl" "$tree_seal")" "$(ratio "$listing" "$walk")"
cleanup

if [[ -x "$native_dir/bench/cipher_bench" ]]; then
  echo
  bash "$root/bench/cipher_bench.sh" "$native_dir" "$win_dir"
fi
