#!/usr/bin/env bash
# Extracts ZIP and tar.gz archives of a tree of 20,000 small files (about 200 MB) and of one
# 200 MB file side by side with bsdtar -xf, and compresses the tree side by side with zip -r -q.
# Data, archives and outputs all live on a tmpfs, so the disk is out of the picture. The archives
# are made by the peer tools. Needs root for the tmpfs mount.
# Usage: bench/archive.sh BUILD_DIR
set -euo pipefail
build=$1
bin="$(cd "$build" && pwd)/bench/bench_archive"
. "$(dirname "$0")/tmpfs.sh"
bench_tmpfs archive
for tool in bsdtar zip; do
  if ! command -v "$tool" >/dev/null; then
    echo "bench archive: skipped ($tool is not installed)"
    exit 0
  fi
done

# Half random, half text, so that deflate has work of both kinds.
python3 - "$mem/data" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(11)
words = b"archive folder explorer extract compress member header stream window block".split()
def text(n):
    out = bytearray()
    while len(out) < n:
        out += rnd.choice(words) + b" "
    return bytes(out[:n])
small_text = text(5120)
for i in range(20000):
    d = os.path.join(root, "tree", f"d{i // 500:03d}")
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, f"f{i:05d}.txt"), "wb") as f:
        f.write(b"%05d" % i + os.urandom(5115) + small_text)
big_text = text(1 << 19)
with open(os.path.join(root, "big.bin"), "wb") as f:
    for _ in range(200):
        f.write(os.urandom(1 << 19) + big_text)
PY
(cd "$mem/data" && zip -r -q "$mem/small.zip" tree && zip -q "$mem/big.zip" big.bin)
bsdtar -czf "$mem/small.tar.gz" -C "$mem/data" tree
bsdtar -czf "$mem/big.tar.gz" -C "$mem/data" big.bin

runs=5
median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }
elapsed_ms() { awk -v ns=$(($2 - $1)) 'BEGIN { printf "%.1f", ns / 1e6 }'; }
# Ratio: our time over the peer's, so below 1 means faster than the peer.
report() { # NAME PEER OURS_MS PEER_MS
  awk -v n="$1" -v t="$2" -v o="$3" -v p="$4" \
    'BEGIN { printf "bench %s: ratio %.2f (ours %.0f ms, %s %.0f ms)\n", n, o / p, o, t, p }'
}
extract() { # NAME ARCHIVE
  local ours=() peer=() start end
  for _ in $(seq $runs); do
    rm -rf "$mem/out"
    ours+=("$("$bin" extract "$2" "$mem/out")")
    rm -rf "$mem/out"; mkdir "$mem/out"
    start=$(date +%s%N)
    bsdtar -xf "$2" -C "$mem/out"
    end=$(date +%s%N)
    peer+=("$(elapsed_ms "$start" "$end")")
  done
  rm -rf "$mem/out"
  report "$1" bsdtar "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${peer[@]}" | median)"
}
compress() { # NAME FOLDER
  local ours=() peer=() start end parent name
  parent=$(dirname "$2"); name=$(basename "$2")
  mkdir -p "$mem/zips"
  for _ in $(seq $runs); do
    rm -f "$mem/zips"/*
    ours+=("$("$bin" compress "$2" "$mem/zips")")
    rm -f "$mem/zips"/*
    start=$(date +%s%N)
    (cd "$parent" && zip -r -q "$mem/zips/$name.zip" "$name")
    end=$(date +%s%N)
    peer+=("$(elapsed_ms "$start" "$end")")
  done
  rm -rf "$mem/zips"
  report "$1" zip "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${peer[@]}" | median)"
}
extract extract-zip-small-vs-bsdtar "$mem/small.zip"
extract extract-targz-small-vs-bsdtar "$mem/small.tar.gz"
extract extract-zip-big-vs-bsdtar "$mem/big.zip"
extract extract-targz-big-vs-bsdtar "$mem/big.tar.gz"
compress compress-zip-small-vs-zip "$mem/data/tree"
