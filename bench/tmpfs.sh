# Sourced by the side-by-side scripts that need memory-backed storage. `bench_tmpfs NAME` makes a
# work folder ($work) with a 3 GiB tmpfs mounted at $mem, both removed on exit; without the right
# to mount (not root) it says the benchmark was skipped and ends the script.
bench_tmpfs() {
  work=$(mktemp -d "${TMPDIR:-/var/tmp}/files-bench-$1.XXXXXX")
  mem="$work/tmpfs"
  mkdir -p "$mem"
  trap 'umount "$mem" 2>/dev/null || true; rm -rf "$work"' EXIT
  if ! mount -t tmpfs -o size=3g tmpfs "$mem" 2>/dev/null; then
    echo "bench $1: skipped (cannot mount a tmpfs here; run as root)"
    exit 0
  fi
}
