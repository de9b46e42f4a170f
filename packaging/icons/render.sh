#!/usr/bin/env bash
# Draws the PNG icons and the window icon from the one SVG artwork (needs rsvg-convert).
set -euo pipefail
cd "$(dirname "$0")"
svg=org.sapwright.Sapwright.svg
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "sapwright-$size.png"
done
cp sapwright-32.png ../../resources/icon.png
