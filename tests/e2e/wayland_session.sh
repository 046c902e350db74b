#!/usr/bin/env bash
# End to end in a headless Wayland session: sway with XWayland, a pointer
# of the test's own (sway's headless seat has none), a native Wayland GTK
# program as the drag source.
#  - Kestrum through XWayland (the platform it picks when DISPLAY is set):
#    text dragged from the GTK program onto the second category is stored
#    there; dragging the picture moves the window, and tuckpad.ini holds
#    the place sway put it at.
#  - Kestrum native (what it picks without DISPLAY, with no platform
#    warnings; or QT_QPA_PLATFORM=wayland): the drop window floats at
#    its own small size; dragging the picture moves it, and the stored
#    place stays as it was (Wayland tells a window nothing of its place);
#    a second start given an activation token marks or raises the editor,
#    open or closed.
# sway refuses to run as root: run as root, the session belongs to a user
# the test makes for it.
# Usage: wayland_session.sh KESTRUM WAYLAND_POINTER GTK_SOURCE ARTIFACTS
set -euo pipefail
kestrum=$1 pointer_program=$2 gtk_source=$3 artifacts=$4
mkdir -p "$artifacts"
work=$(mktemp -d /tmp/kestrum-wayland-XXXXXX)
chmod 755 "$work"
mkdir -p "$work/bin" "$work/program" "$work/home" "$work/tmp" "$work/logs" "$work/shots" \
  "$work/first" "$work/second"
mkdir -m 700 "$work/run"
cp "$kestrum" "$pointer_program" "$gtk_source" "$work/bin/"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  user=kestrum-e2e
  id "$user" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user" ||
    id "$user" >/dev/null
  chown -R "$user:" "$work"
  as_user=(setpriv --reuid="$user" --regid="$user" --clear-groups --)
