#!/usr/bin/env bash
# Starts the program; without a display there is nothing to show it on.
set -euo pipefail
binary="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
    echo "No display found: Sapwright is a desktop program and needs a graphical session."
    echo "Start it from a terminal of your desktop, or over ssh with X forwarding (ssh -X)."
    echo "The program is built: $binary"
    exit 0
fi
exec "$binary"
