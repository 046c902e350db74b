#!/usr/bin/env bash
# End to end: with five categories, text dragged from a Qt, a GTK 3 and a
# GTK 4 program lands in the category under the pointer, for each of the
# five; a drag over the list that is let go outside the window stores
# nothing. Screenshots of the drag over the fifth item go to the artifacts.
# Usage: drop_every_category.sh KESTRUM QT_SOURCE GTK_SOURCE ARTIFACTS
qt_source=$2 gtk_source=$3
source "$(dirname "$0")/desktop.sh" "$4" "$1"

table=$'[程序参数]\n窗口顶部=300\n窗口左边=600\n[类别]'
for i in 1 2 3 4 5; do mkdir -p "$work/c$i"; table+=$'\n'"类别$i=$work/c$i"; done
settings "$table"
start_kestrum

# The drop list's item i (0-based) is 16 pixels high, 2 below the window's top.
item_y() { echo $((300 + 2 + 16 * $1 + 8)); }

# The picture's hint shows under a resting pointer while another program
# is the active window, as it always is: the drop window never becomes it.
hint_shows() {
  local alone
  alone=$(xdotool search --all --onlyvisible --pid "$kestrum_pid" "" | wc -l)
  xdotool mousemove 615 315; sleep 2
  [ "$(xdotool search --all --onlyvisible --pid "$kestrum_pid" "" | wc -l)" -gt "$alone" ]
}

files_in() { find "$work"/c[1-5] -type f | sort; }

for source in qt gtk3 gtk4; do
  text="Dropped from $source"
  state=$work/$source-state.txt
  case $source in
    qt) background "$qt_source" "$text" 100 100 "$state"; title=kestrum-drag-source ;;
    gtk3) background /usr/bin/python3 "$gtk_source" 3 "$text" "$state"; title=kestrum-gtk3-source ;;
    gtk4) background /usr/bin/python3 "$gtk_source" 4 "$text" "$state"; title=kestrum-gtk4-source ;;
  esac
  window=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -1)
  xdotool windowmove "$window" 100 100; sleep 0.8
  # xwininfo, not xdotool: under a reparenting window manager xdotool
  # reports the client's position off by the frame.
  X=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
  Y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
  from_x=$((X + 20)) from_y=$((Y + 11))
  name="Droppedfrom$source.txt"
  if [ $source = qt ]; then
    hint_shows || fail "no hint over the picture"
    shot hint
  fi

  # A click into the text and Ctrl+A before each drag: GTK 4 ignores the
  # first press after a drop of its own otherwise, which is no fault here.
  select_all() { xdotool mousemove $((X + 150)) $((Y + 80)) click 1; sleep 0.3; xdotool key ctrl+a; sleep 0.7; }

  for i in 0 1 2 3 4; do
    select_all
    [ $i -eq 4 ] && drag_shot="$source-over-fifth" || drag_shot=
    drag $from_x $from_y 605 305 610 330 612 $(item_y $i) 614 $(($(item_y $i) + 1))
    [ -f "$work/c$((i + 1))/$name" ] || { files_in >&2; fail "$source: no capture in category $((i + 1))"; }
  done
  grep -q "$text" "$state" || fail "$source: the source lost its text"

  # Over the list, then away and let go: nothing more is stored.
  before=$(files_in | wc -l)
  select_all
  drag_shot=
  drag $from_x $from_y 605 305 612 $(item_y 2) 900 650
  [ "$(files_in | wc -l)" -eq "$before" ] || fail "$source: a drop outside the list stored something"
  [ "$(xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '^Kestrum$' getwindowgeometry %1 | grep -o '[0-9]*x[0-9]*')" = 37x34 ] ||
    fail "$source: the drop window did not return to its picture"
  xdotool windowclose "$window" 2>/dev/null || xdotool windowkill "$window"
  sleep 0.5
  echo "$source: every category reached"
done
echo "1 passed, 0 failed"
