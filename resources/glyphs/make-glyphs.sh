#!/usr/bin/env bash
# Draws the editor's glyph strips with ImageMagick. The PNGs are kept in the repository; run this
# only to change them.
#   SEM_GUTTER.png   cells of 15 x 16: bookmarks 0-9, then breakpoint, disabled breakpoint,
#                    execution point, breakpoint at the execution point and two mark glyphs.
#   SEM_WRAPPED.png  15 x 16: the glyph of a row that continues the line above.
set -euo pipefail
cd "$(dirname "$0")"

cells=()
for n in 0 1 2 3 4 5 6 7 8 9; do
  convert -size 15x16 xc:none -fill "#2f6fc4" -stroke "#1b4a8a" -strokewidth 1 \
    -draw "roundrectangle 2.5,2.5 12.5,13.5 2,2" \
    -font DejaVu-Sans-Bold -pointsize 8 -fill white -stroke none -gravity center -annotate +0+0 "$n" \
    "cell$n.png"
  cells+=("cell$n.png")
done
convert -size 15x16 xc:none -fill "#d23a2e" -stroke "#8c1d15" -draw "circle 7.5,8 7.5,3" cell10.png
convert -size 15x16 xc:none -fill none -stroke "#d23a2e" -strokewidth 1.5 -draw "circle 7.5,8 7.5,3.5" cell11.png
convert -size 15x16 xc:none -fill "#f2c200" -stroke "#8a6a00" -draw "polygon 3,4 9,4 9,1.5 14,8 9,14.5 9,12 3,12" cell12.png
convert -size 15x16 xc:none -fill "#d23a2e" -stroke "#8c1d15" -draw "circle 7.5,8 7.5,2" \
  -fill "#f2c200" -stroke "#8a6a00" -draw "polygon 4,6 8,6 8,4 12,8 8,12 8,10 4,10" cell13.png
convert -size 15x16 xc:none -fill "#3a9a4a" -stroke "#1f5f29" -draw "polygon 7.5,2 13,8 7.5,14 2,8" cell14.png
convert -size 15x16 xc:none -fill "#e58a1f" -stroke "#8a4f0a" -draw "polygon 7.5,2.5 13.5,13.5 1.5,13.5" cell15.png
cells+=(cell10.png cell11.png cell12.png cell13.png cell14.png cell15.png)
convert "${cells[@]}" +append +repage -depth 8 SEM_GUTTER.png
rm -f cell*.png

convert -size 15x16 xc:none -fill none -stroke "#3a6ea5" -strokewidth 1.5 \
  -draw "path 'M 2,3 L 11,3 Q 13.5,3 13.5,6.5 Q 13.5,10 11,10 L 4,10'" \
  -fill "#3a6ea5" -stroke none -draw "polygon 1.5,10 5.5,6.5 5.5,13.5" SEM_WRAPPED.png
