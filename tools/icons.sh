#!/usr/bin/env bash
# Draws the PNG icons of the menu entry from packaging/korvel.svg, at the sizes of the hicolor
# icon theme. Run it after changing the SVG and commit the pictures. Needs librsvg2-bin.
set -euo pipefail
cd "$(dirname "$0")/../packaging"
mkdir -p icons
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "icons/korvel-$size.png" korvel.svg
done
ls icons
