#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Kestrum needs,
# those that are missing. Sourced by the other scripts; extra packages a
# script needs go in KESTRUM_EXTRA_PACKAGES.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n libgl-dev libpulse-dev
  libxcb1-dev libopencc-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils openbox imagemagick fonts-wqy-zenhei
  python3-gi gir1.2-gtk-3.0 gir1.2-gtk-4.0 xclip trayer
  sway xwayland grim wl-clipboard libwayland-dev wayland-protocols qt6-wayland
  dpkg-dev lintian appstream desktop-file-utils time
  ${KESTRUM_EXTRA_PACKAGES:-}
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q \
    -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

