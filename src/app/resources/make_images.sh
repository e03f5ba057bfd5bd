#!/usr/bin/env bash
# Draws the editor's pictures and writes them beside this script as strips of
# 24-bit bitmaps on magenta (the transparent colour the program masks out):
#   tools-N.bmp  the 12 tool-button images, N pixels square each
#   tree-N.bmp   the 12 tree icons (history root, static root, user menus 1-10)
# at the sizes of 96, 144 and 192 DPI. Every image is drawn once on a 20 (or
# 16) unit grid, eight times larger, then reduced with a hard edge so that
# no magenta fringe remains. Run by hand after changing the look; the .bmp
# files are committed. Needs ImageMagick.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/palette.sh"
paper='#FFFFFF'
red='#C62828'
green='#2E7D32'
S="stroke $ink stroke-width 1.2 stroke-linejoin round stroke-linecap round"

# The tool images on a 20-unit grid, in button order.
tools=(
  # load: an open folder with an arrow going in
  "$S fill $amber path 'M2,6 L7,6 L8.5,7.5 L16,7.5 L16,16.5 L2,16.5 Z' fill $ink stroke none path 'M10,1.5 L13,1.5 L13,5 L15,5 L11.5,9 L8,5 L10,5 Z'"
  # save: a disk
  "$S fill $ink path 'M2.5,2.5 L15,2.5 L17.5,5 L17.5,17.5 L2.5,17.5 Z' fill $paper rectangle 5.5,2.5 14,7.5 fill $amber rectangle 5,11 15,17.5"
  # delete: a sheet crossed out
  "$S fill $paper path 'M4,1.5 L12,1.5 L15.5,5 L15.5,18.5 L4,18.5 Z' stroke $red stroke-width 2.6 line 8,9 18,18.5 line 18,9 8,18.5"
  # print: a printer with a sheet
  "$S fill $paper rectangle 5.5,2 14.5,8 fill $ink rectangle 1.5,7.5 18.5,14.5 fill $paper rectangle 5.5,12 14.5,18.5 fill $amber stroke none circle 15.5,10 16.5,10"
  # make static: a pin
  "$S fill $red circle 10,6 14.2,6 fill $ink path 'M5,10 L15,10 L11,12.5 L11,18.5 L9,18.5 L9,12.5 Z'"
  # new user menu: a folder with a plus
  "$S fill $amber path 'M1.5,5 L6.5,5 L8,6.5 L15,6.5 L15,16 L1.5,16 Z' stroke $green stroke-width 2.6 line 15,8.5 15,18.5 line 10,13.5 20,13.5"
  # preview: a magnifier over a sheet
  "$S fill $paper path 'M2.5,1.5 L11,1.5 L14,4.5 L14,17.5 L2.5,17.5 Z' fill $amber circle 12,11 15.5,11 stroke-width 2.4 line 14.5,13.5 18.5,17.5"
  # static variables: a list with a dollar-like mark
  "$S fill $paper rectangle 2.5,2 17.5,18 stroke $ink stroke-width 1.6 line 5,6 8,6 line 10,6 15,6 line 5,10 8,10 line 10,10 15,10 line 5,14 8,14 line 10,14 15,14 stroke none fill $amber rectangle 4.5,4.8 8.5,7.2"
  # properties: a sheet with check boxes
  "$S fill $paper rectangle 3,1.5 17,18.5 fill $amber rectangle 5.5,4.5 8.5,7.5 rectangle 5.5,12.5 8.5,15.5 stroke $ink line 10.5,6 15,6 line 10.5,14 15,14 stroke $green stroke-width 1.8 fill none polyline 5.5,9.8 7,11.2 9.5,8.5"
  # edit menu: a menu with its lines and a pointer below
  "$S fill $paper rectangle 2.5,2 14.5,15 stroke-width 1.6 line 5,5.5 12,5.5 line 5,8.5 12,8.5 line 5,11.5 12,11.5 stroke none fill $ink path 'M12,13 L19,13 L15.5,18.5 Z'"
  # previous
  "$S fill $amber path 'M2,10 L10,2.5 L10,7 L18,7 L18,13 L10,13 L10,17.5 Z'"
  # next
  "$S fill $amber path 'M18,10 L10,2.5 L10,7 L2,7 L2,13 L10,13 L10,17.5 Z'"
)

# The tree icons on a 16-unit grid: the two roots, then ten user-menu
# folders told apart by colour.
tree=(
  # history root: a stack of sheets
  "$S fill $paper rectangle 4.5,1.5 14.5,11.5 rectangle 3,3 13,13 fill $amber rectangle 1.5,4.5 11.5,14.5"
  # static root: a pin on a sheet
  "$S fill $paper rectangle 1.5,3.5 14.5,14.5 fill $red circle 8,5.5 11,5.5 fill $ink path 'M5,8 L11,8 L8.8,10 L8.8,14 L7.2,14 L7.2,10 Z'"
)
folder_colours=('#F2A900' '#E57373' '#64B5F6' '#81C784' '#BA68C8' '#4DB6AC' '#FF8A65' '#A1887F' '#90A4AE' '#F06292')
for colour in "${folder_colours[@]}"; do
  tree+=("$S fill $colour path 'M1.5,3.5 L6,3.5 L7.5,5 L14.5,5 L14.5,13.5 L1.5,13.5 Z' stroke none fill $ink rectangle 3.5,7.5 12.5,8.3")
done

# $1 grid, $2 size, $3 out, rest: the drawings.
strip() {
  local grid=$1 size=$2 out=$3 big=$(( $1 * 8 )) i=0 frames=()
  shift 3
  for drawing in "$@"; do
    convert -size "${big}x${big}" xc:none -draw "scale 8,8 $drawing" \
      -filter Box -resize "${size}x${size}" -channel A -threshold 45% +channel \
      -background magenta -flatten "PNG24:$work/$i.png"
    frames+=("$work/$i.png")
    i=$(( i + 1 ))
  done
  convert "${frames[@]}" +append -type TrueColor "BMP3:$out"
  rm -f "${frames[@]}"
}

for size in 20 30 40; do strip 20 "$size" "$here/tools-$size.bmp" "${tools[@]}"; done
for size in 16 24 32; do strip 16 "$size" "$here/tree-$size.bmp" "${tree[@]}"; done
echo "wrote $here/tools-*.bmp and $here/tree-*.bmp"
