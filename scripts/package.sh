#!/usr/bin/env bash
# Builds a Release tree of the programs alone into build-package/ and makes
# the Debian package from it with CPack; the .deb is copied to build/.
# Install it with: sudo apt install ./build/kestrum_VERSION_ARCH.deb
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRUM_EXTRA_PACKAGES="dpkg-dev ${KESTRUM_EXTRA_PACKAGES:-}" source "$root/scripts/packages.sh"

build=${KESTRUM_PACKAGE_BUILD:-$root/build-package}
# Debian's own compiler and linker flags, every hardening feature included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
# The prefix is built in: the program knows itself installed by it.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKESTRUM_BUILD_TESTS=OFF -DKESTRUM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
mkdir -p "$root/build"
deb=$(ls "$build"/kestrum_*.deb)
cp "$deb" "$root/build/"
echo "$root/build/$(basename "$deb")"
