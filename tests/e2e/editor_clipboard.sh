#!/usr/bin/env bash
# End to end: the editor and the desktop's clipboard, with xclip as the
# other program: its text pastes into the editor and reaches the working
# file, the editor's copy reaches xclip, "清除剪贴板内容" empties what xclip
# sees, and Ctrl+Q reflows the editor. Screenshots of the editor's menus.
# Usage: editor_clipboard.sh KESTRUM ARTIFACTS
source "$(dirname "$0")/desktop.sh" "$2" "$1"

mkdir -p "$work/first"
settings $'[程序参数]\n窗口顶部=300\n窗口左边=900\n[类别]\nfirst='"$work/first"
start_kestrum
working=$private/firsttemp.txt
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }
offer() { printf '%s' "$1" | xclip -selection clipboard; sleep 0.3; }

xdotool mousemove 905 310 click 3; sleep 0.5; xdotool key Down Return; sleep 1.5
editor=$(xdotool search --sync --onlyvisible --pid "$kestrum_pid" --name '3[.]3' | head -1)
xdotool mousemove 450 300 click 1; sleep 0.3

offer "from xclip"
xdotool key ctrl+v; sleep 0.5
grep -q "from xclip" "$working" 2>/dev/null || fail "the pasted text did not reach the working file"

xdotool type " and more"; xdotool key ctrl+a ctrl+c; sleep 0.5
[ "$(clipboard)" = "from xclip and more" ] || fail "xclip reads '$(clipboard)' after the editor's copy"

xdotool mousemove 450 300 click 3; sleep 0.7
shot editor-menu
xdotool key Up Return; sleep 0.5
[ -z "$(clipboard)" ] || fail "the clipboard still holds '$(clipboard)' after clearing it"

xdotool mousemove 100 99 click 1; sleep 0.5
shot edit-menu
xdotool key Escape; sleep 0.3

offer "$(printf 'x%.0s' $(seq 100))"
xdotool mousemove 450 300 click 1; xdotool key ctrl+a ctrl+v; sleep 0.3
xdotool key ctrl+q; sleep 1
shot reflowed
awk '{ sub(/\r$/, "") } length > 64 { bad = 1 } END { exit bad }' "$working" ||
  fail "a line longer than 32 characters is left after Ctrl+Q: $(cat -A "$working" | head -3)"
[ "$(grep -c x "$working")" -eq 2 ] || fail "the reflow did not cut the line in two"
echo "1 passed, 0 failed"
