#!/usr/bin/env bash
# The Debian package as a user gets it: built by scripts/package.sh, clean
# by lintian, its desktop entry and metadata valid, every file in place, and
# unpacked into a scratch root it runs from there: kestrum-text answers,
# and Kestrum keeps its settings in the per-user config folder, offers the
# bundled skins and hands its installed manual to the desktop. As root, it
# is installed for real and run as root: it writes nothing under /usr.
# Usage: package_test.sh SOURCE_ROOT ARTIFACTS
root=$1
source "$root/tests/e2e/desktop.sh" "$2"

deb=$(bash "$root/scripts/package.sh" | tail -1)
[ -f "$deb" ] || fail "no package was made"
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in usr/bin/kestrum usr/bin/kestrum-text usr/share/applications/org.kestrum.Kestrum.desktop \
  usr/share/metainfo/org.kestrum.Kestrum.metainfo.xml usr/share/icons/hicolor/scalable/apps/kestrum.svg \
  usr/share/man/man1/kestrum.1.gz usr/share/man/man1/kestrum-text.1.gz usr/share/doc/kestrum/copyright \
  usr/share/kestrum/manual/tuckpad.html usr/share/kestrum/manual/tuckpad_en.html; do
  grep -qx "./$file" <<<"$listing" || fail "the package lacks $file"
done
for size in 16 32 48 64 128 256; do
  grep -qx "./usr/share/icons/hicolor/${size}x$size/apps/kestrum.png" <<<"$listing" || fail "no $size px icon"
done
[ "$(grep -c '^./usr/share/kestrum/skins/.*/[12].bmp$' <<<"$listing")" -eq 6 ] || fail "not three skins"
lintian --allow-root --pedantic "$deb" >"$artifacts/lintian.txt" 2>&1 || true
! grep -E '^(E|W):' "$artifacts/lintian.txt" || fail "lintian reports errors or warnings"

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/org.kestrum.Kestrum.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.kestrum.Kestrum.metainfo.xml" >/dev/null ||
  fail "metainfo"
"$unpacked/usr/bin/kestrum-text" --help | grep -q '^Usage: kestrum-text' || fail "kestrum-text --help"
[ "$(printf 'a\r\n' | "$unpacked/usr/bin/kestrum-text" name)" = a ] || fail "kestrum-text name"

# An installed program's folder cannot be written by its user: run as
# nobody when this is root, who could write anywhere.
home=$work/home
mkdir -p "$home/bin"
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$home" >"$home/bin/xdg-open"
chmod +x "$home/bin/xdg-open"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$home"
  chmod 755 "$work"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod -R a-w "$unpacked/usr"
fi
HOME=$home PATH=$home/bin:$PATH TMPDIR=$home "${as_user[@]}" "$unpacked/usr/bin/kestrum" \
  >"$artifacts/kestrum.log" 2>&1 &
kestrum_pid=$!
desktop_pids+=($kestrum_pid)
xdotool search --all --sync --onlyvisible --pid "$kestrum_pid" --name '^Kestrum$' >/dev/null
data=$home/.config/kestrum
[ -f "$data/tuckpad.ini" ] || fail "no settings in the per-user config folder"
[ ! -e "$unpacked/usr/bin/tuckpad.ini" ] || fail "settings were written beside the program"

# The drop window's menu offers the skins that came with the package.
drop=$(xdotool search --all --onlyvisible --pid "$kestrum_pid" --name '^Kestrum$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$drop")"
xdotool mousemove $((X + 5)) $((Y + 5)) click 3; sleep 0.7
xdotool key Down Down Right; sleep 0.5
shot skin-menu
xdotool key Escape Escape; sleep 0.3
[ "$(iconv -f gb18030 -t utf-8 "$data/skin.ini" | grep -c "=$unpacked/usr/share/kestrum/skins/")" -eq 3 ] ||
  fail "the bundled skins are not offered: $(cat "$data/skin.ini" 2>/dev/null)"

# 帮助 > Kestrum帮助 hands the installed manual to the desktop.
xdotool mousemove $((X + 5)) $((Y + 5)) click 3; sleep 0.5; xdotool key Down Return; sleep 1.5
editor=$(xdotool search --all --sync --onlyvisible --pid "$kestrum_pid" --name '3[.]3' | head -1)
X=$(xwininfo -id "$editor" | awk '/Absolute upper-left X/ {print $4}')
Y=$(xwininfo -id "$editor" | awk '/Absolute upper-left Y/ {print $4}')
xdotool mousemove $((X + 97)) $((Y + 9)) click 1; sleep 0.5
xdotool mousemove $((X + 140)) $((Y + 31)) click 1; sleep 1
shot help
grep -q "usr/share/kestrum/manual/tuckpad.html" "$home/opened" 2>/dev/null ||
  fail "the manual was not handed to the desktop: $(cat "$home/opened" 2>/dev/null)"
kill "$kestrum_pid"

# Root may write /usr/bin, yet an installed copy keeps to the user's
# folders: settings in the config folder, captures of the pseudo-category
# in the documents folder, where the user sees them.
if [ "$(id -u)" -eq 0 ]; then
  dpkg -i "$deb" >"$artifacts/dpkg.log" 2>&1 || fail "the package does not install: $(tail -3 "$artifacts/dpkg.log")"
  trap 'dpkg -r kestrum >/dev/null 2>&1; desktop_stop' EXIT
  roothome=$work/root
  mkdir -p -m 700 "$roothome/run"
  touch "$work/installed"
  sleep 1
  HOME=$roothome XDG_RUNTIME_DIR=$roothome/run XDG_CONFIG_HOME= /usr/bin/kestrum \
    >"$artifacts/kestrum-installed.log" 2>&1 &
  installed_pid=$!
  desktop_pids+=($installed_pid)
  xdotool search --all --sync --onlyvisible --pid "$installed_pid" --name '^Kestrum$' >/dev/null
  sleep 2
  [ -f "$roothome/.config/kestrum/tuckpad.ini" ] || fail "no settings in root's config folder"
  iconv -f gb18030 -t utf-8 "$roothome/.config/kestrum/tuckpad.ini" |
    grep -qx "非分类=$roothome/Documents/Kestrum/"$'\r' ||
    fail "the pseudo-category is not in the documents folder: $(cat "$roothome/.config/kestrum/tuckpad.ini")"
  written=$(find /usr/bin /usr/share/kestrum -newer "$work/installed" | head -3)
  [ -z "$written" ] || fail "the installed program wrote under /usr: $written"
  kill "$installed_pid"
fi
echo "1 passed, 0 failed"
