#!/usr/bin/env bash
# Builds Kestrum and starts it on the current desktop.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kestrum needs a desktop: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  exit 1
fi
exec "$KESTRUM_BUILD/bin/kestrum" "$@"
