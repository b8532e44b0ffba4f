#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick. The PNGs are kept in the repository; run this
# only to change them.
set -euo pipefail
cd "$(dirname "$0")"

png() { convert -background none "$@"; }

# A page with a folded corner, w x h, inside a canvas of the same size.
page32='fill white stroke "#5a6470" stroke-width 1.2 path "M 6.5,2.5 L 20.5,2.5 L 26.5,8.5 L 26.5,29.5 L 6.5,29.5 Z" fill "#dfe4ea" path "M 20.5,2.5 L 20.5,8.5 L 26.5,8.5 Z"'

png -size 32x32 xc:none -draw "$page32" \
  -font DejaVu-Sans-Bold -pointsize 10 -fill "#1d5fbf" -stroke none -draw "text 8,22 '<x>'" xml32.png
png -size 32x32 xc:none -draw "$page32" \
  -font DejaVu-Sans-Bold -pointsize 8 -fill "#2e8b3a" -stroke none -draw "text 8,21 'XSL'" \
  -fill none -stroke "#2e8b3a" -strokewidth 1 -draw "line 9,24 23,24" xslt32.png
png -size 32x32 xc:none -draw "$page32" \
  -stroke "#c26a12" -strokewidth 1.5 -draw "line 10,13 22,13" -draw "line 10,17 22,17" \
  -draw "line 10,21 19,21" -draw "line 10,25 21,25" results32.png

page16='fill white stroke "#5a6470" stroke-width 1 path "M 2.5,1.5 L 10.5,1.5 L 13.5,4.5 L 13.5,14.5 L 2.5,14.5 Z"'
png -size 16x16 xc:none -draw "$page16" -fill "#f2c200" -stroke "#a07800" -strokewidth 0.8 \
  -draw "polygon 12,0 13.2,2.6 16,3 14,5 14.5,7.8 12,6.4 9.5,7.8 10,5 8,3 10.8,2.6" new.png
png -size 16x16 xc:none -draw "$page16" -font DejaVu-Sans-Bold -pointsize 6 -fill "#1d5fbf" -stroke none \
  -draw "text 3,11 '<x>'" newxml.png
png -size 16x16 xc:none -draw "$page16" -font DejaVu-Sans-Bold -pointsize 5 -fill "#2e8b3a" -stroke none \
  -draw "text 3,11 'XSL'" newxslt.png
png -size 16x16 xc:none -fill "#e8b94a" -stroke "#8a6a1e" -strokewidth 1 \
  -draw "path 'M 1.5,4.5 L 6.5,4.5 L 7.5,5.5 L 14.5,5.5 L 14.5,13.5 L 1.5,13.5 Z'" \
  -fill "#f6d77e" -draw "path 'M 1.5,13.5 L 4,8.5 L 15.5,8.5 L 13.5,13.5 Z'" open.png
png -size 16x16 xc:none -fill "#3b6fb6" -stroke "#1f3f6e" -strokewidth 1 -draw "rectangle 1.5,1.5 14.5,14.5" \
  -fill white -stroke none -draw "rectangle 4,2 12,7" -fill "#c9d3df" -draw "rectangle 5,10 11,14" save.png
png -size 16x16 xc:none -fill none -stroke "#333333" -strokewidth 1.3 \
  -draw "line 5,2 10.5,10" -draw "line 11,2 5.5,10" -draw "circle 4.5,12.5 4.5,10.3" -draw "circle 11.5,12.5 11.5,10.3" cut.png
png -size 16x16 xc:none -fill white -stroke "#5a6470" -strokewidth 1 -draw "rectangle 1.5,1.5 9.5,11.5" \
  -draw "rectangle 6.5,4.5 14.5,14.5" -stroke "#8a96a3" -draw "line 8,8 13,8" -draw "line 8,11 13,11" copy.png
