#!/usr/bin/env bash
# Builds Kestrum and runs every test: core (GoogleTest), app (Qt Test,
# offscreen) and end to end (a private Xvfb display).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$KESTRUM_BUILD"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
