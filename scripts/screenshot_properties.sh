#!/usr/bin/env bash
# Takes a picture of every page of the properties dialog under the Wine
# environment: BUILD/properties-page0.png .. properties-page5.png (Menu, Data,
# Paste, Control, Other, Debug), written by the end-to-end test that checks
# the pages' layout.
#   scripts/screenshot_properties.sh [BUILD-DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
. "$root/scripts/wine_env.sh"
AMBREL_PROPERTIES_SHOTS="Z:${build//\//\\}" \
  wine "$build/ambrel_e2e.exe" --gtest_filter=Properties.EveryPageFitsItsControlsAndBeginnerModeHidesTheExpertOnes \
  >/dev/null 2>&1 || echo "properties screenshots: the layout test failed" >&2
status=0
for page in 0 1 2 3 4 5; do
  bmp=$build/properties-page$page.bmp
  if [ -e "$bmp" ]; then
    convert "$bmp" "$build/properties-page$page.png" && rm -f "$bmp"
    echo "properties screenshot: $build/properties-page$page.png"
  else
    echo "properties screenshot: page $page missing" >&2
    status=1
  fi
done
exit $status
