#!/usr/bin/env bash
# Copies one 1 GiB file and a tree of 20,000 small files (about 200 MB) side by side with cp:
# within ext4, ext4 -> tmpfs and tmpfs -> ext4. Each timed copy ends with a sync of the
# destination's file system, for both tools. Needs root for the tmpfs mount.
# Usage: bench/transfer.sh BUILD_DIR
set -euo pipefail
build=$1
bin="$build/bench/bench_copy"
. "$(dirname "$0")/tmpfs.sh"
bench_tmpfs transfer
make_data() {
  head -c 1073741824 /dev/urandom > "$1/big.bin"
  python3 - "$1/tree" <<'PY'
import os, sys
root = sys.argv[1]
data = os.urandom(10240)
for i in range(20000):
    d = os.path.join(root, f"d{i // 500:03d}")
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, f"f{i:05d}.txt"), "wb") as f:
        f.write(data)
PY
}
mkdir -p "$work/src" "$mem/src"
make_data "$work/src"
make_data "$mem/src"

runs=3
median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }
time_cp() { # SOURCE DEST
  local start end
  start=$(date +%s%N)
  cp -r --reflink=never "$1" "$2/"
  sync -f "$2"
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.1f", ns / 1e6 }'
}
compare() { # NAME SOURCE DEST_ROOT
  local name=$1 source=$2 dest_root=$3 ours=() peer=()
  for i in $(seq $runs); do
    for side in ours peer; do
      rm -rf "$dest_root/out"; mkdir -p "$dest_root/out"; sync
      if [ "$side" = ours ]; then ours+=("$("$bin" "$source" "$dest_root/out")"); else peer+=("$(time_cp "$source" "$dest_root/out")"); fi
    done
  done
  rm -rf "$dest_root/out"
  local o p
  o=$(printf '%s\n' "${ours[@]}" | median)
  p=$(printf '%s\n' "${peer[@]}" | median)
  # Throughput ratio: the peer's time over ours, so above 1 means faster than cp.
  awk -v n="$name" -v o="$o" -v p="$p" 'BEGIN { printf "bench %s: ratio %.2f (ours %.0f ms, cp %.0f ms)\n", n, p / o, o, p }'
}
compare copy-1gib-ext4 "$work/src/big.bin" "$work"
compare copy-tree-ext4 "$work/src/tree" "$work"
compare copy-1gib-ext4-to-tmpfs "$work/src/big.bin" "$mem"
compare copy-tree-ext4-to-tmpfs "$work/src/tree" "$mem"
compare copy-1gib-tmpfs-to-ext4 "$mem/src/big.bin" "$work"
compare copy-tree-tmpfs-to-ext4 "$mem/src/tree" "$work"
