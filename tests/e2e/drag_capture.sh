#!/usr/bin/env bash
# End to end in a private X server: start Kestrum, drag text from another
# program onto its second category, open and close the editor from the
# menu, exit from the menu; then look at what is left on disk.
set -euo pipefail
kestrum=$1 source_program=$2 artifacts=$3
mkdir -p "$artifacts"

work=$(mktemp -d /tmp/kestrum-e2e-XXXXXX)
display=":$((200 + RANDOM % 500))"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
sleep 0.5

# A portable program folder of its own, with two categories.
mkdir -p "$work/program" "$work/tmp" "$work/first" "$work/second"
cp "$kestrum" "$work/program/kestrum"
printf '[程序参数]\r\n窗口顶部=300\r\n窗口左边=600\r\n[类别]\r\n第一类=%s\r\n第二类=%s\r\n' \
  "$work/first" "$work/second" | iconv -f utf-8 -t gb18030 > "$work/program/tuckpad.ini"
export TMPDIR=$work/tmp HOME=$work
unset XDG_RUNTIME_DIR
private="$work/tmp/kestrum-$(id -u)"

"$work/program/kestrum" >"$artifacts/kestrum.log" 2>&1 & kestrum_pid=$!; pids+=($kestrum_pid)
xdotool search --all --sync --onlyvisible --pid "$kestrum_pid" --name "^Kestrum$" >/dev/null
"$source_program" "E2E capture text
second line" 100 100 "$work/source.txt" & pids+=($!)
xdotool search --sync --onlyvisible --name kestrum-drag-source >/dev/null
sleep 0.5

# Drag from the selected text onto the drop window's second item.
xdotool mousemove 130 120 && sleep 0.3
xdotool mousedown 1 && sleep 0.2
for dx in 5 15 40; do xdotool mousemove $((130 + dx)) 120; sleep 0.2; done
xdotool mousemove 610 310 && sleep 0.5
xdotool mousemove 612 326 && sleep 0.3
xdotool mousemove 614 327 && sleep 0.3
import -window root "$artifacts/during-drag.png"
xdotool mouseup 1
sleep 1
import -window root "$artifacts/after-drop.png"

[ -f "$work/second/E2Ecapturetext.txt" ] || { ls -R "$work" >&2; fail "no capture in the second category"; }
[ -f "$private/tuckpad/E2Ecapturetext.txt" ] || fail "no capture copy in the working folder"
[ -z "$(ls "$work/first")" ] || fail "the first category received something"
grep -q "E2E capture text" "$work/source.txt" || fail "the source lost its text"
echo "capture stored; source kept its text"

# A second start hands over to the running one and ends.
"$work/program/kestrum" >/dev/null 2>&1 || fail "the second start failed"
[ "$(pgrep -f "$work/program/kestrum" | wc -l)" -eq 1 ] || fail "a second instance is running"
editor=$(xdotool search --all --sync --onlyvisible --pid "$kestrum_pid" --name '3[.]3' | head -1)
xdotool windowactivate --sync "$editor" key --clearmodifiers alt+F4 2>/dev/null || true
sleep 0.5

# Menu: open the editor, close it, exit.
open_menu() { xdotool mousemove 605 310 click 3; sleep 0.5; }
open_menu; xdotool key Down Return; sleep 1
xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '3[.]3' >/dev/null || fail "the editor did not open"
import -window root "$artifacts/editor-open.png"
open_menu; xdotool key Down Return; sleep 1
if xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '3[.]3' >/dev/null; then
  import -window root "$artifacts/editor-not-closed.png"
  for w in $(xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '3[.]3'); do xdotool getwindowname $w; xdotool getwindowgeometry $w; done
  fail "the editor did not close"
fi
open_menu; xdotool key Up Return
for _ in $(seq 50); do kill -0 "$kestrum_pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$kestrum_pid" 2>/dev/null || fail "Kestrum did not exit"

[ ! -e "$private" ] || { ls -la "$private" >&2; fail "the run left files in the temporary folder"; }
iconv -f gb18030 -t utf-8 "$work/program/tuckpad.ini" | grep -q '^窗口2宽度=[0-9]' || fail "no editor geometry stored"
echo "1 passed, 0 failed"
