#!/usr/bin/env bash
# Start-up in a private Xvfb with openbox, median and range of RUNS runs:
# exec to the drop window mapped, and resident and proportional memory after
# 5 s idle, for Kestrum and for a minimal Qt window (the floor) running side
# by side; then a second start's exec to the running editor window mapped.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd) runs=${2:-9}
kestrum=$build/bin/kestrum floor=$build/bench/minimal_window watch=$build/tests/e2e/map_watch

work=$(mktemp -d /tmp/kestrum-bench-XXXXXX)
display=":$((700 + RANDOM % 200))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb $wm 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm=$!
sleep 0.5
mkdir -p "$work/program" "$work/tmp"
cp "$kestrum" "$work/program/kestrum"
export TMPDIR=$work/tmp HOME=$work

# "median (min-max)" of the numbers on standard input.
summary() {
  sort -n | awk '{v[NR]=$1} END {printf "%s (%s-%s)", v[int((NR+1)/2)], v[1], v[NR]}'
}
kib() { awk -v k="$1" '$1 == k":" {print $2}' "/proc/$2/smaps_rollup"; }

# One run: the floor starts, then Kestrum beside it; after 5 s idle both
# memories are read (the libraries they share count half to each in PSS),
# then Kestrum is started a second time. Prints "floor_ms floor_rss
# floor_pss kestrum_ms kestrum_rss kestrum_pss second_start_ms", KiB.
measure() {
  local floor_ms floor_pid ms pid second
  read -r floor_ms floor_pid < <("$watch" Kestrum "$floor")
  read -r ms pid < <("$watch" Kestrum "$work/program/kestrum")
  sleep 5
  second=$("$watch" 'Kestrum之' "$work/program/kestrum" | cut -d' ' -f1)
  echo "$floor_ms $(kib Rss "$floor_pid") $(kib Pss "$floor_pid")" \
    "$ms $(kib Rss "$pid") $(kib Pss "$pid") $second"
  kill "$floor_pid" "$pid"; wait "$floor_pid" "$pid" 2>/dev/null || true
}

results=$(for _ in $(seq "$runs"); do measure; done)
column() { cut -d' ' -f"$1" <<<"$results" | summary; }
mib() { cut -d' ' -f"$1" <<<"$results" | awk '{printf "%.1f\n", $1 / 1024}' | summary; }
echo "median (min-max) of $runs runs"
echo "floor:   mapped after $(column 1) ms; RSS $(mib 2) MiB; PSS $(mib 3) MiB"
echo "kestrum: mapped after $(column 4) ms; RSS $(mib 5) MiB; PSS $(mib 6) MiB"
echo "kestrum: a second start shows the editor after $(column 7) ms"
