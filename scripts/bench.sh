#!/usr/bin/env bash
# Builds the benchmarks without sanitizers (build/bench) and runs them all.
#   scripts/bench.sh [FILTER]   FILTER: a benchmark program name, e.g. clipstore_bench
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DAMBREL_SANITIZE=OFF >/dev/null
cmake --build "$root/build/bench" -j "$(nproc 2>/dev/null || echo 2)"
for src in "$root"/bench/*_bench.cpp; do
  name=$(basename "$src" .cpp)
  [ -n "${1:-}" ] && [ "$1" != "$name" ] && continue
  echo "== $name"
  "$root/build/bench/$name" --benchmark_color=false
done
