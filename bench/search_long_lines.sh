#!/usr/bin/env bash
# kestrum-text search on one file of 256 MiB without a line end, beside the
# same bytes with a line end every 100 bytes, and on a sparse 2 GiB file:
# wall time (median of 3) and peak memory (GNU time). The search must stay
# linear and bounded whatever the line lengths.
# Usage: bench/search_long_lines.sh [BUILD]   (default build/)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
tool=$build/src/tools/kestrum-text
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/one-line" "$work/lines" "$work/sparse"
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
block = bytes(range(97, 123)) * 40 # a..z, 1040 bytes
lines = bytearray(block)
lines[99::100] = b"\n" * len(lines[99::100])
for folder, part in (("one-line", block), ("lines", bytes(lines))):
    with open(f"{work}/{folder}/big.txt", "wb") as out:
        for _ in range((256 << 20) // len(part)):
            out.write(part)
PY
truncate -s 2G "$work/sparse/big.txt"

measure() { # FOLDER: median seconds of 3 runs and the largest peak memory
  local times=() peak=0
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$work/time" "$tool" search zzzz "$1" >/dev/null || true
    read -r seconds kb < <(tail -1 "$work/time")
    times+=("$seconds")
    [ "$kb" -gt "$peak" ] && peak=$kb
  done
  printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)" "$((peak / 1024))"
}
printf '%-36s %8s %8s\n' file seconds peak-MiB
for folder in lines one-line sparse; do
  read -r seconds mib < <(measure "$work/$folder")
  printf '%-36s %8s %8s\n' "$folder ($(du -h --apparent-size "$work/$folder/big.txt" | cut -f1))" \
    "$seconds" "$mib"
done
