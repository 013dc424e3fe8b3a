#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program icon as SVG for one pixel size:
# a dark blue tile with a three-by-three figure of balls, three of them
# already taken (gold) along a path, the way a stage looks halfway through.
#
# Every edge that is straight or ends a ball falls on a whole pixel of the
# requested size, so the picture stays sharp when rendered at that size.
# Up to 32 pixels the balls are flat with a plain dot of shine, and below 32
# the tile has no frame; at 16 there is neither shine nor path: finer detail
# would only blur there.
# The 256-pixel drawing doubles as the scalable icon.
#
# Usage: tools/draw_icon.sh SIZE [OUTPUT.svg]   (SIZE: 16, 24, 32, 48 or a multiple of 64)
# The build draws every size of the hicolor theme with it and renders each
# with rsvg-convert.
set -eu

s=${1:?usage: draw_icon.sh SIZE [OUTPUT.svg]}
[ $# -lt 2 ] || exec >"$2"

# Ball width w and gap g between balls; the margin m centres the figure.
case $s in
  16) w=4 g=1 ;;
  24) w=6 g=1 ;;
  32) w=6 g=3 ;;
  48) w=10 g=4 ;;
  *)
    if [ $((s % 64)) -ne 0 ]; then
      echo "draw_icon.sh: no drawing for $s pixels" >&2
      exit 1
    fi
    w=$((s * 7 / 32)) g=$((s / 16)) ;;
esac
m=$(((s - 3 * w - 2 * g) / 2))
corner=$((s * 3 / 16))
frame=$((s / 32))        # 0 below 32 pixels: no frame
path=$((2 * (w / 6)))    # width of the path between the taken balls
[ "$path" -ge 2 ] || path=2
small=$([ "$s" -le 32 ] && echo 1 || echo 0)

# Centre of the ball in column $1, row $2 (whole pixels: w is even).
cx() { echo $((m + $1 * (w + g) + w / 2)); }
cy() { echo $((m + $2 * (w + g) + w / 2)); }

ball() {  # column row colour shade light
  x=$(cx "$1" 0) y=$(cy 0 "$2") r=$((w / 2))
  if [ "$small" = 1 ]; then
    echo "  <circle cx=\"$x\" cy=\"$y\" r=\"$r\" fill=\"$3\"/>"
    if [ "$s" -gt 16 ]; then
      echo "  <circle cx=\"$((x - r / 3))\" cy=\"$((y - r / 3))\" r=\"$((r / 3))\" fill=\"$5\"/>"
    fi
  else
    echo "  <circle cx=\"$x\" cy=\"$y\" r=\"$r\" fill=\"url(#$6)\" stroke=\"$4\" stroke-width=\"$((s / 64 > 0 ? s / 64 : 1))\"/>"
  fi
}

cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="$s" height="$s" viewBox="0 0 $s $s">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1d4a8c"/>
      <stop offset="1" stop-color="#0d2248"/>
    </linearGradient>
    <radialGradient id="blue" cx="0.5" cy="0.5" r="0.5" fx="0.32" fy="0.3">
      <stop offset="0" stop-color="#e4f0ff"/>
      <stop offset="0.35" stop-color="#5aa2f0"/>
      <stop offset="1" stop-color="#1c4f96"/>
    </radialGradient>
    <radialGradient id="gold" cx="0.5" cy="0.5" r="0.5" fx="0.32" fy="0.3">
      <stop offset="0" stop-color="#fffbe6"/>
      <stop offset="0.35" stop-color="#f2d04a"/>
      <stop offset="1" stop-color="#a07400"/>
    </radialGradient>
  </defs>
EOF

# The tile, with a light frame from 32 pixels up.
if [ "$frame" -gt 0 ]; then
  echo "  <rect width=\"$s\" height=\"$s\" rx=\"$corner\" fill=\"#6aa8ff\"/>"
  echo "  <rect x=\"$frame\" y=\"$frame\" width=\"$((s - 2 * frame))\" height=\"$((s - 2 * frame))\" rx=\"$((corner - frame))\" fill=\"$([ "$small" = 1 ] && echo '#123060' || echo 'url(#tile)')\"/>"
else
  echo "  <rect width=\"$s\" height=\"$s\" rx=\"$corner\" fill=\"#123060\"/>"
fi

# Balls still on the board.
for cell in "0 0" "2 0" "2 1" "0 2" "1 2" "2 2"; do
  set -- $cell
  ball "$1" "$2" '#3c8ce6' '#15386a' '#cfe4ff' blue
done

# The path of the takes (at 16 pixels it would merge the balls into one
# blot), then the taken balls over it.
[ "$s" -le 16 ] || echo "  <polyline points=\"$(cx 0 0),$(cy 0 1) $(cx 1 0),$(cy 0 1) $(cx 1 0),$(cy 0 0)\" fill=\"none\" stroke=\"#ffe680\" stroke-width=\"$path\" stroke-linejoin=\"miter\"/>"
for cell in "0 1" "1 1" "1 0"; do
  set -- $cell
  ball "$1" "$2" '#ebc83c' '#6e5000' '#fff6c8' gold
done

echo "</svg>"
