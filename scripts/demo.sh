#!/usr/bin/env bash
# A scripted session under Xvfb, for people to watch: Demo.ScriptedSession in
# ambrel_e2e.exe drives Ambrel and notepad and stops at each step until this
# script has taken the screen. Writes build/demo/NN-step.png for every step
# and build/demo/ambrel-demo.gif from them (ImageMagick).
#   scripts/demo.sh [BUILD-DIR]   (default build/win, built when missing)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
out="$root/build/demo"
. "$root/scripts/deps.sh"
ambrel_deps_require
[ -f "$build/ambrel_e2e.exe" ] || bash "$root/scripts/build.sh" win
. "$root/scripts/wine_env.sh"
rm -rf "$out"
mkdir -p "$out"

marker=$(mktemp -u /tmp/ambrel-demo.XXXXXX)
AMBREL_DEMO_MARKER="Z:${marker//\//\\}" \
  wine "$build/ambrel_e2e.exe" --gtest_color=no --gtest_filter=Demo.ScriptedSession >"$out/session.log" 2>&1 &
session=$!
# Each step announces itself with MARKER.NAME.ready and waits for MARKER.NAME.done.
while kill -0 "$session" 2>/dev/null; do
  for ready in "$marker".*.ready; do
    [ -e "$ready" ] || continue
    name=${ready#"$marker".}
    name=${name%.ready}
    "$root/scripts/screenshot.sh" "$out/$name.png" >/dev/null
    echo "demo: $out/$name.png"
    rm -f "$ready"
    touch "$marker.$name.done"
  done
  sleep 0.1
done
status=0
wait "$session" || status=$?
rm -f "$marker".*
if [ "$status" -ne 0 ]; then
  echo "demo: the session failed (see $out/session.log)" >&2
  tail -n 30 "$out/session.log" >&2
fi
shopt -s nullglob
pictures=("$out"/[0-9][0-9]-*.png)
if [ ${#pictures[@]} -gt 0 ]; then
  convert -delay 200 -loop 0 "${pictures[@]}" -resize 800x -layers Optimize "$out/ambrel-demo.gif"
  echo "demo: $out/ambrel-demo.gif (${#pictures[@]} steps)"
fi
exit "$status"
