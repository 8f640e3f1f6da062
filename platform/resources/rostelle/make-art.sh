#!/usr/bin/env bash
# Draws the profile manager's icon and the web button's four pictures with ImageMagick.
# The results are checked in beside this script; run it again only to change them.
set -euo pipefail
out=${1:-$(dirname "$0")}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Icon: two stacked profile cards, the front one with a person, drawn large and scaled down.
convert -size 256x256 xc:none \
  -fill '#8FB3DE' -stroke '#3A6290' -strokewidth 6 -draw 'roundrectangle 70,22 240,196 26,26' \
  -fill '#2F6DB5' -stroke '#1D4677' -strokewidth 6 -draw 'roundrectangle 16,60 186,234 26,26' \
  -fill white -stroke none -draw 'circle 101,120 101,88' \
  -draw 'ellipse 101,222 58,52 180,360' \
  "$tmp/icon256.png"
for s in 48 32 16; do
  convert "$tmp/icon256.png" -filter Lanczos -resize "${s}x${s}" "$tmp/icon$s.png"
done
convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" "$out/wendmark.ico"

# Web button: a globe and "Website" on the button face; U up, D down, F focused, X disabled.
W=96
H=26
picture() {  # picture NAME SHIFT INK RAISED FOCUS
  local name=$1 d=$2 ink=$3 raised=$4 focus=$5 light dark
  local cx=$((16 + d)) cy=$((13 + d))
  if [ "$raised" = 1 ]; then light=white dark='#808080'; else light='#808080' dark=white; fi
  local args=(-size "${W}x${H}" xc:'#F0F0F0'
    -fill none -stroke "$ink" -strokewidth 1.4
    -draw "circle $cx,$cy $((cx + 8)),$cy"
    -draw "ellipse $cx,$cy 3.5,8 0,360"
    -draw "line $((cx - 8)),$cy $((cx + 8)),$cy"
    -draw "line $((cx - 7)),$((cy - 4)) $((cx + 7)),$((cy - 4))"
    -draw "line $((cx - 7)),$((cy + 4)) $((cx + 7)),$((cy + 4))"
    -stroke none -fill "$ink" -font DejaVu-Sans -pointsize 11
    -annotate "+$((31 + d))+$((17 + d))" Website
    -strokewidth 1 -stroke "$light" -draw "line 0,0 $((W - 1)),0" -draw "line 0,0 0,$((H - 1))"
    -stroke "$dark" -draw "line 0,$((H - 1)) $((W - 1)),$((H - 1))"
    -draw "line $((W - 1)),0 $((W - 1)),$((H - 1))")
  if [ "$focus" = 1 ]; then
    args+=(-fill none -stroke '#404040' -draw "stroke-dasharray 1 1 rectangle 3,3 $((W - 4)),$((H - 4))")
  fi
  convert "${args[@]}" -type TrueColor "BMP3:$out/$name.bmp"
}
picture WEBU 0 '#1F55A0' 1 0
picture WEBD 1 '#1F55A0' 0 0
picture WEBF 0 '#1F55A0' 1 1
picture WEBX 0 '#A0A0A0' 1 0
