#!/usr/bin/env bash
# Builds the portable zip and the per-user MSI of the Windows program:
#   dist/Ambrel-<version>-x64.zip   (Ambrel.exe, Tesk.dll, Ambrel.chm, ReadMe.txt
#                                    and the 32-bit companion)
#   dist/Ambrel-<version>-x64.msi   (wixl, packaging/ambrel.wxs)
# The version comes from src/version/version_number.h.
#   scripts/package.sh [BUILD_DIR]   (default build/win; built here when missing)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/deps.sh
ambrel_deps_require
build=${1:-build/win}
build32=${AMBREL_BUILD32:-build/win32}

define() { sed -n "s/^#define $1 \([0-9]*\).*/\1/p" src/version/version_number.h; }
major=$(define AMBREL_VERSION_MAJOR)
minor=$(define AMBREL_VERSION_MINOR)
[ -n "$major" ] && [ -n "$minor" ] || { echo "package: no version in version_number.h" >&2; exit 1; }
version="$major.$minor"

if [ "$build" = build/win ]; then
  bash scripts/build.sh program
  bash scripts/build.sh win32
fi
for f in Ambrel.exe Tesk.dll; do
  [ -f "$build/$f" ] || { echo "package: $build/$f is missing" >&2; exit 1; }
done

stage="$root/build/package/Ambrel-$version-x64"
rm -rf "$root/build/package"
mkdir -p "$stage" dist
cp "$build/Ambrel.exe" "$build/Tesk.dll" "$stage/"
# CRLF line ends for the Windows read-me.
sed 's/$/\r/' packaging/ReadMe.txt > "$stage/ReadMe.txt"
help=0 companion=0
if [ -f "$build/Ambrel.chm" ]; then
  cp "$build/Ambrel.chm" "$stage/"
  help=1
fi
if [ -f "$build32/Ambrel32.exe" ] && [ -f "$build32/Tesk32.dll" ]; then
  cp "$build32/Ambrel32.exe" "$build32/Tesk32.dll" "$stage/"
  companion=1
fi

zip="dist/Ambrel-$version-x64.zip"
msi="dist/Ambrel-$version-x64.msi"
rm -f "$zip" "$msi"
(cd "$root/build/package" && python3 -m zipfile -c "$root/$zip" "Ambrel-$version-x64/")
wixl -a x64 -D "Version=$version.0" -D "Stage=build/package/Ambrel-$version-x64" -D "Help=$help" -D "Companion=$companion" \
  -o "$msi" packaging/ambrel.wxs
echo "package: $zip"
echo "package: $msi"
