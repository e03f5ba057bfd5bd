#!/usr/bin/env bash
# Builds both targets: the native core with its tests (build/native, ASan and
# UBSan) and the Windows program with its end-to-end tests (build/win).
#   scripts/build.sh [native|win|program|win32|all]   (program: Ambrel.exe and Tesk.dll only;
#   win32: the 32-bit companion Ambrel32.exe and Tesk32.dll in build/win32, copied beside the
#   program; win builds it too)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
jobs=$(nproc 2>/dev/null || echo 2)
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = program ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  if [ "$what" = program ]; then
    cmake --build "$root/build/win" -j "$jobs" --target Ambrel Tesk
  else
    cmake --build "$root/build/win" -j "$jobs"
  fi
fi
# The end-to-end tests of build/win use the companion too.
if [ "$what" = win32 ] || [ "$what" = win ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
  cmake --build "$root/build/win32" -j "$jobs" --target Tesk32 Ambrel32
  # The program starts its companion from its own folder.
  mkdir -p "$root/build/win"
  cp "$root/build/win32/Ambrel32.exe" "$root/build/win32/Tesk32.dll" "$root/build/win/"
fi
