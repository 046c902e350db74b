#!/usr/bin/env bash
# Runs one command (a Qt Test program) on the shared test desktop, for the
# window tests that need a real window manager's frames.
# Usage: on_desktop.sh ARTIFACTS COMMAND [ARGUMENT...]
source "$(dirname "$0")/desktop.sh" "$1"
shift
QT_QPA_PLATFORM=xcb "$@"
