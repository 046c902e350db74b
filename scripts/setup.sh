#!/usr/bin/env bash
# Installs what building and testing Kestrum needs and builds it into
# build/. Sourced by run.sh and test.sh.
set -euo pipefail

KESTRUM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRUM_BUILD=${KESTRUM_BUILD:-$KESTRUM_ROOT/build}
source "$KESTRUM_ROOT/scripts/packages.sh"

cmake -S "$KESTRUM_ROOT" -B "$KESTRUM_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$KESTRUM_BUILD" --parallel "$(nproc)"
