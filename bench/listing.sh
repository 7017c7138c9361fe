#!/usr/bin/env bash
# Lists and sorts a generated 100,000-entry folder side by side with find and with a bare
# getdents64 + statx loop. Usage: bench/listing.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/var/tmp}/files-bench-list.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 - "$work/dir" <<'PY'
import os, sys, random
d = sys.argv[1]
os.makedirs(d)
rnd = random.Random(7)
words = ["Report", "photo", "Notes", "draft", "Übersicht", "invoice", "IMG", "track", "readme", "data"]
exts = [".txt", ".jpg", ".pdf", ".md", ".png", ".zip", ".odt", "", ".tar.gz", ".mp3"]
for i in range(100000):
    name = f"{rnd.choice(words)} {i:06d}{rnd.choice(exts)}"
    if i % 50 == 0:
        os.mkdir(os.path.join(d, name))
    else:
        with open(os.path.join(d, name), "wb") as f:
            f.write(b"x" * (i % 97))
PY
bin="$build/bench/bench_listing"
runs=9
median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }
# Warm the cache once, then interleave the contenders so that load from elsewhere on the
# machine falls on all of them alike.
"$bin" bare "$work/dir" 1 >/dev/null
cold_ours=() cold_bare=() warm_ours=() warm_bare=() find_times=()
for _ in $(seq $runs); do
  read -r c w _ < <("$bin" ours "$work/dir" 5); cold_ours+=("$c"); warm_ours+=("$w")
  read -r c w _ < <("$bin" bare "$work/dir" 5); cold_bare+=("$c"); warm_bare+=("$w")
  start=$(date +%s%N)
  find "$work/dir" -mindepth 1 -maxdepth 1 -printf '%f %s %T@\n' >/dev/null
  end=$(date +%s%N)
  find_times+=("$(awk -v ns=$((end - start)) 'BEGIN { printf "%.2f", ns / 1e6 }')")
done
ours=$(printf '%s\n' "${cold_ours[@]}" | median)
bare=$(printf '%s\n' "${cold_bare[@]}" | median)
ours_warm=$(printf '%s\n' "${warm_ours[@]}" | median)
bare_warm=$(printf '%s\n' "${warm_bare[@]}" | median)
find_ms=$(printf '%s\n' "${find_times[@]}" | median)
awk -v o="$ours" -v p="$bare" 'BEGIN { printf "bench list-100k-vs-bare: ratio %.2f (ours %.1f ms, getdents64+statx %.1f ms)\n", o / p, o, p }'
awk -v o="$ours_warm" -v p="$bare_warm" 'BEGIN { printf "bench relist-100k-vs-bare: ratio %.2f (ours %.1f ms, getdents64+statx %.1f ms)\n", o / p, o, p }'
awk -v o="$ours" -v p="$find_ms" 'BEGIN { printf "bench list-100k-vs-find: ratio %.2f (ours %.1f ms, find %.1f ms)\n", o / p, o, p }'
