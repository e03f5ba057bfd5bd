#!/usr/bin/env bash
# Runs Ambrel under Wine: installs what is needed, builds the Windows program
# and starts it from its program folder (build/program, where its data files
# live). Uses $DISPLAY when set, a private Xvfb otherwise.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
ambrel_deps_require
# The whole program: Ambrel.exe with its hook library and help, and the
# 32-bit companion that pastes into 32-bit programs.
bash "$root/scripts/build.sh" program
bash "$root/scripts/build.sh" win32
program="$root/build/program"
mkdir -p "$program"
for f in Ambrel.exe Tesk.dll Ambrel32.exe Tesk32.dll Ambrel.chm; do
  if [ ! -f "$root/build/win/$f" ]; then
    echo "run.sh: build/win/$f was not built" >&2
    exit 1
  fi
  cp "$root/build/win/$f" "$program/"
done
. "$root/scripts/wine_env.sh"
cd "$program"
echo "Ambrel runs on display $DISPLAY; quit it from its tray icon's menu."
# Both waited for in the background, so that Ctrl-C or kill reach the trap
# (set by wine_env.sh), which ends the program and the Xvfb started for it.
ambrel_wine_run Ambrel.exe
wineserver -w &
wait $!
