#!/usr/bin/env bash
# Checks the packages that scripts/package.sh made: the MSI's tables list the
# files and both shortcuts, the zip holds the portable folder; then, under
# Wine, a silent per-user install, a run of the installed program
# (Package.* in ambrel_e2e.exe), and a silent uninstall that removes the
# binaries and keeps the history file that run wrote.
# Its last line, "package check: passed" or "package check: FAILED", is one
# test in scripts/test.sh's count.
#   scripts/package_check.sh [BUILD_DIR]   (default build/win, for ambrel_e2e.exe)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build/win}
define() { sed -n "s/^#define $1 \([0-9]*\).*/\1/p" src/version/version_number.h; }
version="$(define AMBREL_VERSION_MAJOR).$(define AMBREL_VERSION_MINOR)"
msi="dist/Ambrel-$version-x64.msi"
zip="dist/Ambrel-$version-x64.zip"
problems=0
fail() { echo "package check: $*" >&2; problems=$((problems + 1)); }

[ -f "$msi" ] || fail "$msi is missing"
[ -f "$zip" ] || fail "$zip is missing"
if [ "$problems" -eq 0 ]; then
  files=$(msiinfo export "$msi" File | tail -n +4 | cut -f3)  # below the three header rows
  # The companion too, also where 32-bit programs cannot run.
  for f in Ambrel.exe Tesk.dll ReadMe.txt Ambrel32.exe Tesk32.dll; do
    grep -qx "$f" <<<"$files" || fail "the MSI lacks $f"
  done
  shortcuts=$(msiinfo export "$msi" Shortcut | cut -f2,5)
  grep -q "^ProgramMenuFolder	\[INSTALLDIR\]Ambrel.exe" <<<"$shortcuts" || fail "no Start-menu shortcut"
  grep -q "^StartupFolder	\[INSTALLDIR\]Ambrel.exe" <<<"$shortcuts" || fail "no sign-in shortcut"
  msiinfo export "$msi" Feature | grep -q "^StartAtSignIn	" || fail "no sign-in feature"
  # Both hook libraries export the same seven names (objdump read in the C
  # locale: the Wine environment runs with a Japanese one).
  exports() { LC_ALL=C x86_64-w64-mingw32-objdump -p "$1" | sed -n '/Ordinal\/Name Pointer/,/^$/s/^\s*\[ *[0-9]*\] //p'; }
  if grep -qx Tesk32.dll <<<"$files"; then
    stage="build/package/Ambrel-$version-x64"
    [ "$(exports "$stage/Tesk.dll" | wc -l)" -eq 7 ] || fail "Tesk.dll does not export seven names"
    [ "$(exports "$stage/Tesk.dll")" = "$(exports "$stage/Tesk32.dll")" ] || fail "Tesk32.dll's exports differ from Tesk.dll's"
  fi
  entries=$(python3 -m zipfile -l "$zip")
  for f in Ambrel.exe Tesk.dll ReadMe.txt Ambrel32.exe Tesk32.dll; do
    grep -q "Ambrel-$version-x64/$f " <<<"$entries" || fail "the zip lacks $f"
  done
fi

if [ "$problems" -eq 0 ]; then
  (
    . scripts/wine_env.sh || exit 1
    local_app=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
    unix_dir=$(winepath -u "$local_app\\Programs\\Ambrel" 2>/dev/null)
    start_menu=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
    bad=0
    say() { echo "package check: $*" >&2; bad=1; }
    wine msiexec /x "$(winepath -w "$msi")" /qn >/dev/null 2>&1  # a leftover from an earlier run
    rm -rf "$unix_dir"
    wine msiexec /i "$(winepath -w "$msi")" /qn ADDLOCAL=Main,StartAtSignIn || say "msiexec /i failed ($?)"
    for f in $files; do [ -f "$unix_dir/$f" ] || say "not installed: $unix_dir/$f"; done
    [ -f "$start_menu/Ambrel.lnk" ] || say "no Start-menu shortcut in $start_menu"
    startup="$start_menu/StartUp"  # Wine's spelling; the folder's name case matters on Linux
    [ -f "$startup/Ambrel.lnk" ] || say "no sign-in shortcut in $startup"
    AMBREL_INSTALLED_FOLDER="$local_app\\Programs\\Ambrel" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" \
      wine "$build/ambrel_e2e.exe" --gtest_color=no --gtest_filter='Package.*' || say "the installed program's run failed"
    [ -s "$unix_dir/Ambrel.hst" ] || say "the run wrote no Ambrel.hst"
    # The hook library stays mapped in the processes the hooks entered (the
    # desktop's explorer among them) until they end, and a mapped file cannot
    # be deleted; ending the session lets it go, as signing out does.
    wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
    wine msiexec /x "$(winepath -w "$msi")" /qn || say "msiexec /x failed ($?)"
    for f in $files; do [ ! -e "$unix_dir/$f" ] || say "left after uninstall: $f"; done
    [ ! -e "$start_menu/Ambrel.lnk" ] || say "Start-menu shortcut left after uninstall"
    [ ! -e "$startup/Ambrel.lnk" ] || say "sign-in shortcut left after uninstall"
    [ -s "$unix_dir/Ambrel.hst" ] || say "the uninstall removed the user's Ambrel.hst"
    rm -rf "$unix_dir"
    wineserver -k 2>/dev/null
    exit $bad
  ) || problems=$((problems + 1))
fi

if [ "$problems" -eq 0 ]; then
  echo "package check: passed"
else
  echo "package check: FAILED"
  exit 1
fi
