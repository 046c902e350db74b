#!/usr/bin/env bash
# Start-up time (exec to the drop window mapped) and resident memory after
# 5 s idle, each the median of RUNS runs, for Kestrum and for a minimal Qt
# window (the floor), in a private Xvfb with openbox.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build} runs=${2:-5}
kestrum=$build/bin/kestrum floor=$build/bench/minimal_window

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

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# Milliseconds from exec until a visible window titled "Kestrum" of the
# process exists, then its resident kilobytes after 5 s.
measure() {
  local start pid ms rss
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 & pid=$!
  until xdotool search --all --onlyvisible --pid "$pid" --name '^Kestrum$' >/dev/null 2>&1; do
    sleep 0.005
  done
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  sleep 5
  rss=$(ps -o rss= -p "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$ms $rss"
}

report() {
  local name=$1; shift
  local results=() i
  for i in $(seq "$runs"); do results+=("$(measure "$@")"); done
  local ms rss
  ms=$(printf '%s\n' "${results[@]}" | cut -d' ' -f1 | median)
  rss=$(printf '%s\n' "${results[@]}" | cut -d' ' -f2 | median)
  echo "$name: start-up ${ms} ms, resident $((rss / 1024)) MB (median of $runs)"
}

report floor "$floor"
report kestrum "$work/program/kestrum"
