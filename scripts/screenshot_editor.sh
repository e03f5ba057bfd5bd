#!/usr/bin/env bash
# Takes pictures of the editor window holding a few Japanese clips, under
# the Wine environment: BUILD/editor.png as a first start shows it,
# editor-vertical.png and editor-horizontal.png in the two layouts out of
# beginner mode and editor-beginner.png in beginner mode, at the prefix's
# DPI (96 unless AMBREL_WINE_DPI says otherwise), and
# BUILD/editor-144dpi.png and editor-horizontal-144dpi.png at 144 DPI
# (150 %), taken in the same prefix, which is set back afterwards.
#   scripts/screenshot_editor.sh [BUILD-DIR]
# AMBREL_SCREENSHOT_144DPI=0 skips the pictures at 144 DPI.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
. "$root/scripts/wine_env.sh"

# Holds the editor open through the end-to-end test made for it and takes
# the screen into $1; $2 is the layout (vertical, horizontal, beginner or
# empty for a first start's).
shoot() {
  local out=$1 layout=${2:-} marker test_pid
  marker=$(mktemp -u /tmp/ambrel-shot.XXXXXX)
  rm -f "$marker.ready" "$marker.done" "$out"
  AMBREL_SCREENSHOT_MARKER="Z:${marker//\//\\}" AMBREL_SCREENSHOT_LAYOUT="$layout" \
    wine "$build/ambrel_e2e.exe" --gtest_filter=Editor.HoldOpenForScreenshot >"$marker.log" 2>&1 &
  test_pid=$!
  for _ in $(seq 1 300); do
    [ -e "$marker.ready" ] && break
    kill -0 "$test_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -e "$marker.ready" ]; then
    "$root/scripts/screenshot.sh" "$out" >/dev/null
    echo "editor screenshot: $out"
  else
    echo "editor screenshot: the editor did not open" >&2
    cat "$marker.log" >&2
  fi
  touch "$marker.done"
  wait "$test_pid" || true
  rm -f "$marker.ready" "$marker.done" "$marker.log"
  [ -e "$out" ]
}

# Every program of the prefix reads the DPI when it starts: the server and
# the desktop are ended before and after the change.
with_dpi() {
  wineserver -k 2>/dev/null || true
  AMBREL_WINE_DPI=$1
  ambrel_prefix_require
}

status=0
shoot "$build/editor.png" || status=1
for layout in vertical horizontal beginner; do
  shoot "$build/editor-$layout.png" "$layout" || status=1
done
if [ "${AMBREL_SCREENSHOT_144DPI:-1}" = 1 ]; then
  prefix_dpi=$AMBREL_WINE_DPI
  with_dpi 144
  shoot "$build/editor-144dpi.png" || status=1
  shoot "$build/editor-horizontal-144dpi.png" horizontal || status=1
  with_dpi "$prefix_dpi"
fi
exit $status
