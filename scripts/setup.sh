#!/usr/bin/env bash
# Installs what building and testing Kestrum needs (Debian 12 packages) and
# builds it into build/. Sourced by run.sh and test.sh.
set -euo pipefail

KESTRUM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRUM_BUILD=${KESTRUM_BUILD:-$KESTRUM_ROOT/build}

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libpulse-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils openbox imagemagick fonts-wqy-zenhei
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

cmake -S "$KESTRUM_ROOT" -B "$KESTRUM_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$KESTRUM_BUILD" --parallel "$(nproc)"
