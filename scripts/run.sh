#!/usr/bin/env bash
# Starts the program, or says how to start it when there is no display.
set -euo pipefail
binary="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
    echo "No display found: start Sapwright headless with 'xvfb-run -a make run' (or 'xvfb-run -a $binary')."
    exit 0
fi
exec "$binary"
