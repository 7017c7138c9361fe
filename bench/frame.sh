#!/usr/bin/env bash
# One frame of the window for folders of 1,000, 10,000 and 100,000 entries: the cost must not
# grow with the folder. Usage: bench/frame.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/var/tmp}/files-bench-frame.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import os, sys
for n in (1000, 10000, 100000):
    d = os.path.join(sys.argv[1], str(n))
    os.makedirs(d)
    for i in range(n):
        open(os.path.join(d, f"document {i:06d}.txt"), "wb").close()
PY
out=$(VASK_WORKSPACE_ROOTS= "$build/bench/bench_frame" "$work/1000" "$work/10000" "$work/100000")
for mode in list grid; do
  base=$(awk -v m=$mode '$1 == m && $2 == 1000 { print $3 }' <<<"$out")
  for n in 10000 100000; do
    ms=$(awk -v m=$mode -v n=$n '$1 == m && $2 == n { print $3 }' <<<"$out")
    awk -v m=$mode -v n=$n -v o="$ms" -v p="$base" \
      'BEGIN { printf "bench frame-%s-%dk-vs-1k: ratio %.2f (ours %.2f ms, 1k entries %.2f ms)\n", m, n / 1000, o / p, o, p }'
  done
done
