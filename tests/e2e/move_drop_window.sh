#!/usr/bin/env bash
# End to end under openbox: a double click on the picture still opens and
# closes the editor and moves nothing; dragging the picture takes the drop
# window along with the pointer (the window manager moves it once the
# pointer has gone some way), and tuckpad.ini then holds the place the
# window manager put the window at, as X11 reports it.
# Usage: move_drop_window.sh KESTRUM ARTIFACTS
source "$(dirname "$0")/desktop.sh" "$2" "$1"

settings $'[程序参数]\n窗口顶部=300\n窗口左边=600\n是否自动保存=1'
start_kestrum
window=$(xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '^Kestrum$' | head -1)
place() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}'; }
stored() {
  iconv -f gb18030 -t utf-8 "$program/tuckpad.ini" |
    awk -F= '/^窗口左边=/ {x=$2} /^窗口顶部=/ {y=$2} END {print x+0 "," y+0}' | tr -d '\r'
}
editor_shown() { xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '3[.]3' >/dev/null; }
sleep 1
[ "$(place)" = 600,300 ] || fail "the drop window starts at $(place)"

xdotool mousemove 610 310 click --repeat 2 --delay 80 1; sleep 1
editor_shown || fail "a double click on the picture did not open the editor"
xdotool mousemove 610 310 click --repeat 2 --delay 80 1; sleep 1
! editor_shown || fail "a second double click did not close the editor"
[ "$(place)" = 600,300 ] || fail "the clicks moved the window to $(place)"

drag 610 310 500 400 410 510
sleep 0.5
shot after-move
# The pointer went 40 right, then to 200 left and 200 down of the press;
# the window goes along from the moment the press became a drag, a few
# pixels into the first stretch.
IFS=, read -r x y <<<"$(place)"
((x >= 360 && x <= 400 && y == 500)) || fail "the drag took the window to $x,$y, not near 400,500"
[ "$(stored)" = "$(place)" ] || fail "stored $(stored), the window is at $(place)"
echo "moved to $(place), stored $(stored)"

echo "1 passed, 0 failed"