png -size 16x16 xc:none -fill "#b5834a" -stroke "#6d4c25" -strokewidth 1 -draw "rectangle 1.5,2.5 12.5,14.5" \
  -fill "#d0d6dd" -stroke "#5a6470" -draw "rectangle 4.5,0.5 9.5,3.5" \
  -fill white -draw "rectangle 6.5,6.5 14.5,15.5" paste.png
png -size 16x16 xc:none -fill none -stroke "#1d5fbf" -strokewidth 2 -draw "arc 3,4 14,14 180,360" \
  -fill "#1d5fbf" -stroke none -draw "polygon 0,8 6,8 3,12" undo.png
png -size 16x16 xc:none -fill none -stroke "#1d5fbf" -strokewidth 2 -draw "arc 2,4 13,14 180,360" \
  -fill "#1d5fbf" -stroke none -draw "polygon 10,8 16,8 13,12" redo.png
png -size 16x16 xc:none -fill "#1d5fbf" -stroke none -draw "circle 8,8 8,1" \
  -font DejaVu-Sans-Bold -pointsize 11 -fill white -draw "text 4.5,12.5 '?'" help.png
png -size 16x16 xc:none -fill "#c62828" -stroke "#7f1515" -strokewidth 1 \
  -draw "polygon 5,1 11,1 15,5 15,11 11,15 5,15 1,11 1,5" -fill white -stroke none -draw "rectangle 5,7 11,9" stop.png
png -size 24x24 xc:none -fill "#2e8b3a" -stroke "#1b5e24" -strokewidth 1 \
  -draw "polygon 2,8 13,8 13,3 22,12 13,21 13,16 2,16" transform.png

# The program's icon: a quill over a page.
png -size 64x64 xc:none -fill "#1d5fbf" -stroke "#123d7a" -strokewidth 2 -draw "roundrectangle 3,3 60,60 10,10" \
  -fill white -stroke none -draw "rectangle 14,12 44,54" \
  -stroke "#9aa6b2" -strokewidth 2 -draw "line 18,22 40,22" -draw "line 18,30 40,30" -draw "line 18,38 34,38" \
  -fill "#f2c200" -stroke "#8a6a1e" -strokewidth 1.5 -draw "path 'M 56,6 C 44,10 34,24 30,46 C 40,32 50,22 56,6 Z'" \
  -stroke "#333333" -strokewidth 2 -draw "line 30,46 27,54" quillon.png

# The about box's product picture.
convert -size 213x214 gradient:"#2d6cc6"-"#0f2f5e" \
  -fill "#ffffff22" -stroke none -draw "circle 170,40 170,140" \
  -fill white -draw "rectangle 38,40 128,168" -fill "#dfe4ea" -draw "polygon 108,40 128,60 108,60" \
  -stroke "#9aa6b2" -strokewidth 3 -draw "line 50,70 116,70" -draw "line 50,88 116,88" -draw "line 50,106 100,106" \
  -draw "line 50,124 112,124" -draw "line 50,142 90,142" \
  -fill "#f2c200" -stroke "#8a6a1e" -strokewidth 2 -draw "path 'M 190,24 C 150,40 118,90 104,160 C 136,112 166,76 190,24 Z'" \
  -stroke "#222222" -strokewidth 3 -draw "line 104,160 96,184" \
  -font DejaVu-Sans-Bold -pointsize 22 -fill white -stroke none -draw "text 38,204 'Quillon'" about.png

# The companion book's cover.
convert -size 111x140 xc:"#7a1f2b" -fill "#5a1620" -draw "rectangle 0,0 10,140" \
  -fill "#f4e7c5" -draw "rectangle 18,18 103,60" \
  -font DejaVu-Serif-Bold -pointsize 18 -fill "#7a1f2b" -draw "text 30,46 'XSLT'" \
  -font DejaVu-Sans -pointsize 9 -fill "#f4e7c5" -draw "text 20,84 'Learning by'" -draw "text 20,97 'transforming'" \
  -font DejaVu-Sans-Mono-Bold -pointsize 11 -draw "text 22,126 '<xsl:/>'" book.png
