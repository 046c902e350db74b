#!/usr/bin/env bash
# The interface follows the user's locale: the editor window's title is
# Simplified Chinese for zh_CN, Taiwan's Traditional Chinese for zh_TW and
# English for en_US. What the program writes does not follow it: the same
# session leaves the same settings sections and keys and the same file
# names in every language.
# Usage: language.sh KESTRUM ARTIFACTS
source "$(dirname "$0")/desktop.sh" "$2" "$1"

# The program's window whose title starts with $1. The title is read as
# UTF-8 from _NET_WM_NAME: xdotool's name match does not see such titles.
window_titled() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$kestrum_pid" --name .); do
    [[ "$(LC_ALL=C.UTF-8 xprop -id "$window" _NET_WM_NAME)" == *"= \"$1"* ]] && echo "$window" && return
  done
  return 1
}

# One session: start, open the editor (a second start), type into it, and
# exit through the drop window's menu, saving the text. Leaves the names
# written in $work/LOCALE.keys and .files.
session() { # LOCALE TITLE
  local locale=$1 title=$2
  find "$program" -type f ! -name kestrum -delete
  rm -rf "$work/tmp"/kestrum-*
  export LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8
  start_kestrum
  "$program/kestrum"
  editor=
  for _ in $(seq 100); do
    editor=$(window_titled "$title") && break
    sleep 0.2
  done
  [ -n "$editor" ] || fail "$locale: no window titled $title"
  shot "editor-$locale"
  eval "$(xdotool getwindowgeometry --shell "$editor")"
  xdotool mousemove $((X + WIDTH / 2 + 100)) $((Y + 200)) click 1
  sleep 0.3
  xdotool type abc
  sleep 1.5
  # The drop window: the smallest of the program's windows (xdotool's name
  # match also takes the editor, whose title is not Latin-1).
  for window in $(xdotool search --onlyvisible --pid "$kestrum_pid" --name '^Kestrum$'); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$WIDTH" -gt 100 ] || break
  done
  (cd "$work/tmp" && find . -type f | sort) >"$work/$locale.files"
  xdotool mousemove $((X + 15)) $((Y + 15)) click 3
  sleep 0.7
  xdotool key Up Return # the menu's last item: exit
  sleep 1
  shot "exit-$locale"
  xdotool key Return # the question about the typed text: save it into the category's folder
  for _ in $(seq 50); do kill -0 "$kestrum_pid" 2>/dev/null || break; sleep 0.2; done
  ! kill -0 "$kestrum_pid" 2>/dev/null || fail "$locale: the exit did not end the program"
  ls "$program" >>"$work/$locale.files"
  iconv -f gb18030 -t utf-8 "$program/tuckpad.ini" | sed 's/=.*//' >"$work/$locale.keys"
}

session zh_CN 'Kestrum之编辑与设置窗口'
session zh_TW 'Kestrum之編輯與設定視窗'
session en_US 'Kestrum: editor and settings'

grep -q '^\[程序参数\]' "$work/zh_CN.keys" || fail "the session wrote no program settings"
grep -q '非分类temp.txt' "$work/zh_CN.files" || fail "the session made no working file"
for locale in zh_TW en_US; do
  diff "$work/zh_CN.keys" "$work/$locale.keys" || fail "$locale: other settings keys"
  diff "$work/zh_CN.files" "$work/$locale.files" || fail "$locale: other file names"
done
echo "PASS"
