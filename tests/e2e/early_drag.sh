#!/usr/bin/env bash
# End to end: a drag already under way when Kestrum starts reaches the drop
# window within 100 ms of its being mapped, while the editor window may not
# be built yet, and still finds all five categories: the text lands in the
# fifth.
# Usage: early_drag.sh KESTRUM QT_SOURCE MAP_WATCH ARTIFACTS
qt_source=$2 map_watch=$3
source "$(dirname "$0")/desktop.sh" "$4" "$1"

table=$'[程序参数]\n窗口顶部=300\n窗口左边=600\n[类别]'
for i in 1 2 3 4 5; do mkdir -p "$work/c$i"; table+=$'\n'"类别$i=$work/c$i"; done
settings "$table"
fifth_y=$((300 + 2 + 16 * 4 + 8))

background "$qt_source" "Early drop" 100 100 "$work/source-state.txt"
window=$(xdotool search --sync --onlyvisible --name '^kestrum-drag-source$' | head -1)
xdotool windowmove "$window" 100 100; sleep 0.8
X=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
Y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
xdotool mousemove $((X + 20)) $((Y + 11)); sleep 0.3
xdotool mousedown 1; sleep 0.2
for dx in 5 15 40; do xdotool mousemove $((X + 20 + dx)) $((Y + 11)); sleep 0.2; done

# The drag is under way; Kestrum starts and the pointer goes onto its
# picture as soon as the window is mapped.
read -r mapped_ms kestrum_pid < <("$map_watch" Kestrum "$program/kestrum")
mapped=$(date +%s%N)
desktop_pids+=("$kestrum_pid")
xdotool mousemove 605 305
entered_ms=$((($(date +%s%N) - mapped) / 1000000))
echo "mapped ${mapped_ms} ms after exec; the pointer entered ${entered_ms} ms after that"
[ "$entered_ms" -lt 100 ] || fail "the pointer reached the window only after ${entered_ms} ms"
sleep 0.3
for point in "610 330" "612 $fifth_y" "614 $((fifth_y + 1))"; do
  xdotool mousemove $point; sleep 0.3
done
shot over-fifth
xdotool mouseup 1
sleep 1
[ -f "$work/c5/Earlydrop.txt" ] || { find "$work"/c[1-5] -type f >&2; fail "no capture in the fifth category"; }
echo "1 passed, 0 failed"
