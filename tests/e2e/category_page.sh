#!/usr/bin/env bash
# End to end: a new category made on the editor's category page, with its
# folder picked in the real folder dialog, receives text dragged onto it
# from another program. Screenshots of each page go to the artifacts.
# Usage: category_page.sh KESTRUM QT_SOURCE ARTIFACTS
qt_source=$2
source "$(dirname "$0")/desktop.sh" "$3" "$1"

mkdir -p "$work/c1" "$work/inbox"
echo "first note" >"$work/c1/note.txt"
settings $'[程序参数]\n窗口顶部=300\n窗口左边=900\n[类别]\n第一类='"$work/c1"
start_kestrum

# The editor opens at its default place, 40, 90; its left panel is fixed
# enough in size for the page captions to be clicked by position.
xdotool mousemove 905 310 click 3; sleep 0.5; xdotool key Down Return; sleep 1.5
xdotool search --sync --onlyvisible --pid "$kestrum_pid" --name '3[.]3' >/dev/null
shot page-files
# The captions wrap in rows at the panel's width: 浏览所有文件 | 类别设置 文件合并 |
# 程序设置 全部搜索.
page=1
for at in "72 354" "136 354" "72 377"; do
  xdotool mousemove $at click 1; sleep 0.7
  shot "page-$page"; page=$((page + 1))
done

# 类别 > 新建类别, a name, then the folder through the dialog. (xdotool types
# ASCII reliably; the names' encoding is the unit tests' business.)
xdotool mousemove 61 99 click 1; sleep 0.5; xdotool mousemove 97 145 click 1; sleep 0.5
xdotool mousemove 105 451 click 1; sleep 0.3; xdotool key ctrl+a; xdotool type "Inbox"; sleep 0.3
xdotool mousemove 105 532 click 1
dialog=$(xdotool search --sync --onlyvisible --name '^选择保存目录$' | head -1)
sleep 0.5
shot folder-dialog
xdotool windowactivate --sync "$dialog" type "$work/inbox"
xdotool key Return; sleep 1
shot category-made
iconv -f gb18030 -t utf-8 "$program/tuckpad.ini" | grep -qx "Inbox=$work/inbox"$'\r' ||
  fail "the new category is not in the settings file"

# Drop onto the new category, the second item of the drop list.
background "$qt_source" "Into the inbox" 760 450 "$work/source.txt"
source_window=$(xdotool search --sync --onlyvisible --name kestrum-drag-source | head -1)
sleep 0.5
X=$(xwininfo -id "$source_window" | awk '/Absolute upper-left X/ {print $4}')
Y=$(xwininfo -id "$source_window" | awk '/Absolute upper-left Y/ {print $4}')
drag_shot=over-new-category drag $((X + 20)) $((Y + 11)) 905 305 910 326 912 327
[ -f "$work/inbox/Intotheinbox.txt" ] || { find "$work" -name '*.txt' >&2; fail "no capture in the new category's folder"; }
[ -z "$(find "$work/c1" -newer "$work/c1/note.txt" -type f)" ] || fail "the first category received something"
echo "1 passed, 0 failed"
