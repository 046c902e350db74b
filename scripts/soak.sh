#!/usr/bin/env bash
# Runs the interaction test with random seeds for a while (default 600 s):
# random sessions of clicks, menus and keys on the two windows, each step
# checked; a failure prints its seed and the shortest session that fails.
#   bash scripts/soak.sh [SECONDS]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
QT_QPA_PLATFORM=offscreen "$KESTRUM_BUILD/tests/app/InteractionTest" --soak "${1:-600}"
