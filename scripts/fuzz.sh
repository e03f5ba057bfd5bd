#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each for a
# bounded time: scripts/fuzz.sh [SECONDS-PER-TARGET]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
ls "$root"/fuzz/*_fuzz.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
# clang takes the tree with its Japanese literals turned into CP932 escapes.
mirror="$root/build/fuzz-src"
mkdir -p "$mirror"
cp "$root/CMakeLists.txt" "$mirror/"
python3 "$root/scripts/cp932_literals.py" "$root" "$mirror" cmake src tests fuzz help scripts || exit 1
# A file gone from the tree leaves the mirror too, or the source globs would
# still build it.
(cd "$mirror" && find cmake src tests fuzz help scripts -type f 2>/dev/null) |
  while read -r f; do [ -e "$root/$f" ] || rm -f "$mirror/$f"; done
CXX=clang++ cmake -S "$mirror" -B "$root/build/fuzz" -DAMBREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$root/build/fuzz" -j "$(nproc 2>/dev/null || echo 2)" >"$root/build/fuzz-build.log" 2>&1 || { tail -n 40 "$root/build/fuzz-build.log"; exit 1; }
rc=0
for src in "$root"/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  corpus="$root/build/fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds="$root/fuzz/seeds/$name"
  [ -d "$seeds" ] || seeds=
  extra=
  # The engine's literal scans work on 64-byte blocks: let its inputs grow past them.
  [ "$name" = regexp_fuzz ] && extra="-max_len=600 -len_control=0"
  echo "fuzz: $name for ${seconds}s"
  if ! "$root/build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=0 $extra "$corpus" $seeds >"$root/build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -n 40 "$root/build/fuzz/$name.log"; rc=1
  fi
done
exit $rc
