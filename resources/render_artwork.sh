#!/usr/bin/env bash
# Renders the artwork sources (artwork/*.svg) into the bitmaps the program embeds
# (bitmaps/*.png). Needs rsvg-convert (Debian: librsvg2-bin). The PNGs are kept in the
# repository, so building the program does not need this step.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p bitmaps
for svg in artwork/*.svg; do
  name=$(basename "$svg" .svg)
  rsvg-convert --format=png --output="bitmaps/$name.png" "$svg"
done
# The application icon also in the small sizes window managers ask for.
for size in 16 32 48; do
  rsvg-convert --format=png --width=$size --height=$size --output="bitmaps/AAQMT_$size.png" artwork/AAQMT.svg
done
