#!/usr/bin/env bash
# Takes a picture of the editor window holding a few Japanese clips, under
# the Wine environment, into BUILD/editor.png (default build/win/editor.png).
#   scripts/screenshot_editor.sh [BUILD-DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
out="$build/editor.png"
. "$root/scripts/wine_env.sh"
marker=$(mktemp -u /tmp/ambrel-shot.XXXXXX)
rm -f "$marker.ready" "$marker.done" "$out"
AMBREL_SCREENSHOT_MARKER="Z:${marker//\//\\}" \
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
