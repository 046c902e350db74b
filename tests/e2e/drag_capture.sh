#!/usr/bin/env bash
# End to end in a private X server: start Kestrum, drag text from another
# program onto its second category, open and close the editor from the
# menu, exit from the menu; then look at what is left on disk.
# Usage: drag_capture.sh KESTRUM QT_SOURCE ARTIFACTS
source_program=$2
source "$(dirname "$0")/desktop.sh" "$3" "$1"

mkdir -p "$work/first" "$work/second"
settings $'[程序参数]\n窗口顶部=300\n窗口左边=600\n[类别]\n第一类='"$work/first"$'\n第二类='"$work/second"
start_kestrum
background "$source_program" "E2E capture text
second line" 100 100 "$work/source.txt"
xdotool search --sync --onlyvisible --name kestrum-drag-source >/dev/null
sleep 0.5

# Drag from the selected text onto the drop window's second item.
drag_shot=during-drag drag 130 120 610 310 612 326 614 327
shot after-drop

[ -f "$work/second/E2Ecapturetext.txt" ] || { ls -R "$work" >&2; fail "no capture in the second category"; }
[ -f "$private/tuckpad/E2Ecapturetext.txt" ] || fail "no capture copy in the working folder"
[ -z "$(ls "$work/first")" ] || fail "the first category received something"
grep -q "E2E capture text" "$work/source.txt" || fail "the source lost its text"
echo "capture stored; source kept its text"

# A second start hands over to the running one and ends.
"$program/kestrum" >/dev/null 2>&1 || fail "the second start failed"
[ "$(pgrep -f "$program/kestrum" | wc -l)" -eq 1 ] || fail "a second instance is running"
editor=$(xdotool search --all --sync --onlyvisible --pid "$kestrum_pid" --name '3[.]3' | head -1)
xdotool windowactivate --sync "$editor" key --clearmodifiers alt+F4 2>/dev/null || true
sleep 0.5

# Menu: open the editor, close it, exit.
editor_shown() { xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '3[.]3' >/dev/null; }
open_menu() { xdotool mousemove 605 310 click 3; sleep 0.5; }
open_menu; xdotool key Down Return; sleep 1
editor_shown || fail "the editor did not open"
shot editor-open
open_menu; xdotool key Down Return; sleep 1
! editor_shown || fail "the editor did not close"
open_menu; xdotool key Up Return
for _ in $(seq 50); do kill -0 "$kestrum_pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$kestrum_pid" 2>/dev/null || fail "Kestrum did not exit"

[ ! -e "$private" ] || { ls -la "$private" >&2; fail "the run left files in the temporary folder"; }
iconv -f gb18030 -t utf-8 "$work/program/tuckpad.ini" | grep -q '^窗口2宽度=[0-9]' || fail "no editor geometry stored"
echo "1 passed, 0 failed"
