#!/usr/bin/env bash
# Renders the PNG icons from resources/icons/threadloom.svg. The PNGs are committed, so building
# and installing need nothing of this; run it after changing the SVG (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" threadloom.svg -o "threadloom-$size.png"
done
