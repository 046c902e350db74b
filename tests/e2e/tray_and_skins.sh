#!/usr/bin/env bash
# End to end with a real tray host (trayer): Kestrum's icon appears in the
# tray, a double click opens and then closes the editor, a right click pops
# the drop window's menu up at the icon, a skin chosen there changes the
# drop window's picture and size, and after the exit the tray is empty.
# Screenshots of the tray and of every shipped skin in both states.
# Usage: tray_and_skins.sh KESTRUM ARTIFACTS
source "$(dirname "$0")/desktop.sh" "$2" "$1"

background trayer --edge bottom --align right --widthtype request --height 24 --transparent false
tray=$(xdotool search --sync --onlyvisible --class trayer | head -1)
sleep 1
tray_shot() { import -window root -crop 200x24+1080+776 "$artifacts/$1.png"; }
tray_shot tray-empty

settings $'[程序参数]\n窗口顶部=300\n窗口左边=900\n是否自动保存=1\n[类别]\nfirst='"$work"
start_kestrum
sleep 1
tray_shot tray-with-icon
! cmp -s "$artifacts/tray-empty.png" "$artifacts/tray-with-icon.png" || fail "no icon in the tray"
X=$(xwininfo -id "$tray" | awk '/Absolute upper-left X/ {print $4}')
Y=$(xwininfo -id "$tray" | awk '/Absolute upper-left Y/ {print $4}')
W=$(xwininfo -id "$tray" | awk '/Width/ {print $2}')
H=$(xwininfo -id "$tray" | awk '/Height/ {print $2}')
icon_x=$((X + W / 2)) icon_y=$((Y + H / 2))

editor_shown() { xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '3[.]3' >/dev/null; }
xdotool mousemove $icon_x $icon_y click --repeat 2 --delay 80 1; sleep 1
editor_shown || fail "a double click on the icon did not open the editor"
shot editor-from-tray
xdotool mousemove $icon_x $icon_y click --repeat 2 --delay 80 1; sleep 1
for _ in $(seq 20); do editor_shown || break; sleep 0.2; done
! editor_shown || fail "a second double click did not close the editor"

drop_size() { xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '^Kestrum$' getwindowgeometry %1 | grep -o '[0-9]*x[0-9]*'; }
[ "$(drop_size)" = 37x34 ] || fail "the drop window starts at $(drop_size)"
shot tray-empty-desk
# The menu lists skins in the file system's order: each item must bring
# one shipped skin's size, and the three items all three.
# A window of Kestrum's the size of a menu (not the editor) whose nearest
# pixel is within 30 of the icon's centre.
menu_near_icon() {
  local w X Y WIDTH HEIGHT SCREEN WINDOW dx dy
  for w in $(xdotool search --all --onlyvisible --pid "$kestrum_pid" '' 2>/dev/null); do
    ! xdotool getwindowname "$w" | grep -q '3[.]3' || continue
    eval "$(xdotool getwindowgeometry --shell "$w")"
    ((WIDTH > 60 && HEIGHT > 40)) || continue
    dx=$((icon_x < X ? X - icon_x : (icon_x >= X + WIDTH ? icon_x - X - WIDTH + 1 : 0)))
    dy=$((icon_y < Y ? Y - icon_y : (icon_y >= Y + HEIGHT ? icon_y - Y - HEIGHT + 1 : 0)))
    ((dx <= 30 && dy <= 30)) && return 0
  done
  return 1
}
shipped_sizes=$(for skin in "$work"/share/kestrum/skins/*/; do identify -format '%wx%h\n' "$skin/2.bmp"; done | sort)
seen_sizes=
index=0
for _ in 1 2 3; do
  xdotool mousemove $icon_x $icon_y click 3; sleep 0.7
  [ $index -gt 0 ] || {
    # The menu shows at the pointer, moved in to fit on the screen.
    shot tray-menu
    convert "$artifacts/tray-menu.png" -crop 300x150+980+650 rgb:"$work/menu-area"
    convert "$artifacts/tray-empty-desk.png" -crop 300x150+980+650 rgb:"$work/bare-area"
    ! cmp -s "$work/menu-area" "$work/bare-area" || fail "no menu popped up at the icon"
    menu_near_icon || fail "the menu did not open within reach of the icon"
  }
  # 打开编辑与设置窗口, 程序换肤 > the skin at this index.
  xdotool key Down Down Right; for _ in $(seq $index); do xdotool key Down; done
  xdotool key Return; sleep 0.7
  size=$(drop_size)
  grep -qx "$size" <<<"$shipped_sizes" || fail "skin $index: the drop window is $size, no shipped skin's size"
  seen_sizes+="$size"$'\n'

  import -window root -crop 80x80+880+280 "$artifacts/skin-$index-on.png"
  # The picture's rightmost 10 pixels switch auto-save (off, then on again).
  lock_x=$((900 + ${size%x*} - 4))
  xdotool mousemove $lock_x 310 click 1; sleep 0.5
  import -window root -crop 80x80+880+280 "$artifacts/skin-$index-off.png"
  ! cmp -s "$artifacts/skin-$index-on.png" "$artifacts/skin-$index-off.png" ||
    fail "skin $index looks the same in both states"
  xdotool mousemove $lock_x 310 click 1; sleep 0.5
  index=$((index + 1))
done
[ "$(sort <<<"${seen_sizes%$'\n'}")" = "$shipped_sizes" ] || fail "the menu did not offer every shipped skin"

xdotool mousemove $icon_x $icon_y click 3; sleep 0.7
xdotool key Up Return
for _ in $(seq 50); do kill -0 "$kestrum_pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$kestrum_pid" 2>/dev/null || fail "Kestrum did not exit from the tray's menu"
sleep 0.5
tray_shot tray-after-exit
cmp -s <(convert "$artifacts/tray-empty.png" rgb:-) <(convert "$artifacts/tray-after-exit.png" rgb:-) ||
  fail "the tray is not empty after the exit"
echo "1 passed, 0 failed"
