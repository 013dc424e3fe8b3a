#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the play window's default background picture, assets/Back5.gif:
# a pale felt colour with a faint lattice of diamonds and dots on the 40-pixel
# ball grid. Few colours keep the GIF small. Needs ImageMagick's convert.
# Usage: tools/make_wallpaper.sh [output.gif]
set -euo pipefail

out=${1:-"$(dirname "$0")/../assets/Back5.gif"}
size=620
cell=40
base='#e8efe2'
diamond='#dde8d6'
dot='#cddcc8'

primitives=()
for ((y = 0; y <= size; y += cell)); do
  for ((x = 0; x <= size; x += cell)); do
    # A diamond between four lattice points, a dot on each lattice point.
    cx=$((x + cell / 2)) cy=$((y + cell / 2)) r=9
    primitives+=(-fill "$diamond" -draw "polygon $cx,$((cy - r)) $((cx + r)),$cy $cx,$((cy + r)) $((cx - r)),$cy")
    primitives+=(-fill "$dot" -draw "circle $x,$y $((x + 2)),$y")
  done
done

convert -size "${size}x${size}" "xc:$base" +antialias "${primitives[@]}" \
  -colors 8 +dither -strip "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
