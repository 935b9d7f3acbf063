#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from tavrinel.svg; the window
# uses the PNGs because the Qt build here has no SVG image plugin. Run it after
# changing the SVG and commit the results.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  /usr/bin/convert -background none -density 384 tavrinel.svg -resize "${size}x${size}" \
    -depth 8 -strip "PNG32:tavrinel-${size}.png"
done
