#!/usr/bin/env bash
# Sourced by every end-to-end test: a private X server (Xvfb) with openbox
# as the window manager, a scratch folder $work and a portable Kestrum
# program folder in it, torn down when the test ends.
#   source desktop.sh ARTIFACTS [KESTRUM]
# gives: $work, $program (holding a copy of KESTRUM when given), $artifacts,
# DISPLAY, HOME and TMPDIR in $work, and the functions below.
set -euo pipefail
artifacts=$1 desktop_kestrum=${2:-}
mkdir -p "$artifacts"
work=$(mktemp -d /tmp/kestrum-e2e-XXXXXX)
program=$work/program
desktop_pids=()

desktop_stop() {
  for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap desktop_stop EXIT

fail() {
  echo "FAIL: $*" >&2
  shot "failure" || true
  exit 1
}

# A screenshot of the whole screen into the artifacts folder.
shot() { import -window root "$artifacts/$1.png"; }

# Runs a program in the background for the rest of the test.
background() { "$@" & desktop_pids+=($!); }

# Writes tuckpad.ini (given in UTF-8) as Kestrum stores it: GB18030, CR LF.
settings() { printf '%s' "$1" | sed 's/$/\r/' | iconv -f utf-8 -t gb18030 >"$program/tuckpad.ini"; }

# Starts Kestrum and waits until its drop window is on the screen.
start_kestrum() {
  "$program/kestrum" >"$artifacts/kestrum.log" 2>&1 &
  kestrum_pid=$!
  desktop_pids+=($kestrum_pid)
  xdotool search --all --sync --onlyvisible --pid "$kestrum_pid" --name "^Kestrum$" >/dev/null
}

# Drags with the left button from (x1, y1) along the given points, holding
# each for a moment as a hand would, and lets go at the last one.
drag() {
  local x=$1 y=$2; shift 2
  xdotool mousemove "$x" "$y"; sleep 0.3
  xdotool mousedown 1; sleep 0.2
  for dx in 5 15 40; do xdotool mousemove $((x + dx)) "$y"; sleep 0.2; done
  while [ $# -ge 2 ]; do xdotool mousemove "$1" "$2"; sleep 0.3; shift 2; done
  [ -z "${drag_shot:-}" ] || shot "$drag_shot"
  xdotool mouseup 1
  sleep 1
}

display=":$((200 + RANDOM % 600))"
while [ -e "/tmp/.X${display#:}-lock" ]; do display=":$((200 + RANDOM % 600))"; done
background Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
background openbox
sleep 0.5

mkdir -p "$program" "$work/tmp"
if [ -n "$desktop_kestrum" ]; then
  cp "$desktop_kestrum" "$program/kestrum"
  # What ships beside the program (manual, skins), laid out as installed.
  shipped=$(dirname "$desktop_kestrum")/../share
  [ ! -d "$shipped" ] || cp -r "$shipped" "$work/share"
fi
export TMPDIR=$work/tmp HOME=$work
# The program's own texts, which the tests look for, whatever the machine's
# language; a test of another language sets its own.
unset LANGUAGE LC_MESSAGES
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset XDG_RUNTIME_DIR
private="$work/tmp/kestrum-$(id -u)"