fi
session_pids=()
stop() {
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do kill "${session_pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  cp -r "$work/logs" "$work/shots" "$artifacts/" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
fail() {
  echo "FAIL: $*" >&2
  shot failure || true
  tree >"$artifacts/tree.json" 2>/dev/null || true
  exit 1
}

# A program of the session's user, with only the session's environment;
# in the background its process id is the program's, so the end can stop it.
session_command() {
  command=("${as_user[@]}" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$work/home"
    TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/run" WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}"
    DISPLAY="${DISPLAY:-}" NO_AT_BRIDGE=1 "$@")
}
run_as() { session_command "$@"; "${command[@]}"; }
background_as() { session_command "$@"; "${command[@]}" <&0 & session_pids+=($!); }
until_true() { # seconds, command...: true once the command is
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

cat >"$work/sway.config" <<CONFIG
xwayland enable
no_focus [title="3.3"]
exec env >$work/run/session.env
CONFIG
start=$(date +%s)
background_as WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$work/sway.config" >"$work/logs/sway.log" 2>&1
until_true 20 grep -q '^SWAYSOCK=' "$work/run/session.env" 2>/dev/null || fail "sway did not start"
sleep 0.2
WAYLAND_DISPLAY=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$work/run/session.env")
DISPLAY=$(sed -n 's/^DISPLAY=//p' "$work/run/session.env") # the display XWayland chose
SWAYSOCK=$(sed -n 's/^SWAYSOCK=//p' "$work/run/session.env")
echo "sway up: $WAYLAND_DISPLAY, XWayland at $DISPLAY"

tree() { run_as swaymsg -s "$SWAYSOCK" -t get_tree; }
shot() { run_as grim "$work/shots/$1.png"; }
# "x y width height type focused urgent" of the first window whose tree
# field KEY holds VALUE.
window() {
  tree | python3 -c '
import json, sys
key, value = sys.argv[1], sys.argv[2]
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for node in walk(json.load(sys.stdin)):
    if node.get(key) == value and node.get("window_rect"):
        r, w = node["rect"], node["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], node["type"],
              int(node["focused"]), int(node["urgent"]))
        break
' "$1" "$2"
}
have_window() { [ -n "$(window "$@")" ]; }

# The pointer: one command a line, each answered once sway has it.
mkfifo "$work/pointer.in"
exec 3<>"$work/pointer.in" # opened both ways: no wait for the other end
background_as "$work/bin/$(basename "$pointer_program")" 1280 720 \
  <&3 >"$work/logs/pointer.out" 2>"$work/logs/pointer.err"
sent=0
answered() { (($(grep -c '^ok' "$work/logs/pointer.out") >= sent)); }
pointer() {
  echo "$*" >&3
  sent=$((sent + 1))
  until_true 5 answered ||
    fail "the pointer did not take '$*': $(cat "$work/logs/pointer.err")"
}
# Drags with the left button from (x1, y1) through the given points, a
# hand's pace apart.
drag() {
  local x=$1 y=$2; shift 2
  pointer move "$x" "$y"; sleep 0.3
  pointer press left; sleep 0.2
  for dx in 4 12 30; do pointer move $((x + dx)) "$y"; sleep 0.2; done
  while [ $# -ge 2 ]; do pointer move "$1" "$2"; sleep 0.3; shift 2; done
  pointer release left
  sleep 1
}

settings() { printf '%s' "$1" | sed 's/$/\r/' | iconv -f utf-8 -t gb18030 >"$work/program/tuckpad.ini"; }
stored() {
  iconv -f gb18030 -t utf-8 "$work/program/tuckpad.ini" | tr -d '\r' |
    awk -F= '/^窗口左边=/ {x=$2} /^窗口顶部=/ {y=$2} END {print x "," y}'
}
start_kestrum() { # environment assignments for it
  cp "$work/bin/kestrum" "$work/program/kestrum"
  background_as "$@" "$work/program/kestrum" >>"$work/logs/kestrum.log" 2>&1
  kestrum_pid=${session_pids[-1]}
  until_true 15 have_window name Kestrum || fail "no drop window"
  sleep 0.5
}
stop_kestrum() {
  kill "$kestrum_pid"
  until_true 5 eval '! have_window name Kestrum' || fail "Kestrum did not end"
}
place_of() { window name "$1" | awk '{print $1 "," $2}'; }

background_as GDK_BACKEND=wayland python3 "$work/bin/gtk_drag_source.py" 3 \
  "Wayland capture text" "$work/source.txt" >"$work/logs/gtk.log" 2>&1
until_true 15 have_window name kestrum-gtk3-source || fail "no GTK source window"
read -r gx gy _ <<<"$(window name kestrum-gtk3-source)"
echo "GTK source at $gx,$gy"

# Through XWayland.
categories=$'[类别]\n第一类='"$work/first"$'\n第二类='"$work/second"
settings $'[程序参数]\n窗口顶部=300\n窗口左边=600\n'"$categories"
start_kestrum
shot xwayland-start
read -r x y w h type _ <<<"$(window name Kestrum)"
echo "XWayland drop window: $x,$y ${w}x$h $type"
drag $((gx + 20)) $((gy + 10)) $((x + 10)) $((y + 10)) $((x + 12)) $((y + 26)) $((x + 13)) $((y + 27))
shot xwayland-after-drop
[ -f "$work/second/Waylandcapturetext.txt" ] ||
  { ls -R "$work/first" "$work/second" >&2; fail "the GTK drop is not in the second category"; }
echo "the GTK program's text is stored in the second category"
read -r x y _ <<<"$(window name Kestrum)"
drag $((x + 10)) $((y + 10)) $((x + 110)) $((y + 60)) $((x + 210)) $((y + 110))
shot xwayland-moved
moved=$(place_of Kestrum)
[ "$moved" != "$x,$y" ] || fail "dragging the picture did not move the window"
[ "$(stored)" = "$moved" ] || fail "stored $(stored), sway has the window at $moved"
echo "moved from $x,$y to $moved; stored $(stored)"
stop_kestrum

# Native Wayland, as Kestrum picks it without DISPLAY.
native=(env -u DISPLAY)
settings $'[程序参数]\n窗口顶部=300\n窗口左边=600\n'"$categories"
start_kestrum "${native[@]}"
! grep -i 'xcb\|platform plugin' "$work/logs/kestrum.log" || fail "platform warnings at the start"
shot native-start
read -r x y w h type _ <<<"$(window name Kestrum)"
echo "native drop window: $x,$y ${w}x$h $type"
# sway shows no floating window below 75 x 50 (its floating_minimum_size).
[ "$type" = floating_con ] && ((w <= 75 && h <= 50)) ||
  fail "the native drop window is not floating at its small size: ${w}x$h $type"
drag $((x + 10)) $((y + 10)) $((x + 110)) $((y + 60)) $((x + 210)) $((y + 110))
shot native-moved
moved=$(place_of Kestrum)
[ "$moved" != "$x,$y" ] || fail "dragging the picture did not move the native window"
[ "$(stored)" = 600,300 ] || fail "native Wayland stored $(stored)"
echo "native: moved from $x,$y to $moved; stored place kept at $(stored)"

# A second start with a launcher's token brings the editor forward (sway
# marks it urgent by default) after another window took the focus.
read -r x y _ <<<"$(window name Kestrum)"
pointer move $((x + 10)) $((y + 10)); sleep 0.2
for _ in 1 2; do pointer press left; pointer release left; done
editor_title() {
  tree | python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
print(next((n["name"] for n in walk(json.load(sys.stdin)) if "3.3" in (n.get("name") or "")), ""))'
}
until_true 5 eval '[ -n "$(editor_title)" ]' || true
editor_title=$(editor_title)
[ -n "$editor_title" ] || fail "a double click on the native picture did not open the editor"
run_as swaymsg -s "$SWAYSOCK" "[title=\"kestrum-gtk3-source\"] focus" >/dev/null
sleep 0.3
read -r _ _ _ _ _ focused urgent <<<"$(window name "$editor_title")"
[ "$focused$urgent" = 00 ] || fail "the editor is still forward before the second start"
pointer token
token=$(sed -n 's/^token //p' "$work/logs/pointer.out" | tail -1)
[ -n "$token" ] || fail "sway gave no activation token"
run_as XDG_ACTIVATION_TOKEN="$token" "${native[@]}" "$work/program/kestrum" \
  >>"$work/logs/second-start.log" 2>&1 || fail "the second start failed"
until_true 3 eval '[ "$(window name "$editor_title" | cut -d" " -f6-7)" != "0 0" ]' ||
  fail "the second start neither raised nor marked the editor"
shot native-activated
echo "the second start brought the editor forward: $(window name "$editor_title" | cut -d' ' -f6-7)"

# Once more with the editor closed: the second start shows it, and the
# activation waits until it is on the screen (sway is told not to focus
# the editor by itself when it appears).
read -r x y _ <<<"$(window name Kestrum)"
pointer move $((x + 10)) $((y + 10)); sleep 0.2
for _ in 1 2; do pointer press left; pointer release left; done
until_true 5 eval '[ -z "$(editor_title)" ]' || fail "a double click did not close the editor"
pointer token
token=$(sed -n 's/^token //p' "$work/logs/pointer.out" | tail -1)
run_as XDG_ACTIVATION_TOKEN="$token" "${native[@]}" "$work/program/kestrum" \
  >>"$work/logs/second-start.log" 2>&1 || fail "the second start failed"
until_true 5 eval '[ -n "$(editor_title)" ]' || fail "the second start did not show the editor"
until_true 3 eval '[ "$(window name "$editor_title" | cut -d" " -f6-7)" != "0 0" ]' ||
  fail "the second start showed the editor but neither raised nor marked it"
echo "the second start showed the editor and brought it forward"
stop_kestrum
echo "ran $(($(date +%s) - start)) s"
echo "1 passed, 0 failed"
