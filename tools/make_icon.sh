#!/usr/bin/env bash
# Draws the program icon, packaging/zumirak.png (64 x 64): a little figure of
# balls on a dark blue tile, the last three taken ones gold with a path.
# Run once by hand when the icon should change; the result is committed.
# Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."


args=(-size 64x64 xc:none
  -fill '#123060' -stroke '#6aa8ff' -strokewidth 2 -draw 'roundrectangle 2,2 61,61 12,12'
  -stroke none)

# Blue balls still on the board.
for xy in "16 16" "48 16" "48 32" "16 48" "32 48" "48 48"; do
  set -- $xy
  args+=(-fill '#3c8ce6' -stroke '#1a3f70' -strokewidth 1 -draw "circle $1,$2 $(( $1 + 6 )),$2")
  args+=(-stroke none -fill '#cfe4ff' -draw "circle $(( $1 - 2 )),$(( $2 - 2 )) $(( $1 )),$(( $2 - 2 ))")
done
# The path of the takes and the taken balls.
args+=(-stroke '#ffe680' -strokewidth 3 -fill none -draw 'polyline 16,32 32,32 32,16')
for xy in "16 32" "32 32" "32 16"; do
  set -- $xy
  args+=(-fill '#ebc83c' -stroke '#7a5a00' -strokewidth 1 -draw "circle $1,$2 $(( $1 + 6 )),$2")
  args+=(-stroke none -fill '#fff6c8' -draw "circle $(( $1 - 2 )),$(( $2 - 2 )) $(( $1 )),$(( $2 - 2 ))")
done

convert "${args[@]}" -depth 8 -strip packaging/zumirak.png
echo "packaging/zumirak.png written"
