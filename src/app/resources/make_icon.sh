#!/usr/bin/env bash
# Draws the program icon (amber frame, ink square, amber "A") at every size
# the desktop asks for and writes ambrel.ico beside this script. Run by hand
# after changing the look; the .ico is committed. Needs ImageMagick.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/palette.sh"
pngs=()
for size in 256 48 32 24 20 16; do
  inset=$(( size / 8 > 1 ? size / 8 : 1 ))
  far=$(( size - inset - 1 ))
  # The letter fills about three quarters of the square, as on the tray.
  point=$(( size * 3 / 4 ))
  convert -size "${size}x${size}" "xc:$amber" \
    -fill "$ink" -draw "rectangle $inset,$inset $far,$far" \
    -font DejaVu-Sans-Bold -pointsize "$point" -fill "$amber" -gravity center \
    -annotate +0+0 A "PNG32:$work/$size.png"
  pngs+=("$work/$size.png")
done
convert "${pngs[@]}" "$here/ambrel.ico"
echo "wrote $here/ambrel.ico"
