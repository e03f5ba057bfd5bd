#!/usr/bin/env bash
# Runs Ambrel under Wine: installs what is needed, builds the Windows program
# and starts it from its program folder (build/program, where its data files
# live). Uses $DISPLAY when set, a private Xvfb otherwise.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
ambrel_deps_require
bash "$root/scripts/build.sh" program
program="$root/build/program"
mkdir -p "$program"
cp "$root/build/win/Ambrel.exe" "$program/"
[ -f "$root/build/win/Tesk.dll" ] && cp "$root/build/win/Tesk.dll" "$program/"
[ -f "$root/build/win/Ambrel.chm" ] && cp "$root/build/win/Ambrel.chm" "$program/"
. "$root/scripts/wine_env.sh"
cd "$program"
echo "Ambrel runs on display $DISPLAY; quit it from its tray icon's menu."
wine Ambrel.exe
wineserver -w
