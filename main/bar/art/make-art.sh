#!/bin/bash
# Draws the bar's own pictures with ImageMagick (Debian's imagemagick package):
#   glyphs.bmp  the 16 x 16 button pictures in Tag order (0..12), then the
#               address-book entry (13); magenta is transparent
#   grip.bmp    the 8 x 8 menu mark on the grip
#   Mivora.ico  the program's icon, 16 and 32 pixels
#   logo.bmp    the 328 x 82 start-up picture; white is transparent
# The outputs are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
K=magenta

tile() { # name, then -draw arguments for a 16x16 tile on the transparent colour
  local name=$1; shift
  convert -size 16x16 xc:$K +antialias -strokewidth 1 "$@" "$T/$name.png"
}

tile 00 -fill '#d04040' -draw 'rectangle 1,1 6,6' -fill '#40a040' -draw 'rectangle 9,1 14,6' \
        -fill '#4060d0' -draw 'rectangle 1,9 6,14' -fill '#e0b020' -draw 'rectangle 9,9 14,14'
tile 01 -fill white -stroke '#203080' -draw 'rectangle 1,2 14,13' -fill '#203080' -draw 'rectangle 1,2 14,4' \
        -fill '#e0b020' -stroke none -draw 'polygon 8,6 9,9 12,9 10,11 11,14 8,12 5,14 6,11 4,9 7,9'
tile 02 -fill '#e8c040' -stroke '#806010' -draw 'polygon 1,4 6,4 7,5 14,5 14,13 1,13' \
        -fill '#f8e080' -draw 'polygon 1,7 14,7 14,13 1,13'
tile 03 -fill white -stroke '#404040' -draw 'polygon 3,1 10,1 13,4 13,14 3,14' \
        -stroke '#6080c0' -draw 'line 5,6 11,6' -draw 'line 5,8 11,8' -draw 'line 5,10 11,10' -draw 'line 5,12 9,12'
tile 04 -fill '#c0c0c0' -stroke '#404040' -draw 'rectangle 1,2 14,11' -fill '#3070c0' -draw 'rectangle 3,4 12,9' \
        -fill '#808080' -draw 'rectangle 5,12 10,13' -draw 'rectangle 3,14 12,14'
tile 05 -fill '#60a0e0' -stroke '#204080' -draw 'circle 8,8 8,2' -stroke '#204080' -fill none \
        -draw 'ellipse 8,8 3,6 0,360' -draw 'line 2,8 14,8' -draw 'line 3,5 13,5' -draw 'line 3,11 13,11'
tile 06 -fill white -stroke '#a0a0a0' -draw 'rectangle 1,1 14,14' -fill '#d02020' -stroke none \
        -draw 'rectangle 6,3 9,12' -draw 'rectangle 3,6 12,9'
tile 07 -fill '#c0e0ff' -stroke '#303030' -strokewidth 2 -draw 'circle 6,6 6,2' -strokewidth 3 -draw 'line 9,9 14,14'
tile 08 -fill '#d0d0d0' -stroke '#505050' -draw 'rectangle 1,1 14,14' -stroke '#303030' \
        -draw 'line 4,3 4,12' -draw 'line 8,3 8,12' -draw 'line 12,3 12,12' -fill '#3070c0' -stroke none \
        -draw 'rectangle 3,9 5,10' -draw 'rectangle 7,4 9,5' -draw 'rectangle 11,7 13,8'
tile 09 -fill '#f0c020' -stroke '#a07000' -draw 'polygon 8,1 10,6 15,6 11,9 13,14 8,11 3,14 5,9 1,6 6,6'
tile 10 -fill white -stroke '#203080' -draw 'circle 8,8 8,1' -stroke '#202020' -draw 'line 8,8 8,3' -draw 'line 8,8 12,10'
tile 11 -fill '#f0e0b0' -stroke '#806020' -draw 'rectangle 2,1 13,14' -fill '#806020' -draw 'rectangle 2,1 4,14' \
        -fill none -stroke '#2040a0' -draw 'circle 9,8 9,5' -draw 'line 11,8 12,11'
tile 12 -fill '#303030' -stroke none -draw 'roundrectangle 1,5 14,12 2,2' -fill '#60c060' -draw 'rectangle 3,8 4,9' \
        -fill '#d0d0d0' -draw 'rectangle 7,7 12,10'
tile 13 -fill white -stroke '#404040' -draw 'rectangle 1,3 14,12' -fill none -draw 'line 1,3 8,9' -draw 'line 14,3 8,9'
convert "$T"/0*.png "$T"/1*.png +append -type TrueColor BMP3:glyphs.bmp

convert -size 8x8 xc:navy +antialias -fill white -draw 'polygon 1,2 6,2 3,5' -type TrueColor BMP3:grip.bmp

icon() { # size
  local s=$1
  convert -size ${s}x${s} xc:none -fill navy -draw "roundrectangle 0,$((s/4)) $((s-1)),$((s*3/4)) $((s/8)),$((s/8))" \
    -fill '#30d030' -draw "rectangle $((s/8)),$((s*3/8)) $((s*3/8)),$((s*5/8))" \
    -fill '#e0b020' -draw "rectangle $((s*4/8)),$((s*3/8)) $((s*6/8-1)),$((s*5/8))" \
    -fill white -draw "rectangle $((s*13/16)),$((s*3/8)) $((s*15/16-1)),$((s*5/8))" "$T/icon$s.png"
}
icon 16
icon 32
convert "$T/icon16.png" "$T/icon32.png" Mivora.ico

# The logo: a little bar with buttons and the name, on white.
convert -size 328x82 xc:white \
  -fill navy -draw 'roundrectangle 12,22 112,58 6,6' \
  -fill '#d04040' -draw 'rectangle 24,32 38,46' -fill '#40a040' -draw 'rectangle 44,32 58,46' \
  -fill '#4060d0' -draw 'rectangle 64,32 78,46' -fill '#30d030' -draw 'rectangle 86,32 104,46' \
  -font DejaVu-Sans-Bold -pointsize 40 -fill '#203080' -annotate +126+56 'Mivora' \
  -font DejaVu-Sans -pointsize 11 -fill '#606060' -annotate +128+72 'launch bar and desktop tools' \
  -type TrueColor BMP3:logo.bmp
